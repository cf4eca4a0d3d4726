// The three windows of the program, defined with every control in order.
#pragma once

#include "runtime/dialogs.h"

namespace vemo {

// The main window's size in pixels, as its layout gives it.
inline constexpr int kMainWindowWidth = 833;
inline constexpr int kMainWindowHeight = 340;

// The main window at (x, y) with its 41 controls; the date and time entry
// fields start with today's date and the current time.
void DefineMainWindow(DialogDefinition& window, int x, int y, const std::string& title,
                      EventHandler handler);
void DefineAlarmActionDialog(DialogDefinition& dialog, EventHandler handler);
// The weights dialog at (x, y): the main window's position + (387, 365).
void DefineWeightsDialog(DialogDefinition& dialog, int x, int y, EventHandler handler);

}  // namespace vemo
