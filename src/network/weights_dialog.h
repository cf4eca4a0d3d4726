// The weights dialog: one scroll bar per condition sets its weight, the edit
// field holds the response text of the condition last touched.
#pragma once

#include "runtime/dialogs.h"

namespace vemo {

// The weights dialog's controls: scroll bar i weighs condition i.
namespace ids::weights {
inline constexpr int FirstWeightBar = 1;
inline constexpr int LastWeightBar = 6;
inline constexpr int ResponseLabel = 7;  // "Condition response "
inline constexpr int WeightLabel = 8;    // "Control:     Weight:"
inline constexpr int Caption1a = 9;      // "1=Priority"
inline constexpr int Caption0 = 10;      // "0=Alarm"
inline constexpr int Caption1b = 11;     // "ONE"
inline constexpr int Caption2a = 12;     // "2=Alarm"
inline constexpr int Caption2b = 13;     // "within hour"
inline constexpr int Caption3a = 14;     // "3=Reminders"
inline constexpr int Caption4b = 15;     // "today"
inline constexpr int Caption4a = 16;     // "4=Reminders"
inline constexpr int Caption3b = 17;     // "today pending"
inline constexpr int Caption5a = 18;     // "5=Old reminders"
inline constexpr int Caption5b = 19;     // "still active"
inline constexpr int UpdateButton = 21;
inline constexpr int ResponseEdit = 22;
}  // namespace ids::weights

DialogDefinition& WeightsDialog();
// Defines the dialog at (x, y): the main window's place + (387, 365).
void DefineWeightsDialog(int x, int y);
// The toolbar's "NN weights": opens the dialog when the toggle is off,
// closes it (storing the edited text and saving) when it is on.
void ToggleWeightsDialog();
// Closes it without storing its edited text (Refresh, the database switch).
void DropWeightsDialog();
int WeightsDialogHandler();

}  // namespace vemo
