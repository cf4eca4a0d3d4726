// The weights dialog: one scroll bar per condition sets its weight, the edit
// field holds the response text of the condition last touched.
#pragma once

namespace vemo {

// The toolbar's "NN weights": opens the dialog when the toggle is off,
// closes it (storing the edited text and saving) when it is on.
void ToggleWeightsDialog();
int WeightsDialogHandler();

}  // namespace vemo
