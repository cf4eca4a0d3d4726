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
#include "mainwin/main_window.h"
#include "network/condition_network.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/list_box.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

DialogDefinition& Window() {
    return MainWindow();
}

// The five columns the tick reads, every item read once per tick into one
// buffer; the rows are views into it.
class ColumnSnapshot {
  public:
    void Read(HWND window) {
        const ListBoxView columns[kColumns] = {
            ListBoxView(GetDlgItem(window, ids::TextColumn)),
            ListBoxView(GetDlgItem(window, ids::PriorityColumn)),
            ListBoxView(GetDlgItem(window, ids::RemindDateColumn)),
            ListBoxView(GetDlgItem(window, ids::TimeColumn)),
            ListBoxView(GetDlgItem(window, ids::StateColumn))};
        const int count = columns[0].Count();
        rows_ = count > 0 ? static_cast<std::size_t>(count) : 0;
        cells_.reserve(rows_ * kColumns);
        for (std::size_t row = 0; row < rows_; ++row) {
            for (const ListBoxView& column : columns) {
                const std::size_t offset = texts_.size();
                cells_.push_back({offset, column.AppendText(static_cast<int>(row), texts_)});
            }
        }
    }

    std::vector<ReminderRow> Rows() const {
        std::vector<ReminderRow> rows;
        rows.reserve(rows_);
        for (std::size_t row = 0; row < rows_; ++row) {
            const Cell* cell = &cells_[row * kColumns];
            rows.push_back(
                {View(cell[0]), View(cell[1]), View(cell[2]), View(cell[3]), View(cell[4])});
        }
        return rows;
    }

  private:
    static constexpr std::size_t kColumns = 5;
    struct Cell {
        std::size_t offset = 0;
        std::size_t length = 0;
    };

    std::string_view View(const Cell& cell) const {
        return std::string_view(texts_).substr(cell.offset, cell.length);
    }

    std::string texts_;
    std::vector<Cell> cells_;
    std::size_t rows_ = 0;
};

// Only codes that change are rewritten, with the column's drawing held
// until all are in.
void WriteCodes(const ListBoxView& state_column, const std::vector<CodeWrite>& writes) {
    if (writes.empty()) return;
    const ScopedRedraw quiet(state_column.get());
    for (const CodeWrite& write : writes) {
        state_column.Delete(write.row);
        state_column.Insert(write.row, std::string(write.code));
    }
}

// Leaves both selections where the tick put them. The state column is read
// back, as a rewritten item has dropped its selection.
void ApplySelections(const ListBoxView& text_column, const ListBoxView& state_column,
                     const TickSelections& before, const TickSelections& after) {
    if (after.text != before.text) text_column.Select(after.text);
    if (state_column.Selection() != after.state) state_column.Select(after.state);
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
    const ListBoxView text_column(GetDlgItem(window.window, ids::TextColumn));
    const ListBoxView state_column(GetDlgItem(window.window, ids::StateColumn));
    ColumnSnapshot snapshot;
    snapshot.Read(window.window);
    const std::vector<ReminderRow> rows = snapshot.Rows();
    const TickSelections before{text_column.Selection(), state_column.Selection(), list.ListDirty};
    ReminderTick tick =
        RunReminderPass(rows, ReadClockNow(), before, Network().ChosenClass, scheduler);

    WriteCodes(state_column, tick.writes);
    ApplySelections(text_column, state_column, before, tick.selections);
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
