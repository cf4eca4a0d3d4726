#include "program/startup.h"

#include <cfloat>
#include <utility>

#include "alarms/alarm_action_dialog.h"
#include "alarms/alarm_actions.h"
#include "alarms/scheduler_state.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_commands.h"
#include "app/task_store.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "mainwin/tray.h"
#include "mainwin/window_place.h"
#include "network/network_state.h"
#include "network/weights_dialog.h"
#include "network/weights_file.h"
#include "program/database_switch.h"
#include "runtime/atomic_file.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

void PrepareFloatingPoint() {
    _fpreset();
#if defined(__i386__) || defined(_M_IX86)
    // All exceptions masked, 64-bit precision, round to nearest.
    _controlfp(_PC_64 | _RC_NEAR | _MCW_EM, _MCW_PC | _MCW_RC | _MCW_EM);
#else
    _controlfp(_RC_NEAR | _MCW_EM, _MCW_RC | _MCW_EM);
#endif
}

// A save cut short by a crash may have left its temporary files behind.
void RemoveLeftoverSaves() {
    RemoveLeftoverDatabaseSave();
    RemoveLeftoverSettingsSave();
    RemoveLeftoverWeightsSave();
    RemoveLeftoverMessageFile();
}

}  // namespace

void DefineProgramWindows() {
    KeepWindowPlaceOnScreen(SettingsOf());
    const Settings& settings = SettingsOf().Values;
    DefineMainWindow(settings.window_x, settings.window_y, Program().WindowTitle);
    DefineAlarmActionDialog();
    // Offset from the main window by a distance of its layout.
    DefineWeightsDialog(settings.window_x + ScaleForDialog(MainWindow(), 387),
                        settings.window_y + ScaleForDialog(MainWindow(), 365));
}

void BackUpAtStart() {
    if (!BackUpDatabase()) {
        ShowMessage(nullptr, "Unable to create backup \r\n of vemo.dat an error occured",
                    "Error...start...", 0);
    }
}

void ResetSharedState() {
    Settings& settings = SettingsOf().Values;
    settings.fine_tune = "no";
    settings.show_network_output = "yes";
    settings.create_message_file = "yes";
    settings.import_file_path.clear();
    settings.message_prefix = "Vemo: ";
    NetworkState& network = Network();
    network.CurrentCondition = 1;
    network.WeightsDialogOpen = false;
    network.Values.texts = DefaultResponseTexts();
    // What the scheduler starts each window with; the highlight, the last
    // rows seen, the message file's last line and a pending import go on.
    SchedulerState& scheduler = Scheduler();
    scheduler.SoundTestMode = 1;
    scheduler.AlarmText.clear();
    ReportEarlierAlarmsNextTick(scheduler, EarlierReport::AtStart);
    scheduler.AlarmState = 0;
    Program().WindowTitle = kProgramTitle;
    EndRowChoice();
    Program().ReloadFlag = false;
    Program().RunFlag = true;
    Program().ExitSaveFailed = false;
    Program().SwitchDatabaseRequested = false;
    Tray().InTray = true;
}

bool RunStartPass(StartPass pass, StartShown shown) {
    ProgramState& program = Program();
    LoadSettings();
    if (pass == StartPass::Full) RemoveLeftoverSaves();
    DefineProgramWindows();
    if (pass == StartPass::Full) {
        BackUpAtStart();
        // The tray and the caption show it at the small icon's size, 16
        // pixels at 96 DPI; the file holds an image for each common DPI.
        program.AppIcon.reset(static_cast<HICON>(LoadImageFile(
            ProgramFolder() + "vemo.ico", kImageIcon, ScaleForDialog(MainWindow(), 16))));
        SetClassIcon(MainWindow(), program.AppIcon.get());
    }
    ResetSharedState();
    MainWindow().open_hidden = shown == StartShown::InTray;
    if (!OpenMainWindow()) return false;
    if (shown == StartShown::InTray) StartInTray();
    return true;
}

int StartupSequence(StartShown shown) {
    PrepareFloatingPoint();
    ProgramState& program = Program();
    program.WindowTitle = kProgramTitle;
    do {
        if (!RunStartPass(StartPass::Full, std::exchange(shown, StartShown::Window))) {
            program.ReloadFlag = false;
            break;
        }
        do {
            WaitForEvents(0);
            RunRequestedSwitch();
        } while (program.RunFlag);
        StopTimer(MainWindow(), ids::ProgramTimer);
        RemoveTrayIcon();
        CloseDialog(MainWindow(), 0);  // frees the toolbar strip with the window
        program.AppIcon.reset();
    } while (program.ReloadFlag);
    ReleaseDialogs();
    return 0;
}

}  // namespace vemo
