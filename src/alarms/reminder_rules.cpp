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

// Days since 01-01-1970 of a Gregorian date (Howard Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    month = std::clamp(month, 1, 12);
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t year_of_era = year - era * 400;
    const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

struct CivilDate {
    int year, month, day;
};

// The Gregorian date of a day count (the inverse of DaysFromCivil).
CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t day_of_era = days - era * 146097;
    const std::int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
    const auto day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    const auto month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    const auto year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

std::int64_t DayOf(const ClockReading& clock) {
    const std::int64_t minutes = clock.minutes;
    return (minutes >= 0 ? minutes : minutes - 1439) / 1440;
}

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
    clock.minutes = DaysFromCivil(year, month, day) * 1440 + hour * 60 + minute;
    return clock;
}

ClockReading EndOfDayBefore(const ClockReading& clock) {
    const CivilDate date = CivilFromDays(DayOf(clock) - 1);
    return ReadClock(date.year, date.month, date.day, 23, 59);
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

std::uint64_t OccurrenceKey(const ReminderRow& row, std::string_view today, int hour) {
    // FNV-1a over the fields, each ended by a byte no text holds: the log
    // keeps 8 bytes an occurrence, whatever the length of the task's text.
    std::uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](std::string_view field) {
        for (const char c : field) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
        hash ^= 0x1F;
        hash *= 1099511628211ull;
    };
    add(row.text);
    add(row.remind_date);
    add(row.time);
    add(today);
    add(TwoDigits(hour));
    return hash;
}

std::optional<Occurrence> LatestOccurrence(const ReminderTime& reminder,
                                           const ClockReading& clock) {
    if (reminder.minute < 0 || reminder.minute > 59) return std::nullopt;
    int hour = reminder.hour;
    if (reminder.hourly) {
        hour = clock.minute >= reminder.minute ? clock.hour : clock.hour - 1;
    }
    if (hour < 0 || hour > 23) return std::nullopt;
    const int ago = (clock.hour * 60 + clock.minute) - (hour * 60 + reminder.minute);
    if (ago < 0) return std::nullopt;
    return Occurrence{hour, ago};
}

bool OccurrenceLog::Ran(std::uint64_t key) const {
    for (const auto& [day, keys] : days_) {
        if (keys.count(key) != 0) return true;
    }
    return false;
}

void OccurrenceLog::Mark(std::int64_t day, std::uint64_t key) {
    days_[day].insert(key);
    // Older days can no longer come round: not even a clock put back an hour
    // past midnight reaches them.
    const std::int64_t latest = days_.rbegin()->first;
    days_.erase(days_.begin(), days_.lower_bound(latest - 1));
}

