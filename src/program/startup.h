// The program's main body: defines the windows, backs up the database, opens
// the main window and runs the wait loop until a handler ends or reloads.
#pragma once

namespace vemo {

// Returns the process exit code (0).
int StartupSequence();

// One pass of the start-up loop up to the open main window: the settings,
// the windows defined, the shared state, the window opened (which loads the
// rows). A real start also clears what a crashed save left, backs up the
// database and loads the icon; the tests' and benchmarks' starts leave the
// files and the icon alone. False when no window opened.
enum class StartPass { Full, WindowsOnly };
bool RunStartPass(StartPass pass);

// Its steps, which the tests also take one by one.
void DefineProgramWindows();
void ResetSharedState();
void BackUpDatabase();

}  // namespace vemo
