// Loading and saving "vemo.ini" in the program folder.
#pragma once

namespace vemo {

// Reads the settings; without a file the database is the program folder's
// "vemo.dat", the window goes to (0, 0) and nothing is imported.
void LoadSettings();
// Takes the main window's position and check boxes (or, while it is closed,
// the last ones it had) and writes the settings.
void SaveSettings();
// Notes the main window's position and check boxes while it is open.
void RememberWindowState();

}  // namespace vemo
