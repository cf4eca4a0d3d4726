// The program's main body: defines the windows, backs up the database, opens
// the main window and runs the wait loop until a handler ends or reloads.
#pragma once

namespace vemo {

// Whether the first window shows, or hides behind the tray icon.
enum class StartShown { Window, InTray };

// Returns the process exit code (0). In the tray, the first window opens
// hidden behind the tray icon (vemo.exe /tray).
int StartupSequence(StartShown shown = StartShown::Window);

// One pass of the start-up loop up to the open main window: the settings,
// the windows defined, the shared state, the window opened (which loads the
// rows). A real start also clears what a crashed save left, backs up the
// database and loads the icon; the tests' and benchmarks' starts leave the
// files and the icon alone. False when no window opened.
enum class StartPass { Full, WindowsOnly };
bool RunStartPass(StartPass pass, StartShown shown = StartShown::Window);

// Its steps, which the tests also take one by one.
void DefineProgramWindows();
void ResetSharedState();
void BackUpAtStart();

}  // namespace vemo
