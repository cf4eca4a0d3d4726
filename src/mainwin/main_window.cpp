#include "mainwin/main_window.h"

#include <algorithm>
#include <optional>
#include <string>

#include "alarms/alarm_action_dialog.h"
#include "alarms/alarm_actions.h"
#include "alarms/scheduler.h"
#include "app/log_files.h"
#include "app/log_lines.h"
#include "app/message_line.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "app/task_store.h"
#include "mainwin/date_time.h"
#include "mainwin/ids.h"
#include "mainwin/remote_requests.h"
#include "mainwin/toolbar.h"
#include "mainwin/tray.h"
#include "network/network_state.h"
#include "network/weights_dialog.h"
#include "network/weights_file.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/list_box.h"
#include "runtime/shell.h"
#include "runtime/single_instance.h"

namespace vemo {

namespace {

constexpr char kCreditText[] = " - your tasks and reminders";
constexpr char kDateFormat[] = "dd'-'MM'-'yyyy";

DialogDefinition& Window() {
    return MainWindow();
}

// Notes the place and the two check boxes a save of the settings stores.
void RememberWindowState() {
    DialogDefinition& window = MainWindow();
    if (window.window == nullptr) return;
    SettingsState& state = SettingsOf();
    // A minimised window reports a parking place far off screen: keep the
    // place it will come back to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(window.window) && GetWindowPlacement(window.window, &placement)) {
        // That place is in workspace coordinates, which start at the work
        // area: shift them by a taskbar on the top or left edge to get the
        // screen coordinates the next start opens the window at.
        POINT offset{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONEAREST),
                            &monitor)) {
            offset.x = monitor.rcWork.left - monitor.rcMonitor.left;
            offset.y = monitor.rcWork.top - monitor.rcMonitor.top;
        }
        state.LastWindowX = placement.rcNormalPosition.left + offset.x;
        state.LastWindowY = placement.rcNormalPosition.top + offset.y;
    } else {
        int width = 0;
        int height = 0;
        GetControlRect(window, state.LastWindowX, state.LastWindowY, width, height, 0);
    }
    state.LastCreateMessageFile = GetCheck(window, ids::CreateMessageFileCheck) != 0;
    state.LastFineTune = GetCheck(window, ids::FineTuneCheck) != 0;
    state.HaveWindowState = true;
}

int PriorityOf(int row) {
    return RoundTo<int>(TextToNumber(Tasks().Cell(row, TaskField::Priority)));
}

// The editing buttons and the toolbar act on BN_CLICKED only: owner-drawn
// buttons also report a double click (which must not add a task twice), and
// the toolbar's tooltip requests arrive with a command's id and another
// notify code. The date and time steppers act on every notification, so a
// double click there steps twice, as two clicks would.
void OnControl(int id, int notify) {
    const bool clicked = notify == BN_CLICKED;
    // A Close refused on a failed save goes on when asked again right after;
    // any other command in between means the user went back to work. Enter
    // and Esc outside the entry field (ids 1 and 2) are no commands.
    const bool key = id == ids::TextColumn || id == ids::EntryField;
    if (clicked && id != ids::CloseCommand && !key) Program().ExitSaveFailed = false;
    switch (id) {
        case ids::TextColumn:  // also IDOK, which Enter sends
            if (notify == LBN_SELCHANGE) OnTextColumnSelected();
            if (notify == LBN_DBLCLK) OnTextColumnDoubleClicked();
            if (notify == BN_CLICKED) OnEnter();
            break;
        case ids::AddButton:
            if (clicked) AddTask();
            break;
        case ids::ChangeSelectedButton:
            if (clicked) ChangeSelected();
            break;
        case ids::DeleteCommand:
            if (clicked) DeleteTask();
            break;
        case ids::ClearAllCommand:
            if (clicked) ClearAll();
            break;
        case ids::CloseCommand:
            if (clicked) CloseProgram();
            break;
        case ids::RefreshCommand:
            if (clicked) Refresh();
            break;
        case ids::SortCommand:
            if (clicked) SortByPriority();
            break;
        case ids::SendToLogCommand:
            if (clicked) {
                SendToLog();
                SaveData();
                TaskList().ListDirty = 1;
            }
            break;
        case ids::OpenLogCommand:
            if (clicked) OpenLog();
            break;
        case ids::PriorityUpButton:
            if (clicked) PriorityUp();
            break;
        case ids::PriorityDownButton:
            if (clicked) PriorityDown();
            break;
        case ids::SwitchInactiveButton:
            if (clicked) SwitchInactive();
            break;
        case ids::CreatedColumn:
            if (notify == LBN_SELCHANGE) PauseTimer();
            break;
        case ids::CreateMessageFileCheck:
        case ids::FineTuneCheck:
            if (clicked) RememberWindowState();  // the two boxes the settings store
            break;
        case ids::SendToTrayCommand:
            if (clicked) GoToTray();
            break;
        case ids::AlarmActionCommand:
            if (clicked) OpenAlarmActionDialog();
            break;
        case ids::DatabaseCommand: ChangeDatabase(notify); break;
        case ids::WeightsCommand:
            if (clicked) ToggleWeightsDialog();
            break;
        default:  // the date and time fields
            OnDateTimeControl(id, notify);
            break;
    }
}

}  // namespace

