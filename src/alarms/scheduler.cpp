#include "alarms/scheduler.h"

#include <string>
#include <utility>
#include <vector>

#include "alarms/alarm_actions.h"
#include "alarms/alarm_rules.h"
#include "alarms/reminder_rules.h"
#include "app/ids.h"
#include "app/state.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "mainwin/main_window.h"
#include "network/condition_network.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

DialogDefinition& Window() {
    return MainWindow();
}

// The five texts of each row the tick reads, borrowed from the task model.
std::vector<ReminderRow> ReminderRows(const TaskRows& rows) {
    std::vector<ReminderRow> views;
    views.reserve(static_cast<std::size_t>(rows.Count()));
    for (int row = 0; row < rows.Count(); ++row) {
        views.push_back({rows.Cell(row, TaskField::Text), rows.Cell(row, TaskField::Priority),
                         rows.Cell(row, TaskField::RemindDate), rows.Cell(row, TaskField::Time),
                         rows.Cell(row, TaskField::State)});
    }
    return views;
}

// Only codes that change are rewritten, with the column's drawing held
// until all are in.
void WriteCodes(const std::vector<CodeWrite>& writes) {
    std::vector<CellWrite> cells;
    cells.reserve(writes.size());
    for (const CodeWrite& write : writes) cells.push_back({write.row, write.code});
    Tasks().ReplaceCells(TaskField::State, cells);
}

// Leaves both selections where the tick put them. The state column is read
// back, as a rewritten item has dropped its selection.
void ApplySelections(const TickSelections& before, const TickSelections& after) {
    TaskModel& tasks = Tasks();
    if (after.text != before.text) tasks.Select(TaskField::Text, after.text);
    if (tasks.Selection(TaskField::State) != after.state)
        tasks.Select(TaskField::State, after.state);
}

ClockReading ReadClockNow() {
    const SYSTEMTIME now = CurrentLocalTime();
    return ReadClock(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
}

std::string YesNo(int check) {
    return check == 0 ? "no" : "yes";
}

// Arms timer 1 again as the tick's last act, however the tick ends.
class RearmTimer {
  public:
    RearmTimer() = default;
    ~RearmTimer() { StartTimer(Window(), ids::TickMs, ids::ProgramTimer); }
    RearmTimer(const RearmTimer&) = delete;
    RearmTimer& operator=(const RearmTimer&) = delete;
};

}  // namespace

void OnSchedulerEvent(UINT message, WPARAM wparam) {
    switch (message) {
        case WM_TIMER:
            if (wparam == ids::ProgramTimer) ReminderScheduler();
            break;
        case WM_POWERBROADCAST:
            // Every resume brings the automatic notice, and the second one
            // only when a person is back at the keyboard: one report each.
            if (wparam == PBT_APMRESUMEAUTOMATIC) {
                Scheduler().ResumeReported = true;
                ReportEarlierAlarmsNextTick();
            } else if (wparam == PBT_APMRESUMESUSPEND) {
                if (!std::exchange(Scheduler().ResumeReported, false))
                    ReportEarlierAlarmsNextTick();
            }
            break;
        case WM_TIMECHANGE: ReportEarlierAlarmsNextTick(); break;
        default: break;
    }
}

void ReportEarlierAlarmsNextTick() {
    SchedulerState& scheduler = Scheduler();
    scheduler.ShowEarlierAlarms = 1;
    // Counted afresh by the next tick, as at start-up.
    scheduler.EarlierAlarmCount = 0;
}

void RestartTickClock() {
    Scheduler().LastTickMinute = ReadClockNow().minutes;
}

void ReminderScheduler() {
    DialogDefinition& window = Window();
    if (window.window == nullptr) return;
    StopTimer(window, ids::ProgramTimer);
    const RearmTimer rearm;

    SchedulerState& scheduler = Scheduler();
    TaskListState& list = TaskList();
    TaskModel& tasks = Tasks();
    const TickSelections before{tasks.Selection(TaskField::Text), tasks.Selection(TaskField::State),
                                list.ListDirty};
    ReminderTick tick;
    {
        // The views borrow the rows: done with before any row changes.
        const std::vector<ReminderRow> rows = ReminderRows(tasks.Rows());
        tick = RunReminderPass(rows, ReadClockNow(), before, Network().ChosenClass, scheduler);
        // The codes written borrow constants, not the rows.
    }
    WriteCodes(tick.writes);
    ApplySelections(before, tick.selections);
    list.ListDirty = tick.selections.list_dirty;
    list.TodayCount = tick.counts.TodayCount;
    scheduler.SummaryText = std::move(tick.SummaryText);
    scheduler.SchedulerMessage = std::move(tick.SchedulerMessage);
    // The pass has decided everything; the actions run once per alarm it
    // raised. Only the last display of a tick is ever seen, so the message
    // line is set once, below.
    for (std::size_t run = 0; run < tick.action_rows.size(); ++run) RunAlarmActions();

    Network().Inputs = tick.counts.Inputs();
    EvaluateConditions();
    Settings& settings = SettingsOf().Values;
    settings.show_network_output = YesNo(GetCheck(window, ids::ShowNetworkOutputCheck));
    ShowConditionResponse();
    settings.create_message_file = YesNo(GetCheck(window, ids::CreateMessageFileCheck));
    if (settings.create_message_file == "yes") WriteMessageFile();
    ImportTask();
}

void ImportTask() {
    const std::string path = SettingsOf().Values.import_file_path;
    if (path.empty()) return;
    SchedulerState& scheduler = Scheduler();
    std::string line;
    {
        FileHandle file;
        if (OpenFile(file, TextFile, path, "r") != 0) {
            // Only a file that is gone ends a pending import: one held open
            // for a moment by whoever writes it comes back with its line,
            // which must not be added twice.
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                scheduler.PendingImport.reset();
            }
            return;
        }
        // A line longer than the task field is cut there, so its first
        // bytes are all that can matter.
        std::string bytes(kTaskTextCapacity, '\0');
        FileSource source(file);
        bytes.resize(source.Read(bytes.data(), bytes.size()));
        CloseFile(file, TextFile);
        line = ImportLine(bytes);
    }

    auto& pending = scheduler.PendingImport;
    if (pending && pending->line == line) {
        // The user was told when the task was added; the retries are quiet.
        if (!pending->saved) pending->saved = SaveData(SaveReport::Quiet);
    } else {
        DialogDefinition& window = Window();
        const std::string now = TimeText();
        SetControlText(window, ids::EntryField, line);
        SetControlText(window, ids::DayField, DateText("dd"));
        SetControlText(window, ids::MonthField, DateText("MM"));
        SetControlText(window, ids::YearField, DateText("yyyy"));
        SetControlText(window, ids::HourField, LeftText(now, 2));
        SetControlText(window, ids::MinuteField, MidText(now, 4, 2));
        pending = SchedulerState::ImportedLine{line, AddTask()};
    }
    // Deleted only once its task is saved; until then the next tick tries again.
    if (pending->saved && RemoveFile(path)) pending.reset();
}

}  // namespace vemo
