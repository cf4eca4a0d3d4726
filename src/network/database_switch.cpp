#include "network/database_switch.h"

#include "app/file_choice.h"
#include "app/ids.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/main_window.h"
#include "runtime/events.h"

namespace vemo {

namespace {

constexpr char kDatabaseFilter[] = "Dat Files (*.dat)|*.dat||";

void RunSwitch() {
    ProgramWindows& windows = Windows();
    // The weights dialog goes without storing its edited text.
    CloseDialog(windows.WeightsDialog, 0);
    Network().WeightsDialogOpen = 0;
    // No tick may see a half-loaded list.
    StopTimer(windows.MainWindow, ids::ProgramTimer);
    // The rows must be on disk before the window that holds them closes: a
    // failed save keeps the window open on them, however often it is asked.
    if (!SaveBeforeLeaving(Leaving::KeepRows)) return;

    const DialogDefinition* owner =
        windows.AlarmActionDialog.window != nullptr ? &windows.AlarmActionDialog : nullptr;
    // Nothing may touch the rows between the save and the window's end: the
    // dialog may have no owner, so the main window is held still by hand.
    EnableWindow(windows.MainWindow.window, FALSE);
    const std::string path = ChooseFile("Open Vemo database", owner, kDatabaseFilter);
    EnableWindow(windows.MainWindow.window, TRUE);
    // Cancelled: the same database is closed, saved and loaded again.
    if (!path.empty()) SettingsOf().Values.database_path = path;

    CloseDialog(windows.MainWindow, 0);
    SaveSettings();  // the new path is on disk before it is loaded
    Scheduler().LastAlarmRow = -1;
    LoadSettings();
    OpenMainWindow();
}

}  // namespace

void ChangeDatabase(int notify) {
    if (notify == BN_CLICKED) {
        PostMessageA(MainWindow().window, kSwitchDatabaseMessage, 0, 0);
        return;
    }
    StartTimer(MainWindow(), ids::DatabaseSwitchTickMs, ids::ProgramTimer);
}

void SwitchDatabase() {
    static bool switching = false;
    if (switching) return;
    switching = true;
    RunSwitch();
    switching = false;
    StartTimer(MainWindow(), ids::DatabaseSwitchTickMs, ids::ProgramTimer);
}

}  // namespace vemo