bool OpenMainWindow() {
    if (OpenModeless(MainWindow(), nullptr) != nullptr) return true;
    // The window's own start may have ended the program already (a database
    // that cannot be opened says so itself).
    if (Program().RunFlag == 0) return false;
    ShowMessage(nullptr, "Unable to open the main window", "Error...start...", 0);
    Program().RunFlag = 0;
    return false;
}

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

void UpdateDatabaseName() {
    // A database in the program folder is named by its file name; elsewhere
    // too, rather than by a meaningless cut of its path.
    const std::string& path = SettingsOf().Values.database_path;
    const auto slash = path.find_last_of("\\/");
    TaskList().DatabaseName = slash == std::string::npos ? path : path.substr(slash + 1);
    Program().WindowTitle = JoinText(kProgramTitle, " - Database: ", TaskList().DatabaseName);
    SetWindowCaption(Window(), Program().WindowTitle);
}

DialogDefinition& MainWindow() {
    static DialogDefinition window;
    return window;
}

void OnMainDestroy() {
    AcceptRequests(false);
    UnmarkInstanceWindow(Window().window, ProgramFolder());
    // The rows and the lines go with their view.
    Tasks().Attach(nullptr);
    Message().Attach(nullptr);
    Network().WeightsLine.Attach(nullptr);
}

void OnMainInit() {
    DialogDefinition& window = Window();
    // The views of the rows and of the two lines, which only their owners
    // write.
    Tasks().Attach(window.window);
    Message().Attach(GetDlgItem(window.window, ids::MessageLine));
    Network().WeightsLine.Attach(GetDlgItem(window.window, ids::WeightsLine));
    SetClassIcon(window, Program().AppIcon.get());
    Program().ReloadFlag = 0;
    TaskList().TodayCount = 0;
    LoadSettings();
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
    StartTimer(window, ids::FirstTickMs, ids::ProgramTimer);
    RememberWindowState();
    // Marked once ready; until then a second start waits for it, and no
    // other process's request is taken.
    MarkInstanceWindow(window.window, ProgramFolder());
    AcceptRequests(true);
}

bool AddTask() {
    TaskListState& list = TaskList();
    const std::string text = GetControlText(Window(), ids::EntryField);
    if (text.empty()) {
        list.ListDirty = 1;
        return true;
    }
    DialogDefinition& window = Window();
    TaskRow row;
    row.text = CutText(text, kTaskTextCapacity);
    row.created = DateText(kDateFormat);
    list.RowCount += 1;
    row.priority = NumberText(list.RowCount);
    row.remind_date = JoinText(GetControlText(window, ids::DayField), "-",
                               GetControlText(window, ids::MonthField), "-",
                               GetControlText(window, ids::YearField));
    row.time = JoinText(GetControlText(window, ids::HourField), ":",
                        GetControlText(window, ids::MinuteField));
    row.state = " 6";
    return AddRow(row, SaveReport::Show);
}

