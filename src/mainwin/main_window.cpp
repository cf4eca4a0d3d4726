#include "mainwin/main_window.h"

#include <optional>
#include <string>

#include "alarms/alarm_action_dialog.h"
#include "alarms/alarm_actions.h"
#include "alarms/scheduler.h"
#include "app/dates.h"
#include "app/log_files.h"
#include "app/message_line.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_commands.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "mainwin/date_time.h"
#include "mainwin/ids.h"
#include "mainwin/remote_requests.h"
#include "mainwin/shared_database.h"
#include "mainwin/toolbar.h"
#include "mainwin/tray.h"
#include "mainwin/window_place.h"
#include "network/network_state.h"
#include "network/weights_dialog.h"
#include "network/weights_file.h"
#include "runtime/colours.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/shell.h"
#include "runtime/single_instance.h"

namespace vemo {

namespace {

DialogDefinition& Window() {
    return MainWindow();
}

std::string Today() {
    return DateText(kDatePicture);
}

void OnEnter() {
    // Enter in the entry field adds its task and empties the field (a second
    // Enter would add it twice); elsewhere the dialog manager's Enter is no command.
    if (GetFocus() != GetDlgItem(Window().window, ids::EntryField)) return;
    if (AddFromFields()) SetControlText(Window(), ids::EntryField, "");
}

void OnTextColumnSelected() {
    const int row = Tasks().Selection(TaskField::Text);
    ChooseRow(row);
    // The text column is where the user clicked; the others follow it.
    Tasks().SelectIn(row, {TaskField::Priority, TaskField::RemindDate, TaskField::Time,
                           TaskField::State, TaskField::Created});
}

void OnTextColumnDoubleClicked() {
    const int row = Tasks().Selection(TaskField::Text);
    SetControlText(Window(), ids::EntryField, std::string(Tasks().Cell(row, TaskField::Text)));
}

void Refresh() {
    DropWeightsDialog();
    SaveAndReload();
    TaskList().ListDirty = true;
}

void PauseTimer() {
    StopTimer(Window(), ids::ProgramTimer);
    ShowMessage(&Window(),
                "The program timer has been stopped, \r\n all alarm functions have been halted, "
                "\r\n press OK to restart program timer.",
                "Pause...", 0);
    StartTimer(Window(), ids::PauseRestartMs, ids::ProgramTimer);
    RestartTickClock();
    TaskList().ListDirty = true;
}

// The toolbar's "Data base": the switch runs once this click is over (the
// toolbar goes with the window); any other notification only restarts the
// timer.
void ChangeDatabase(int notify) {
    if (notify == BN_CLICKED) {
        // No tick between the click and the switch, which stops the timer
        // itself as its first steps.
        StopTimer(Window(), ids::ProgramTimer);
        Program().SwitchDatabaseRequested = true;
    } else {
        StartTimer(Window(), ids::DatabaseSwitchTickMs, ids::ProgramTimer);
    }
}

void CloseProgram() {
    if (SaveBeforeLeaving(Leaving::EndProgram)) Program().RunFlag = false;
}

// The editing buttons and the toolbar act on BN_CLICKED only: owner-drawn
// buttons also report a double click (which must not add a task twice), and
// the toolbar's tooltip requests arrive with a command's id and another
// notify code. The steppers ("+", "-", the date and time ones) act on a
// double click too: it steps twice, as two clicks would.
void OnControl(int id, int notify) {
    if (notify == kUndoKey || notify == kRedoKey) return OnUndoKey(notify == kRedoKey);
    const bool step = id == ids::PriorityUpButton || id == ids::PriorityDownButton;
    const bool clicked = notify == BN_CLICKED || (step && notify == BN_DOUBLECLICKED);
    // A Close refused on a failed save goes on when asked again right after;
    // any other command in between means the user went back to work. Enter
    // and Esc outside the entry field (ids 1 and 2) are no commands.
    const bool key = id == ids::TextColumn || id == ids::EntryField;
    if (clicked && id != ids::CloseCommand && !key) Program().ExitSaveFailed = false;
    switch (id) {
        case ids::TextColumn:  // also IDOK, which Enter sends
            if (notify == LBN_SELCHANGE) OnTextColumnSelected();
            if (notify == LBN_DBLCLK) OnTextColumnDoubleClicked();
            if (notify == kListDeleteKey) ApplyCommand(DeleteByKey());
            if (notify == BN_CLICKED) OnEnter();
            return;
        case ids::CreatedColumn:
            if (notify == LBN_SELCHANGE) PauseTimer();
            return;
        case ids::DatabaseCommand: ChangeDatabase(notify); return;
        default: break;
    }
    if (!clicked) {
        OnDateTimeControl(id, notify);  // the date and time fields
        return;
    }
    switch (id) {
        case ids::AddButton: AddFromFields(); break;
        case ids::ChangeSelectedButton:
            ApplyCommand(ChangeText(GetControlText(Window(), ids::EntryField)));
            break;
        case ids::DeleteCommand: ApplyCommand(DeleteTask()); break;
        case ids::ClearAllCommand: ApplyCommand(ClearAll(Today())); break;
        case ids::SortCommand: ApplyCommand(SortByPriority()); break;
        case ids::SendToLogCommand: ApplyCommand(SendToLog(Today())); break;
        case ids::PriorityUpButton: ApplyCommand(PriorityUp()); break;
        case ids::PriorityDownButton: ApplyCommand(PriorityDown()); break;
        case ids::SwitchInactiveButton: ApplyCommand(SwitchInactive()); break;
        case ids::CloseCommand: CloseProgram(); break;
        case ids::RefreshCommand: Refresh(); break;
        case ids::OpenLogCommand: OpenDocument("notepad.exe", LogFileName()); break;
        // The two boxes the settings store.
        case ids::CreateMessageFileCheck:
        case ids::FineTuneCheck: RememberWindowState(); break;
        case ids::SendToTrayCommand: GoToTray(); break;
        case ids::AlarmActionCommand: OpenAlarmActionDialog(); break;
        case ids::WeightsCommand: ToggleWeightsDialog(); break;
        default: OnDateTimeControl(id, notify); break;  // the date and time fields
    }
}

}  // namespace

int MainWindowHandler() {
    const EventRecord& event = Event();
    switch (event.code) {
        case WM_INITDIALOG: OnMainInit(); break;
        case WM_DESTROY: OnMainDestroy(); break;
        // The settings store where the window stands: noted as it moves,
        // is minimised or restored.
        case WM_MOVE:
        case EVENT_SIZED: RememberWindowState(); break;
        case WM_COPYDATA:
            // The one reply the window gives: how another process's request
            // went. A dialog hands it back through DWLP_MSGRESULT.
            SetWindowLongPtrA(Window().window, DWLP_MSGRESULT,
                              OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(event.lparam)));
            return 1;
        case kDeferredSaveReport: ReportFailedRemoteSave(); break;
        case kDeferredNoteReport: ReportFailedRemoteNote(); break;
        case kDatabaseNotice: OnDatabaseNotice(); break;
        // The runtime has laid the controls out at the new DPI; the toolbar
        // is built again for it, with the strip that suits it.
        case kDpiChangedMessage: BuildToolbar(); break;
        case EVENT_CLOSE:
            Program().ExitSaveFailed = false;
            GoToTray();
            break;
        case EVENT_MENU: OnTrayMenuCommand(event.menu_id); break;
        case EVENT_CONTROL: OnControl(event.control_id, event.notify_code); break;
        case kTrayMessage: OnTrayMessage(event.lparam); break;
        case WM_TIMER:
            if (event.wparam == ids::ProgramTimer) OnProgramTimer();
            break;
        case WM_POWERBROADCAST:
        case WM_TIMECHANGE:
            OnPowerOrClockChange(static_cast<UINT>(event.code), event.wparam);
            break;
        default:
            if (static_cast<UINT>(event.code) == TaskbarCreatedMessage()) OnTaskbarCreated();
            if (static_cast<UINT>(event.code) == BringForwardMessage()) OnBringForward();
            break;
    }
    return 0;
}

