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
        const HWND columns[kColumns] = {
            GetDlgItem(window, ids::TextColumn), GetDlgItem(window, ids::PriorityColumn),
            GetDlgItem(window, ids::RemindDateColumn), GetDlgItem(window, ids::TimeColumn),
            GetDlgItem(window, ids::StateColumn)};
        const LRESULT count = SendMessageA(columns[0], LB_GETCOUNT, 0, 0);
        rows_ = count > 0 ? static_cast<std::size_t>(count) : 0;
        cells_.reserve(rows_ * kColumns);
        for (std::size_t row = 0; row < rows_; ++row) {
            for (HWND column : columns) cells_.push_back(ReadItem(column, row));
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

    Cell ReadItem(HWND column, std::size_t row) {
        const auto item = static_cast<WPARAM>(row);
        const LRESULT length = SendMessageA(column, LB_GETTEXTLEN, item, 0);
        Cell cell{texts_.size(), 0};
        if (length <= 0) return cell;
        texts_.resize(cell.offset + static_cast<std::size_t>(length) + 1);
        const LRESULT copied = SendMessageA(column, LB_GETTEXT, item,
                                            reinterpret_cast<LPARAM>(texts_.data() + cell.offset));
        cell.length = copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0;
        texts_.resize(cell.offset + cell.length);
        return cell;
    }

    std::string_view View(const Cell& cell) const {
        return std::string_view(texts_).substr(cell.offset, cell.length);
    }

    std::string texts_;
    std::vector<Cell> cells_;
    std::size_t rows_ = 0;
};

// Only codes that change are rewritten, with the column's drawing held
// until all are in.
void WriteCodes(HWND state_column, const std::vector<CodeWrite>& writes) {
    if (writes.empty()) return;
    SendMessageA(state_column, WM_SETREDRAW, FALSE, 0);
    for (const CodeWrite& write : writes) {
        const std::string code(write.code);
        const auto row = static_cast<WPARAM>(write.row);
        SendMessageA(state_column, LB_DELETESTRING, row, 0);
        SendMessageA(state_column, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(code.c_str()));
    }
    SendMessageA(state_column, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(state_column, nullptr, TRUE);
}

// Leaves both selections where the tick put them. The state column is read
// back, as a rewritten item has dropped its selection.
void ApplySelections(HWND text_column, HWND state_column, const TickSelections& before,
                     const TickSelections& after) {
    if (after.text != before.text) {
        SendMessageA(text_column, LB_SETCURSEL, static_cast<WPARAM>(after.text), 0);
    }
    if (SendMessageA(state_column, LB_GETCURSEL, 0, 0) != after.state) {
        SendMessageA(state_column, LB_SETCURSEL, static_cast<WPARAM>(after.state), 0);
    }
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
            if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) {
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

void ReminderScheduler() {
    DialogDefinition& window = Window();
    if (window.window == nullptr) return;
    StopTimer(window, ids::ProgramTimer);
    const RearmTimer rearm;

    SchedulerState& scheduler = Scheduler();
    TaskListState& list = TaskList();
    const HWND text_column = GetDlgItem(window.window, ids::TextColumn);
    const HWND state_column = GetDlgItem(window.window, ids::StateColumn);
    ColumnSnapshot snapshot;
    snapshot.Read(window.window);
    const std::vector<ReminderRow> rows = snapshot.Rows();
    const TickSelections before{static_cast<int>(SendMessageA(text_column, LB_GETCURSEL, 0, 0)),
                                static_cast<int>(SendMessageA(state_column, LB_GETCURSEL, 0, 0)),
                                list.ListDirty};
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
            scheduler.PendingImport.reset();
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
        if (!pending->saved) pending->saved = SaveData();
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
