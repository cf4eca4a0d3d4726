#include "program/database_switch.h"

#include <utility>

#include "alarms/alarm_action_dialog.h"
#include "app/file_choice.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "network/weights_dialog.h"
#include "runtime/events.h"

namespace vemo {

namespace {

constexpr char kDatabaseFilter[] = "Dat Files (*.dat)|*.dat||";

void RunSwitch() {
    DialogDefinition& main_window = MainWindow();
    // The weights dialog goes without storing its edited text.
    DropWeightsDialog();
    // No tick may see a half-loaded list.
    StopTimer(main_window, ids::ProgramTimer);
    // The rows must be on disk before the window that holds them closes: a
    // failed save keeps the window open on them, however often it is asked.
    if (!SaveBeforeLeaving(Leaving::KeepRows)) return;

    const DialogDefinition* owner =
        AlarmActionDialog().window != nullptr ? &AlarmActionDialog() : nullptr;
    // Nothing may touch the rows between the save and the window's end: the
    // dialog may have no owner, so the main window is held still by hand.
    EnableWindow(main_window.window, FALSE);
    const std::string path = ChooseFile("Open Vemo database", owner, kDatabaseFilter);
    EnableWindow(main_window.window, TRUE);
    // Cancelled: the same database is closed, saved and loaded again.
    if (!path.empty()) SettingsOf().Values.database_path = path;

    CloseDialog(main_window, 0);
    SaveSettings();  // the new path is on disk before it is loaded
    LoadSettings();
    OpenMainWindow();
}

}  // namespace

void RunRequestedSwitch() {
    if (!Program().SwitchDatabaseRequested) return;
    RunSwitch();
    // A request made while the switch ran (its file dialog waits for the
    // user) is not a second switch.
    Program().SwitchDatabaseRequested = false;
    StartTimer(MainWindow(), ids::DatabaseSwitchTickMs, ids::ProgramTimer);
}

}  // namespace vemo