bool AddRow(const TaskRow& row, SaveReport report) {
    TaskListState& list = TaskList();
    Tasks().Append(row);
    list.RowCount = Tasks().Count();
    const bool saved = SaveData(report);
    // A note that could not be written is said later when this must not
    // wait on a message box.
    if (!AddToTxtFile(NoteLine(row), report) && report == SaveReport::Quiet) {
        PostMessageA(Window().window, kDeferredNoteReport, 0, 0);
    }
    list.ListDirty = 1;
    return saved;
}

void OnEnter() {
    // Enter in the entry field adds its task, as Add does; anywhere else the
    // dialog manager's Enter changes nothing.
    if (GetFocus() == GetDlgItem(Window().window, ids::EntryField)) AddTask();
}

void ChangeSelected() {
    const int row = ChosenRow();
    if (row != -1) {
        // Cut as Add cuts: the field may have been given more than it takes.
        Tasks().ReplaceCell(TaskField::Text, row,
                            CutText(GetControlText(Window(), ids::EntryField), kTaskTextCapacity));
    }
    TaskList().ListDirty = 1;
}

void DeleteTask() {
    TaskListState& list = TaskList();
    if (list.RowSelected == 1) {
        const int row = ChosenRow();
        if (row >= 0) {
            Tasks().Delete(row);
            list.RowCount -= 1;
        }
        list.RowSelected = 0;
    }
    SaveData();
}

void ClearAll() {
    TaskListState& list = TaskList();
    // The rows go for good: without a copy kept first, nothing is cleared.
    if (!KeepClearAllCopy(Tasks().Rows(), list.RowCount, list.Buffer)) {
        TraceSaveFailure("ClearAll backup", GetLastError());
        ShowMessage(&Window(), "Problem saving data", "Error...SaveData...", 0);
        return;
    }
    // The file is emptied first, as the command says; a file that cannot be
    // written ends the program before any row is touched.
    if (!EmptyDatabase()) {
        TraceSaveFailure("ClearAll", GetLastError());
        ShowMessage(&Window(), "Cant find vemo.dat", "Error!", 0);
        EndProgramNow();
        return;
    }
    Tasks().Clear();
    TaskRow row;
    row.text = JoinText(kProgramTitle, kCreditText);
    row.priority = " 1";
    row.created = "06-02-2004";
    row.remind_date = DateText(kDateFormat);
    row.time = " 1";
    row.state = " 0";
    Tasks().Append(row);
    list.RowCount = Tasks().Count();
    list.RowSelected = 0;
}

void Refresh() {
    DropWeightsDialog();
    SaveAndReload();
    TaskList().ListDirty = 1;
}

void SortByPriority() {
    TaskListState& list = TaskList();
    const TaskRows& rows = Tasks().Rows();
    std::vector<std::pair<int, int>> order;  // priority, row
    order.reserve(static_cast<std::size_t>(rows.Count()));
    for (int row = 0; row < rows.Count(); ++row) {
        order.emplace_back(RoundTo<int>(TextToNumber(rows.Cell(row, TaskField::Priority))), row);
    }
    // Equal priorities keep their order.
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    TaskRows sorted;
    sorted.Reserve(order.size(), order.size() * 64);
    for (const auto& [priority, row] : order) sorted.Append(rows.View(row));
    {
        const ScopedRedraw quiet(Window().window);
        Tasks().Replace(std::move(sorted));
    }
    list.RowSelected = 0;  // the chosen row has moved
    list.ListDirty = 1;
    SaveData();
}

void PriorityUp() {
    const int row = Tasks().Selection(TaskField::Priority);
    if (row != -1) {
        const int priority = PriorityOf(row);
        if (priority > 1) {
            Tasks().ReplaceCell(TaskField::Priority, row, NumberText(priority - 1));
            Tasks().Select(TaskField::Priority, row);
        }
    }
    TaskList().ListDirty = 1;
}

