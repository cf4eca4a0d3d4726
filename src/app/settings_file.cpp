#include "app/settings_file.h"

#include "app/ids.h"
#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/files.h"
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
        return;
    }
    FileSource source(file);
    ParseSettings(source, values);
    CloseFile(file, TextFile);
}

void RememberWindowState() {
    DialogDefinition& window = MainWindow();
    if (window.window == nullptr) return;
    SettingsState& state = SettingsOf();
    // A minimised window reports a parking place far off screen: keep the
    // place it will come back to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(window.window) && GetWindowPlacement(window.window, &placement)) {
        state.LastWindowX = placement.rcNormalPosition.left;
        state.LastWindowY = placement.rcNormalPosition.top;
    } else {
        int width = 0;
        int height = 0;
        GetControlRect(window, state.LastWindowX, state.LastWindowY, width, height, 0);
    }
    state.LastCreateMessageFile = GetCheck(window, ids::CreateMessageFileCheck) != 0;
    state.LastFineTune = GetCheck(window, ids::FineTuneCheck) != 0;
    state.HaveWindowState = true;
}

void SaveSettings() {
    SettingsState& state = SettingsOf();
    RememberWindowState();
    if (state.HaveWindowState) {
        state.Values.window_x = state.LastWindowX;
        state.Values.window_y = state.LastWindowY;
        state.Values.create_message_file = state.LastCreateMessageFile ? "yes" : "no";
        state.Values.fine_tune = state.LastFineTune ? "yes" : "no";
    }
    if (!ReplaceFileAtomically(SettingsPath(), FormatSettings(state.Values))) {
        TraceSaveFailure("SaveSettings", GetLastError());
        ShowMessage(&MainWindow(), "Unable to create INI file", "Error...SaveData...", 0);
    }
}

}  // namespace vemo