void OnMainDestroy() {
    AcceptRequests(false);
    UnmarkInstanceWindow(Window().window, ProgramFolder());
    // The rows and the lines go with their view.
    SendKeysAsCommands(nullptr);
    Tasks().Attach(nullptr);
    Message().Attach(nullptr);
    Network().WeightsLine.Attach(nullptr);
}

void OnMainInit() {
    DialogDefinition& window = Window();
    // The views of the rows and of the two lines, which only their owners
    // write.
    Tasks().Attach(window.window, kTaskColumns);
    SendKeysAsCommands(window.window);  // Delete and the undo keys
    Message().Attach(GetDlgItem(window.window, ids::MessageLine));
    Network().WeightsLine.Attach(GetDlgItem(window.window, ids::WeightsLine));
    SetClassIcon(window, Program().AppIcon.get());
    Program().ReloadFlag = false;
    LoadSettings();
    KeepWindowPlaceOnScreen(SettingsOf());
    LoadWeights();
    const Settings& settings = SettingsOf().Values;
    // The template places the client area; the settings hold where the whole
    // window stood, so put it back exactly there.
    SetWindowPos(window.window, nullptr, settings.window_x, settings.window_y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetCheck(window, ids::CreateMessageFileCheck, settings.create_message_file == "yes" ? 1 : 0);
    SetCheck(window, ids::ShowNetworkOutputCheck, settings.show_network_output == "yes" ? 1 : 0);
    SetCheck(window, ids::FineTuneCheck, settings.fine_tune != "no" ? 1 : 0);
    // The entry field holds no more than a record's task text.
    SetTextLimit(window, ids::EntryField, kTaskTextCapacity);
    UpdateDatabaseName();

    // A database read only in part is no better than none: loading it would
    // let the next save drop the rest.
    if (!LoadTaskList()) {
        ShowMessage(&window,
                    "Cant create or access vemo.dat \r\n try updating vemo.ini \r\n line 5",
                    "Error...start...", 0);
        EndProgramNow();
        return;
    }
    BuildToolbar();
    AddButtonTips();
    StartTimer(window, ids::FirstTickMs, ids::ProgramTimer);
    RememberWindowState();
    // Marked once ready; until then a second start waits for it, and no
    // other process's request is taken.
    MarkInstanceWindow(window.window, ProgramFolder());
    AcceptRequests(true);
}

bool ApplyCommand(const CommandEffect& effect, SaveReport report) {
    if (effect.select) Tasks().Select(effect.select->field, effect.select->row);
    if (effect.restart_highlight) {
        Scheduler().HighlightRow = -1;
        Scheduler().HighlightDone = false;
    }
    if (effect.timer_ms != 0) StartTimer(Window(), effect.timer_ms, ids::ProgramTimer);
    const bool saved = !effect.save || SaveData(report);
    // A note not written is said later when this must not wait on a box.
    if (!effect.note.empty() && !AddToTxtFile(effect.note, report) && report == SaveReport::Quiet) {
        PostMessageA(Window().window, kDeferredNoteReport, 0, 0);
    }
    if (effect.list_dirty) TaskList().ListDirty = true;
    EndFieldsTyping();
    return saved;
}

void OnProgramTimer() {
    DialogDefinition& window = Window();
    StopTimer(window, ids::ProgramTimer);
    for (int run = ClassifyRows(); run > 0; --run) RunAlarmActions();
    ShowTickResult(GetCheck(window, ids::ShowNetworkOutputCheck) != 0,
                   GetCheck(window, ids::CreateMessageFileCheck) != 0);
    if (const std::optional<std::string> line = TakeImportLine()) {
        // Added as Add adds, past the fields: they may hold what the user
        // is typing.
        const SYSTEMTIME now = CurrentLocalTime();
        ImportAdded(*line, ApplyCommand(ImportTask(*line, Today(), now.wHour, now.wMinute)));
    }
    StartTimer(window, ids::TickMs, ids::ProgramTimer);
    // Has another PC changed the database? Asked off this thread.
    AskAboutSharedDatabase();
}

void RunAlarmActions() {
    // Seen, not heard through the keyboard: the button flashes until the
    // user turns to Vemo. Asked before the window comes back, which may move
    // the activation for a moment.
    const bool flash = AnotherWindowInFront(Window());
    if (Tray().InTray) ShowFromTrayForAlarm();
    if (flash) FlashUntilInFront(Window());
    RunAlarmProgramAndSound();
}

}  // namespace vemo
