// The program's main body: defines the windows, backs up the database, opens
// the main window and runs the wait loop until a handler ends or reloads.
#pragma once

namespace vemo {

// Returns the process exit code (0).
int StartupSequence();

// Steps that a fresh start and every reload share, for the tests too.
void DefineProgramWindows();
void ResetSharedState();
void BackUpDatabase();

}  // namespace vemo
