// The toolbar's "Data base": save, ask for another database file, record it
// in the settings and restart the main window on it. The main window asks
// for it (ProgramState::SwitchDatabaseRequested); the start-up loop runs it
// once the event that asked is over, as the toolbar goes with the window.
#pragma once

namespace vemo {

// Runs the switch when one was asked for, then restarts the program timer
// with 4000 ms.
void RunRequestedSwitch();

}  // namespace vemo