namespace {

struct MissedOccurrence {
    std::uint64_t key = 0;
    std::int64_t day = 0;
    int minutes_ago = 0;
};

// The row's latest occurrence that fell after the last tick and whose alarm
// window has passed unseen: today's, or, when the last tick was before
// midnight, yesterday's. None when that one has run its actions.
std::optional<MissedOccurrence> FindMissed(const ReminderRow& row, const ClockReading& clock,
                                           const ClockReading* yesterday, std::int64_t last_tick,
                                           const OccurrenceLog& ran) {
    const ReminderTime reminder = ReadReminderTime(row.time);
    const ClockReading* days[] = {&clock, yesterday};
    for (const ClockReading* day : days) {
        if (day == nullptr || !IsTodaysRow(row.remind_date, *day)) continue;
        const std::optional<Occurrence> latest = LatestOccurrence(reminder, *day);
        if (!latest) continue;
        const std::int64_t at = day->minutes - latest->minutes_ago;
        if (at <= last_tick) return std::nullopt;  // seen, or before the last tick
        const std::uint64_t key = OccurrenceKey(row, day->today, latest->hour);
        if (ran.Ran(key)) return std::nullopt;
        return MissedOccurrence{key, DayOf(*day), static_cast<int>(clock.minutes - at)};
    }
    return std::nullopt;
}

}  // namespace

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
    const bool report_earlier = memory.ShowEarlierAlarms == 1;
    std::vector<std::uint64_t> earlier_keys;  // the occurrences a report covers
    int caught_up = -1;                       // the last row caught up in this tick
    int caught_up_minutes = 0;
    bool alarmed_now = false;  // a reminder in its alarm window
    // Yesterday's reminders are missed too when the last tick was before
    // midnight.
    std::optional<ClockReading> yesterday;
    if (memory.LastTickMinute && *memory.LastTickMinute < DayOf(clock) * 1440) {
        yesterday = EndOfDayBefore(clock);
    }
    for (std::size_t index = 0; index < row_count; ++index) {
        const ReminderRow& row = rows[index];
        const int i = static_cast<int>(index);
        const RowDecision decision = DecideRow(row, clock);
        if (decision.hour_ahead) CountUp(counts.PendingTodayCount);
        if (decision.hour_passed) {
            CountUp(memory.EarlierAlarmCount);
            memory.EarlierAlarmRow = i;
        }
        if (decision.hour_passed && report_earlier) {
            const ReminderTime reminder = ReadReminderTime(row.time);
            const std::optional<Occurrence> latest = LatestOccurrence(reminder, clock);
            earlier_keys.push_back(
                OccurrenceKey(row, clock.today, latest ? latest->hour : reminder.hour));
        }
        // Missed while no tick ran (sleep, a long message box): its latest
        // occurrence, once. One still in its alarm window is alarmed below.
        if (memory.LastTickMinute && !decision.alarm) {
            const std::optional<MissedOccurrence> missed =
                FindMissed(row, clock, yesterday ? &*yesterday : nullptr, *memory.LastTickMinute,
                           memory.Ran);
            if (missed) {
                memory.Ran.Mark(missed->day, missed->key);
                tick.action_rows.push_back(i);
                caught_up = i;
                caught_up_minutes = missed->minutes_ago;
                memory.AlarmText = CutText(row.text);
                selected.text = SelectItem(selected.text, i, row_count);
            }
        }

        if (decision.minute_passed) {
            if (memory.AlarmState != 3) memory.AlarmState = 1;
            if (decision.alarm) {
                message = CutText(JoinText("<< REMINDER ALARM >> ", row.text, "  "));
                memory.AlarmText = CutText(row.text);
                selected.text = SelectItem(selected.text, i, row_count);
                // Once an occurrence, however many ticks its window holds
                // and however many rows alarm with it.
                const std::uint64_t key = OccurrenceKey(row, clock.today, clock.hour);
                if (!memory.Ran.Ran(key)) {
                    memory.Ran.Mark(DayOf(clock), key);
                    tick.action_rows.push_back(i);
                }
                alarmed_now = true;
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
    // A reminder raised late says how late, unless one is due this minute;
    // to the network it is an alarm all the same.
    if (caught_up != -1) {
        if (!alarmed_now) {
            message = CutText(JoinText("Reminder", NumberText(caught_up_minutes),
                                       " minutes old: ", TextOf(rows, caught_up), "  ",
                                       tick.SummaryText));
        }
        memory.AlarmState = 3;
    }

    if (report_earlier) {
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
            // The report runs the actions once for what it covers, unless
            // all of it has run them already (a resume, a clock change, a
            // reload in the same process).
            const bool all_ran =
                std::all_of(earlier_keys.begin(), earlier_keys.end(),
                            [&memory](std::uint64_t key) { return memory.Ran.Ran(key); });
            // A reminder caught up in this tick has just alerted the user:
            // the report adds no second run.
            if (!all_ran && caught_up == -1) tick.action_rows.push_back(memory.EarlierAlarmRow);
            for (const std::uint64_t key : earlier_keys) memory.Ran.Mark(DayOf(clock), key);
        }
        memory.ShowEarlierAlarms = 0;
    }

    select_best_row(tick.BestRow != -1 ? tick.BestRow : memory.LastOldRow);
    counts.AlarmState = memory.AlarmState;
    tick.SchedulerMessage = std::move(message);
    memory.LastTickMinute = clock.minutes;
    return tick;
}

}  // namespace vemo