void PriorityDown() {
    const int row = Tasks().Selection(TaskField::Priority);
    if (row != -1) {
        Tasks().ReplaceCell(TaskField::Priority, row, NumberText(PriorityOf(row) + 1.0));
        Tasks().Select(TaskField::Priority, row);
    }
    TaskList().ListDirty = 1;
}

void SwitchInactive() {
    TaskListState& list = TaskList();
    const int row = Tasks().Selection(TaskField::State);
    if (row != -1) {
        if (TextToNumber(Tasks().Cell(row, TaskField::State)) == 6) {
            Tasks().ReplaceCell(TaskField::State, row, " 5");
            list.TodayCount -= 1;
        } else {
            Tasks().ReplaceCell(TaskField::State, row, " 6");
            list.TodayCount += 1;
        }
        Tasks().Select(TaskField::State, row);
    }
    list.ListDirty = 1;
    Scheduler().HighlightRow = -1;
    Scheduler().HighlightDone = 0;
    StartTimer(Window(), ids::SwitchInactiveTickMs, ids::ProgramTimer);
}

void OpenLog() {
    OpenDocument("notepad.exe", LogFileName());
}

void OnTextColumnSelected() {
    TaskListState& list = TaskList();
    list.SelectedRow = Tasks().Selection(TaskField::Text);
    list.RowSelected = 1;
    // The text column is where the user clicked; the others follow it.
    Tasks().SelectIn(list.SelectedRow, {TaskField::Priority, TaskField::RemindDate, TaskField::Time,
                                        TaskField::State, TaskField::Created});
}

void OnTextColumnDoubleClicked() {
    const int row = Tasks().Selection(TaskField::Text);
    SetControlText(Window(), ids::EntryField, std::string(Tasks().Cell(row, TaskField::Text)));
}

void PauseTimer() {
    StopTimer(Window(), ids::ProgramTimer);
    ShowMessage(&Window(),
                "The program timer has been stopped, \r\n all alarm functions have been halted, "
                "\r\n press OK to restart program timer.",
                "Pause...", 0);
    StartTimer(Window(), ids::PauseRestartMs, ids::ProgramTimer);
    RestartTickClock();
    TaskList().ListDirty = 1;
}

void OnProgramTimer() {
    DialogDefinition& window = Window();
    StopTimer(window, ids::ProgramTimer);
    for (int run = ClassifyRows(); run > 0; --run) RunAlarmActions();
    ShowTickResult(GetCheck(window, ids::ShowNetworkOutputCheck) != 0,
                   GetCheck(window, ids::CreateMessageFileCheck) != 0);
    if (const std::optional<std::string> line = TakeImportLine()) {
        ImportAdded(*line, AddImportedTask(*line));
    }
    StartTimer(window, ids::TickMs, ids::ProgramTimer);
}

void RunAlarmActions() {
    if (Tray().InTray == 1) ShowFromTrayForAlarm();
    // Seen, not heard through the keyboard: the button flashes until the
    // user turns to Vemo.
    if (!IsInFront(Window())) FlashUntilInFront(Window());
    RunAlarmProgramAndSound();
}

bool AddImportedTask(const std::string& line) {
    // The import goes through the entry fields and Add, as a person would.
    DialogDefinition& window = Window();
    const std::string now = TimeText();
    SetControlText(window, ids::EntryField, line);
    SetControlText(window, ids::DayField, DateText("dd"));
    SetControlText(window, ids::MonthField, DateText("MM"));
    SetControlText(window, ids::YearField, DateText("yyyy"));
    SetControlText(window, ids::HourField, LeftText(now, 2));
    SetControlText(window, ids::MinuteField, MidText(now, 4, 2));
    return AddTask();
}

void ChangeDatabase(int notify) {
    // The switch runs once this click is over (the toolbar goes with the
    // window); any other notification only restarts the timer.
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
    if (SaveBeforeLeaving(Leaving::EndProgram)) Program().RunFlag = 0;
}

}  // namespace vemo
