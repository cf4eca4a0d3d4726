// The main window's vertical toolbar: one table of its buttons.
#pragma once

namespace vemo {

// Creates the toolbar from the table, with its labels and tooltips, and
// loads "toolbar.bmp" for it (the strip belongs to the main window).
void BuildToolbar();

}  // namespace vemo
