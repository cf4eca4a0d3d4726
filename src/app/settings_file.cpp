#include "app/settings_file.h"

#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/paths.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

std::string SettingsPath() {
    return ProgramFolder() + "vemo.ini";
}

}  // namespace

void LoadSettings() {
    Settings& values = SettingsOf().Values;
    FileHandle file;
    if (OpenFile(file, TextFile, SettingsPath(), "r") != 0) {
        values.database_path = ProgramFolder() + "vemo.dat";
        values.window_x = 0;
        values.window_y = 0;
        values.import_file_path.clear();
        SettingsOf().PlaceFromFile = false;
        return;
    }
    FileSource source(file);
    ParseSettings(source, values);
    CloseFile(file, TextFile);
    values.database_path = PathInFolder(values.database_path, ProgramFolder());
    SettingsOf().PlaceFromFile = true;
}

void SaveSettings(SaveReport report) {
    SettingsState& state = SettingsOf();
    if (state.HaveWindowState) {
        state.Values.window_x = state.LastWindowX;
        state.Values.window_y = state.LastWindowY;
        state.Values.create_message_file = state.LastCreateMessageFile ? "yes" : "no";
        state.Values.fine_tune = state.LastFineTune ? "yes" : "no";
    }
    // A database in the program folder is kept relative to it.
    Settings stored = state.Values;
    stored.database_path = PathRelativeTo(stored.database_path, ProgramFolder());
    if (!ReplaceFileAtomically(SettingsPath(), FormatSettings(stored))) {
        TraceSaveFailure("SaveSettings", GetLastError());
        if (report == SaveReport::Show) {
            ShowMessageBox(Owner(), "Unable to create INI file", "Error...SaveData...", 0);
        }
    }
}

void RemoveLeftoverSettingsSave() {
    RemoveLeftoverTemporary(SettingsPath());
}

}  // namespace vemo
