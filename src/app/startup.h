// The program's main body: defines the windows, backs up the database, opens
// the main window and runs the wait loop until a handler ends or reloads.
#pragma once

namespace vemo {

// Returns the process exit code: 0, or 1 when the main window could not open.
int StartupSequence();

// Steps that a fresh start and every reload share, for the tests too.
void DefineProgramWindows();
void ResetSharedState();
void BackUpDatabase();
// Opens the main window; when it cannot be made, says so and clears the run
// flag, so no start ever leaves a process without a window.
bool OpenMainWindow();

}  // namespace vemo
