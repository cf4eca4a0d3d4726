#include "alarms/reminder_rules.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "runtime/text.h"

namespace vemo {

namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr std::string_view kAlarmCode = " 0";
constexpr std::string_view kPriorityOneCode = " 1";
constexpr std::string_view kMinutePassedCode = " 2";
constexpr std::string_view kPendingCode = " 3";
constexpr std::string_view kEarlierCode = " 4";
constexpr std::string_view kOldCode = " 5";
constexpr std::string_view kInactiveCode = " 6";

// 0 = Sunday, for any Gregorian date.
int DayOfWeek(int year, int month, int day) {
    static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    month = std::clamp(month, 1, 12);
    if (month < 3) year -= 1;
    const int week_day =
        (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
    return (week_day + 7) % 7;
}

std::string TwoDigits(int value) {
    char text[16] = {};
    std::snprintf(text, sizeof(text), "%02d", value);
    return text;
}

// The patterns hold English names only, so ASCII lower case is all it takes.
std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool Contains(std::string_view text, std::string_view pattern) {
    return !pattern.empty() && text.find(pattern) != std::string_view::npos;
}

struct DateTests {
    bool dated = false;
    bool weekday = false;
    bool yearly = false;
    bool every_day = false;
};

DateTests TestDate(std::string_view remind_date, const ClockReading& clock) {
    const std::string lower = Lower(remind_date);
    DateTests tests;
    tests.dated = remind_date == clock.today;
    tests.weekday = Contains(lower, Lower(clock.weekday));
    tests.yearly = Contains(lower, Lower(clock.month)) && LeftText(remind_date, 2) == clock.day;
    tests.every_day = Contains(lower, "day");
    return tests;
}

// Selecting an item of a single-selection list box: -1 clears it, an index
// outside the list leaves it as it was.
int SelectItem(int current, int index, std::size_t count) {
    if (index == -1) return -1;
    if (index >= 0 && static_cast<std::size_t>(index) < count) return index;
    return current;
}

void CountUp(int& count) {
    if (count < std::numeric_limits<int>::max()) ++count;
}

// The code a row ends the tick with: the one written last, else its own.
std::string_view CodeAfter(std::span<const ReminderRow> rows, const std::vector<CodeWrite>& writes,
                           int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
    const auto written =
        std::lower_bound(writes.begin(), writes.end(), row,
                         [](const CodeWrite& write, int index) { return write.row < index; });
    if (written != writes.end() && written->row == row) return written->code;
    return rows[static_cast<std::size_t>(row)].state;
}

std::string_view TextOf(std::span<const ReminderRow> rows, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
    return rows[static_cast<std::size_t>(row)].text;
}

std::string Summary(const ReminderCounts& counts) {
    std::string summary;
    auto add = [&summary](const char* label, int count) {
        if (count > 0) summary += JoinText(label, NumberText(count), ". ");
    };
    add("Priority ONE reminders:", counts.PriorityOneCount);
    add("Reminders today:", counts.TodayCount);
    add("Active Old reminders:", counts.OldActiveCount);
    return summary;
}

}  // namespace

ClockReading ReadClock(int year, int month, int day, int hour, int minute) {
    ClockReading clock;
    char today[32] = {};
    std::snprintf(today, sizeof(today), "%02d-%02d-%04d", day, month, year);
    clock.today = today;
    clock.weekday = kWeekdays[static_cast<std::size_t>(DayOfWeek(year, month, day))];
    clock.month = month >= 1 && month <= 12 ? kMonths[static_cast<std::size_t>(month - 1)] : "";
    clock.day = TwoDigits(day);
    clock.hour = hour;
    clock.minute = minute;
    return clock;
}

int DatedTodayMatches(std::string_view remind_date, const ClockReading& clock) {
    const DateTests tests = TestDate(remind_date, clock);
    return (tests.dated ? 1 : 0) + (tests.weekday ? 1 : 0) + (tests.yearly ? 1 : 0);
}

bool IsTodaysRow(std::string_view remind_date, const ClockReading& clock) {
    const DateTests tests = TestDate(remind_date, clock);
    return tests.dated || tests.weekday || tests.yearly || tests.every_day;
}

ReminderTime ReadReminderTime(std::string_view time) {
    ReminderTime reading;
    reading.hourly = !time.empty() && time.front() == ':';
    reading.hour = RoundTo<int>(TextToNumber(LeftText(time, 2)));
    reading.minute = RoundTo<int>(TextToNumber(MidText(time, reading.hourly ? 2 : 4, 2)));
    return reading;
}

bool ReadsAs(std::string_view number_text, int value) {
    return RoundHalfEven(TextToNumber(number_text)) == value;
}

RowDecision DecideRow(const ReminderRow& row, const ClockReading& clock) {
    RowDecision decision;
    decision.today = IsTodaysRow(row.remind_date, clock);
    if (decision.today) {
        const ReminderTime reminder = ReadReminderTime(row.time);
        if (clock.hour > reminder.hour) {
            decision.hour_passed = true;
            decision.code = kEarlierCode;
        } else if (clock.hour < reminder.hour) {
            decision.hour_ahead = true;
            decision.code = kPendingCode;
        }
        // Minutes count only within the reminder's own hour, or every hour
        // for an hourly time: HH:59 is never alarmed at HH+1:00.
        if (clock.hour == reminder.hour || reminder.hourly) {
            const int minutes = clock.minute - reminder.minute;
            if (minutes >= 0) {
                decision.minute_passed = true;
                decision.minutes_old = minutes;
                decision.code = kMinutePassedCode;
                if (minutes <= 1) {
                    decision.alarm = true;
                    decision.code = kAlarmCode;
                }
            }
        }
    } else if (row.state != kInactiveCode) {
        decision.code = kOldCode;
    }
    if (ReadsAs(row.priority, 1)) {
        decision.priority_one = true;
        decision.code = kPriorityOneCode;
    }
    return decision;
}

ReminderTick RunReminderPass(std::span<const ReminderRow> rows, const ClockReading& clock,
                             const TickSelections& before, int chosen_class,
                             ReminderMemory& memory) {
    ReminderTick tick;
    TickSelections& selected = tick.selections;
    selected = before;
    ReminderCounts& counts = tick.counts;
    memory.AlarmState = 0;
    memory.HighlightDone = 0;
    const std::size_t row_count = rows.size();
    auto select_best_row = [&](int row) {
        if (selected.text == -1 || selected.list_dirty == 1) {
            selected.text = SelectItem(selected.text, row, row_count);
            selected.list_dirty = 0;
        }
    };

    for (std::size_t index = 0; index < row_count; ++index) {
        const ReminderRow& row = rows[index];
        const int i = static_cast<int>(index);
        if (ReadsAs(row.state, 5)) {
            CountUp(counts.OldActiveCount);
            memory.LastOldRow = i;
        }
        if (ReadsAs(row.priority, 1)) {
            CountUp(counts.PriorityOneCount);
            select_best_row(i);
        }
        for (int match = DatedTodayMatches(row.remind_date, clock); match > 0; --match) {
            CountUp(counts.TodayCount);
            if (!ReadsAs(row.state, 0)) tick.BestRow = i;
        }
    }

    tick.SummaryText = CutText(Summary(counts));
    std::string message = tick.SummaryText.empty() ? kNoReminderToday : tick.SummaryText;

    const std::string highlight_code = NumberText(chosen_class - 1);
    for (std::size_t index = 0; index < row_count; ++index) {
        const ReminderRow& row = rows[index];
        const int i = static_cast<int>(index);
        const RowDecision decision = DecideRow(row, clock);
        if (decision.hour_ahead) CountUp(counts.PendingTodayCount);
        if (decision.hour_passed) {
            CountUp(memory.EarlierAlarmCount);
            memory.EarlierAlarmRow = i;
        }
        if (decision.minute_passed) {
            if (memory.AlarmState != 3) memory.AlarmState = 1;
            if (decision.alarm) {
                message = CutText(JoinText("<< REMINDER ALARM >> ", row.text, "  "));
                memory.AlarmText = CutText(row.text);
                selected.text = SelectItem(selected.text, i, row_count);
                if (memory.LastAlarmRow != i) tick.action_rows.push_back(i);
                memory.LastAlarmRow = i;
                memory.AlarmState = 3;
            }
            if (counts.WithinHourCount > 0 && memory.AlarmState == 1) {
                message = CutText(JoinText("There are", NumberText(counts.WithinHourCount + 1.0),
                                           " reminders within the hour. ", tick.SummaryText));
            } else if (counts.WithinHourCount == 0 && memory.AlarmState == 1) {
                message = CutText(JoinText("Reminder", NumberText(decision.minutes_old),
                                           " minutes old: ", row.text, "  ", tick.SummaryText));
            }
            CountUp(counts.WithinHourCount);
        }

        std::string_view code = row.state;
        if (!decision.code.empty()) {
            if (selected.state == i) selected.state = -1;
            if (decision.code != row.state) tick.writes.push_back({i, decision.code});
            code = decision.code;
        }
        // The highlight roves through the rows of the chosen class, one row
        // further on each tick.
        if (code == highlight_code && memory.HighlightDone == 0 && i > memory.HighlightRow &&
            selected.state != i) {
            memory.HighlightDone = 1;
            memory.HighlightRow = i;
            selected.state = i;
        }
        if (i > memory.HighlightRow && selected.state == -1 && memory.HighlightRow != -1) {
            memory.HighlightRow = -1;
        }
    }
    if (selected.state == -1) memory.HighlightRow = -1;

    if (memory.ShowEarlierAlarms == 1) {
        const int earlier = memory.EarlierAlarmCount;
        if (earlier == 1) {
            message = CutText(JoinText("<< REMINDER ALARM FROM EARLIER TODAY >> ",
                                       TextOf(rows, memory.EarlierAlarmRow), "  "));
        } else if (earlier >= 2) {
            message = CutText(JoinText("<< THERE ARE", NumberText(earlier),
                                       " REMINDER ALARMS FROM EARLIER TODAY >> "));
        }
        if (earlier > 0) {
            if (!ReadsAs(CodeAfter(rows, tick.writes, memory.EarlierAlarmRow), 0)) {
                selected.text = SelectItem(selected.text, memory.EarlierAlarmRow, row_count);
            }
            tick.action_rows.push_back(memory.EarlierAlarmRow);
        }
        memory.ShowEarlierAlarms = 0;
    }

    select_best_row(tick.BestRow != -1 ? tick.BestRow : memory.LastOldRow);
    counts.AlarmState = memory.AlarmState;
    tick.SchedulerMessage = std::move(message);
    return tick;
}

}  // namespace vemo
