#include "alarms/scheduler.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "alarms/alarm_actions.h"
#include "alarms/alarm_rules.h"
#include "alarms/reminder_rules.h"
#include "app/state.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "network/condition_network.h"
#include "network/network_state.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

// Leaves both selections where the tick put them. The state column is read
// back, as a rewritten item has dropped its selection.
// An alarm's row comes into view in all six columns; any other move of the
// tick's (the best row, the roving highlight) leaves the list where the
// user scrolled it.
void ApplySelections(const TickSelections& before, const TickSelections& after, bool alarm) {
    TaskModel& tasks = Tasks();
    const int top = tasks.TopRow();
    if (after.text != before.text) tasks.Select(TaskField::Text, after.text);
    if (tasks.Selection(TaskField::State) != after.state) {
        tasks.Select(TaskField::State, after.state);
    }
    if (!alarm && tasks.TopRow() != top) tasks.ScrollTo(top);
}

ClockReading ReadClockNow() {
    const SYSTEMTIME now = CurrentLocalTime();
    ClockReading clock = ReadClock(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    if (const std::optional<std::int64_t> offset = ClockOffsetMinutes()) clock.offset = *offset;
    return clock;
}

std::string YesNo(bool check) {
    return check ? "yes" : "no";
}

}  // namespace

std::vector<ReminderRow> ReminderRowsOf(const TaskRows& rows) {
    const auto snapshot =
        rows.Snapshot(std::array{TaskField::Text, TaskField::Priority, TaskField::RemindDate,
                                 TaskField::Time, TaskField::State});
    std::vector<ReminderRow> views;
    views.reserve(snapshot.size());
    for (const auto& row : snapshot) views.push_back({row[0], row[1], row[2], row[3], row[4]});
    return views;
}

SchedulerState& Scheduler() {
    static SchedulerState state;
    return state;
}

void OnPowerOrClockChange(UINT message, WPARAM wparam) {
    switch (message) {
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
    ReportEarlierAlarmsNextTick(Scheduler(), EarlierReport::AfterGap);
}

void RestartTickClock() {
    RestartTickClock(Scheduler(), ReadClockNow().minutes);
}

int ClassifyRows() {
    SchedulerState& scheduler = Scheduler();
    TaskListState& list = TaskList();
    if (std::exchange(list.RowsReplaced, false)) {
        // Rows from another PC: the indexes name other tasks now. No
        // earlier-today report: what ran here is in the occurrence log.
        scheduler.HighlightRow = -1;
        scheduler.HighlightDone = false;
        scheduler.LastOldRow = 0;
        scheduler.EarlierAlarmRow = 0;
    }
    TaskModel& tasks = Tasks();
    const TickSelections before{tasks.Selection(TaskField::Text), tasks.Selection(TaskField::State),
                                list.ListDirty};
    ReminderTick tick;
    {
        // The views borrow the rows: done with before any row changes. The
        // codes written borrow constants, not the rows.
        const std::vector<ReminderRow> rows = ReminderRowsOf(tasks.Rows());
        tick = RunReminderPass(rows, ReadClockNow(), before, Network().ChosenClass, scheduler);
    }
    // Only codes that change are rewritten, with the column's drawing held
    // until all are in.
    Tasks().ReplaceCells(TaskField::State, tick.writes);
    ApplySelections(before, tick.selections,
                    !tick.action_rows.empty() || scheduler.AlarmState == 3);
    list.ListDirty = tick.selections.list_dirty;
    scheduler.SchedulerMessage = std::move(tick.SchedulerMessage);
    Network().Inputs = tick.counts.Inputs();
    return static_cast<int>(tick.action_rows.size());
}

void ShowTickResult(bool show_network_output, bool create_message_file) {
    // Only the last display of a tick is ever seen, so the message line is
    // set once, here.
    EvaluateConditions();
    Settings& settings = SettingsOf().Values;
    settings.show_network_output = YesNo(show_network_output);
    ShowConditionResponse(Scheduler().AlarmText, Scheduler().SchedulerMessage);
    settings.create_message_file = YesNo(create_message_file);
    if (settings.create_message_file == "yes") WriteMessageFile();
}

std::optional<std::string> TakeImportLine() {
    const std::string path = SettingsOf().Values.import_file_path;
    if (path.empty()) return std::nullopt;
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
            return std::nullopt;
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
    if (!pending || pending->line != line) return line;
    // The user was told when the task was added; the retries are quiet.
    if (!pending->saved) pending->saved = SaveData(SaveReport::Quiet);
    if (pending->saved && RemoveFile(path)) pending.reset();
    return std::nullopt;
}

void ImportAdded(const std::string& line, bool saved) {
    auto& pending = Scheduler().PendingImport;
    pending = SchedulerState::ImportedLine{line, saved};
    // Deleted only once its task is saved; until then the next tick tries again.
    if (saved && RemoveFile(SettingsOf().Values.import_file_path)) pending.reset();
}

}  // namespace vemo
