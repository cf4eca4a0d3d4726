// The toolbar's "Data base": save, ask for another database file, record it
// in the settings and restart the main window on it.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// The toolbar's command: a click (notify 0) asks for the switch, which runs
// as soon as the toolbar has finished with its click (it goes with the
// window); any other notification only restarts the program timer with
// 4000 ms.
void ChangeDatabase(int notify);
// The switch itself, then the timer restarted with 4000 ms.
void SwitchDatabase();

// Posted to the main window to run the switch.
// Clear of the tray's message and the runtime's event codes (WM_APP + 2 to + 9).
inline constexpr UINT kSwitchDatabaseMessage = WM_APP + 0x100;

}  // namespace vemo
