// Loading and saving "vemo.ini" in the program folder.
#pragma once

#include "app/save_report.h"

namespace vemo {

// Reads the settings; without a file the database is the program folder's
// "vemo.dat", the window goes to (0, 0) and nothing is imported.
void LoadSettings();
// Takes the main window's position and check boxes as the window last
// noted them (SettingsState) and writes the settings.
void SaveSettings(SaveReport report = SaveReport::Show);
// The temporary file a crashed save may have left beside it.
void RemoveLeftoverSettingsSave();

}  // namespace vemo
