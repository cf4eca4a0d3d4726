#include "alarms/reminder_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "app/dates.h"
#include "runtime/text.h"

namespace vemo {

namespace {

constexpr std::string_view kAlarmCode = " 0";
constexpr std::string_view kPriorityOneCode = " 1";
constexpr std::string_view kMinutePassedCode = " 2";
constexpr std::string_view kPendingCode = " 3";
constexpr std::string_view kEarlierCode = " 4";
constexpr std::string_view kOldCode = " 5";
constexpr std::string_view kInactiveCode = " 6";

std::int64_t DayOf(const ClockReading& clock) {
    const std::int64_t minutes = clock.minutes;
    return (minutes >= 0 ? minutes : minutes - 1439) / 1440;
}

// The patterns hold English names only, so ASCII case is all that differs.

struct DateTests {
    bool dated = false;
    bool weekday = false;
    bool yearly = false;
    bool every_day = false;
};

char LowerLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Contains, without regard to case; every tick asks it of every row, so it
// allocates nothing.
bool ContainsAnyCase(std::string_view text, std::string_view pattern) {
    if (pattern.empty() || pattern.size() > text.size()) return false;
    for (std::size_t at = 0; at + pattern.size() <= text.size(); ++at) {
        std::size_t k = 0;
        while (k < pattern.size() && LowerLetter(text[at + k]) == LowerLetter(pattern[k])) ++k;
        if (k == pattern.size()) return true;
    }
    return false;
}

DateTests TestDate(std::string_view remind_date, const ClockReading& clock) {
    DateTests tests;
    tests.dated = remind_date == clock.today;
    tests.weekday = ContainsAnyCase(remind_date, clock.weekday);
    tests.yearly =
        ContainsAnyCase(remind_date, clock.month) && remind_date.substr(0, 2) == clock.day;
    tests.every_day = ContainsAnyCase(remind_date, "day");
    return tests;
}

bool IsToday(const DateTests& tests) {
    return tests.dated || tests.weekday || tests.yearly || tests.every_day;
}

int CountedMatches(const DateTests& tests) {
    return (tests.dated ? 1 : 0) + (tests.weekday ? 1 : 0) + (tests.yearly ? 1 : 0);
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
    if (written != writes.end() && written->row == row) return written->text;
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
    clock.today = DateTextOf(year, month, day);
    // DayOfWeek counts from Sunday, the names from Monday.
    clock.weekday = kDayNames[static_cast<std::size_t>((DayOfWeek(year, month, day) + 6) % 7)];
    clock.month = month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month - 1)] : "";
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
    return CountedMatches(TestDate(remind_date, clock));
}

bool IsTodaysRow(std::string_view remind_date, const ClockReading& clock) {
    return IsToday(TestDate(remind_date, clock));
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

bool OccurrenceLog::Ran(std::uint64_t key, const ClockReading& clock) const {
    const auto [first, last] = marks_.equal_range(key);
    return std::any_of(first, last, [&clock](const auto& mark) {
        return std::abs(mark.second.offset - clock.offset) <= kSameClockMinutes;
    });
}

void OccurrenceLog::Mark(std::uint64_t key, const ClockReading& clock) {
    if (!Ran(key, clock)) marks_.emplace(key, Made{clock.offset, clock.minutes - clock.offset});
}

void OccurrenceLog::Forget(const ClockReading& clock) {
    const std::int64_t steady = clock.minutes - clock.offset;
    std::erase_if(
        marks_, [steady](const auto& mark) { return mark.second.steady < steady - kKeptMinutes; });
}

void ReportEarlierAlarmsNextTick(ReminderMemory& memory, EarlierReport report) {
    // A report still waiting covers the new gap too: it began no later.
    const bool waiting = memory.ShowEarlierAlarms;
    memory.ShowEarlierAlarms = true;
    memory.EarlierAlarmCount = 0;
    if (report == EarlierReport::AtStart) {
        memory.EarlierReportSince.reset();
    } else if (!waiting) {
        memory.EarlierReportSince = memory.LastTickMinute;
    }
}

void RestartTickClock(ReminderMemory& memory, std::int64_t minutes) {
    memory.LastTickMinute = minutes;
    if (memory.EarlierReportSince && *memory.EarlierReportSince < minutes) {
        memory.EarlierReportSince = minutes;
    }
}

namespace {

struct MissedOccurrence {
    std::uint64_t key = 0;
    int minutes_ago = 0;
};

// The row's latest occurrence that fell after the last tick and whose alarm
// window has passed unseen: today's, or, when the last tick was before
// midnight, yesterday's. None when that one has run its actions.
std::optional<MissedOccurrence> FindMissed(const ReminderRow& row, const ClockReading& clock,
                                           bool today, const ClockReading* yesterday,
                                           std::int64_t last_tick, const OccurrenceLog& ran) {
    const bool yesterdays = yesterday != nullptr && IsTodaysRow(row.remind_date, *yesterday);
    if (!today && !yesterdays) return std::nullopt;
    const ReminderTime reminder = ReadReminderTime(row.time);
    const ClockReading* days[] = {today ? &clock : nullptr, yesterdays ? yesterday : nullptr};
    for (const ClockReading* day : days) {
        if (day == nullptr) continue;
        const std::optional<Occurrence> latest = LatestOccurrence(reminder, *day);
        if (!latest) continue;
        const std::int64_t at = day->minutes - latest->minutes_ago;
        if (at <= last_tick) return std::nullopt;  // seen, or before the last tick
        const std::uint64_t key = OccurrenceKey(row, day->today, latest->hour);
        if (ran.Ran(key, clock)) return std::nullopt;
        return MissedOccurrence{key, static_cast<int>(clock.minutes - at)};
    }
    return std::nullopt;
}

}  // namespace

bool ReadsAs(std::string_view number_text, int value) {
    return RoundHalfEven(TextToNumber(number_text)) == value;
}

RowDecision DecideRow(const ReminderRow& row, const ClockReading& clock) {
    return DecideRow(row, clock, IsTodaysRow(row.remind_date, clock));
}

RowDecision DecideRow(const ReminderRow& row, const ClockReading& clock, bool today) {
    RowDecision decision;
    decision.today = today;
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

namespace {

// One tick over the rows, phase by phase, in the order the tick runs them.
class TickPass {
  public:
    TickPass(std::span<const ReminderRow> rows, const ClockReading& clock,
             const TickSelections& before, int chosen_class, ReminderMemory& memory)
        : rows_(rows),
          clock_(clock),
          memory_(memory),
          highlight_code_(NumberText(chosen_class - 1)),
          report_earlier_(memory.ShowEarlierAlarms) {
        tick_.selections = before;
        memory_.Ran.Forget(clock_);
        memory_.AlarmState = 0;
        memory_.HighlightDone = false;
        // Yesterday's reminders are missed too when the last tick was before
        // midnight.
        if (memory_.LastTickMinute && *memory_.LastTickMinute < DayOf(clock_) * 1440) {
            yesterday_ = EndOfDayBefore(clock_);
        }
    }

    ReminderTick Run() {
        CountRows();
        tick_.SummaryText = CutText(Summary(tick_.counts));
        message_ = tick_.SummaryText.empty() ? kNoReminderToday : tick_.SummaryText;
        for (int i = 0; i < Count(); ++i) ClassifyRow(i);
        if (tick_.selections.state == -1) memory_.HighlightRow = -1;
        ReportCatchUp();
        if (report_earlier_) ReportEarlierAlarms();
        SelectBestRow(tick_.BestRow != -1 ? tick_.BestRow : memory_.LastOldRow);
        tick_.counts.AlarmState = memory_.AlarmState;
        tick_.SchedulerMessage = std::move(message_);
        memory_.LastTickMinute = clock_.minutes;
        return std::move(tick_);
    }

  private:
    int Count() const { return static_cast<int>(rows_.size()); }
    const ReminderRow& RowAt(int i) const { return rows_[static_cast<std::size_t>(i)]; }

    void Select(int row) {
        tick_.selections.text = SelectItem(tick_.selections.text, row, rows_.size());
    }
    void SelectBestRow(int row) {
        TickSelections& selected = tick_.selections;
        if (selected.text == -1 || selected.list_dirty) {
            Select(row);
            selected.list_dirty = false;
        }
    }

    // The first pass: the counts, and the rows the selection may go to.
    void CountRows() {
        ReminderCounts& counts = tick_.counts;
        today_.resize(rows_.size());
        for (int i = 0; i < Count(); ++i) {
            const ReminderRow& row = RowAt(i);
            const DateTests tests = TestDate(row.remind_date, clock_);
            today_[static_cast<std::size_t>(i)] = IsToday(tests);
            if (ReadsAs(row.state, 5)) {
                CountUp(counts.OldActiveCount);
                memory_.LastOldRow = i;
            }
            if (ReadsAs(row.priority, 1)) {
                CountUp(counts.PriorityOneCount);
                SelectBestRow(i);
            }
            for (int match = CountedMatches(tests); match > 0; --match) {
                CountUp(counts.TodayCount);
                if (!ReadsAs(row.state, 0)) tick_.BestRow = i;
            }
        }
    }

    // The second pass, one row: its class, its alarm or the one it missed,
    // its code and the roving highlight.
    void ClassifyRow(int i) {
        const ReminderRow& row = RowAt(i);
        const RowDecision decision = DecideRow(row, clock_, today_[static_cast<std::size_t>(i)]);
        if (decision.hour_ahead) CountUp(tick_.counts.PendingTodayCount);
        if (decision.hour_passed) {
            CountUp(memory_.EarlierAlarmCount);
            memory_.EarlierAlarmRow = i;
            if (report_earlier_) NoteEarlierOccurrence(row);
        }
        // One still in its alarm window is alarmed below.
        if (memory_.LastTickMinute && !decision.alarm) CatchUp(i);
        if (decision.minute_passed) MinutePassed(i, decision);
        WriteCode(i, decision);
    }

    void NoteEarlierOccurrence(const ReminderRow& row) {
        const ReminderTime reminder = ReadReminderTime(row.time);
        const std::optional<Occurrence> latest = LatestOccurrence(reminder, clock_);
        const std::int64_t at = latest ? clock_.minutes - latest->minutes_ago
                                       : DayOf(clock_) * 1440 + reminder.hour * 60;
        earlier_.push_back(
            {OccurrenceKey(row, clock_.today, latest ? latest->hour : reminder.hour), at});
    }

    // Missed while no tick ran (sleep, a long message box): its latest
    // occurrence, once. The newest of those a tick finds is the one reported.
    void CatchUp(int i) {
        const std::optional<MissedOccurrence> missed =
            FindMissed(RowAt(i), clock_, today_[static_cast<std::size_t>(i)],
                       yesterday_ ? &*yesterday_ : nullptr, *memory_.LastTickMinute, memory_.Ran);
        if (!missed) return;
        memory_.Ran.Mark(missed->key, clock_);
        if (caught_up_ == -1 || missed->minutes_ago <= caught_up_minutes_) {
            caught_up_ = i;
            caught_up_minutes_ = missed->minutes_ago;
        }
    }

    void MinutePassed(int i, const RowDecision& decision) {
        const ReminderRow& row = RowAt(i);
        ReminderCounts& counts = tick_.counts;
        if (memory_.AlarmState != 3) memory_.AlarmState = 1;
        if (decision.alarm) {
            message_ = CutText(JoinText("<< REMINDER ALARM >> ", row.text, "  "));
            memory_.AlarmText = CutText(row.text);
            Select(i);
            // Once an occurrence, however many ticks its window holds and
            // however many rows alarm with it.
            const std::uint64_t key = OccurrenceKey(row, clock_.today, clock_.hour);
            if (!memory_.Ran.Ran(key, clock_)) {
                memory_.Ran.Mark(key, clock_);
                tick_.action_rows.push_back(i);
            }
            alarmed_now_ = true;
            memory_.AlarmState = 3;
        }
        if (counts.WithinHourCount > 0 && memory_.AlarmState == 1) {
            message_ = CutText(JoinText("There are", NumberText(counts.WithinHourCount + 1.0),
                                        " reminders within the hour. ", tick_.SummaryText));
        } else if (counts.WithinHourCount == 0 && memory_.AlarmState == 1) {
            message_ = CutText(JoinText("Reminder", NumberText(decision.minutes_old),
                                        " minutes old: ", row.text, "  ", tick_.SummaryText));
        }
        CountUp(counts.WithinHourCount);
    }

    void WriteCode(int i, const RowDecision& decision) {
        const ReminderRow& row = RowAt(i);
        TickSelections& selected = tick_.selections;
        std::string_view code = row.state;
        if (!decision.code.empty()) {
            if (selected.state == i) selected.state = -1;
            if (decision.code != row.state) tick_.writes.push_back({i, decision.code});
            code = decision.code;
        }
        // The highlight roves through the rows of the chosen class, one row
        // further on each tick.
        if (code == highlight_code_ && !memory_.HighlightDone && i > memory_.HighlightRow &&
            selected.state != i) {
            memory_.HighlightDone = true;
            memory_.HighlightRow = i;
            selected.state = i;
        }
        if (i > memory_.HighlightRow && selected.state == -1 && memory_.HighlightRow != -1) {
            memory_.HighlightRow = -1;
        }
    }

    // Reminders raised late run the actions once together (a long sleep must
    // not start the program once for each) and the newest says how late,
    // unless one is due this minute; to the network it is an alarm all the
    // same.
    void ReportCatchUp() {
        if (caught_up_ == -1) return;
        // A live alarm that ran them has already alerted the user.
        if (tick_.action_rows.empty()) tick_.action_rows.push_back(caught_up_);
        if (!alarmed_now_) {
            message_ = CutText(JoinText("Reminder", NumberText(caught_up_minutes_),
                                        " minutes old: ", TextOf(rows_, caught_up_), "  ",
                                        tick_.SummaryText));
            memory_.AlarmText = CutText(TextOf(rows_, caught_up_));
            Select(caught_up_);
        }
        memory_.AlarmState = 3;
    }

    void ReportEarlierAlarms() {
        // The line and the selection stay with what was just caught up; the
        // report comes at the next tick, counted afresh.
        if (caught_up_ != -1) {
            memory_.EarlierAlarmCount = 0;
            memory_.EarlierReportAfterCatchUp = true;
            return;
        }
        const int earlier = memory_.EarlierAlarmCount;
        if (earlier == 1) {
            message_ = CutText(JoinText("<< REMINDER ALARM FROM EARLIER TODAY >> ",
                                        TextOf(rows_, memory_.EarlierAlarmRow), "  "));
        } else if (earlier >= 2) {
            message_ = CutText(JoinText("<< THERE ARE", NumberText(earlier),
                                        " REMINDER ALARMS FROM EARLIER TODAY >> "));
        }
        if (earlier > 0) {
            if (!memory_.EarlierReportAfterCatchUp &&
                !ReadsAs(CodeAfter(rows_, tick_.writes, memory_.EarlierAlarmRow), 0)) {
                Select(memory_.EarlierAlarmRow);
            }
            // The report runs the actions once for what it covers and has not
            // run them (a reload in the same process has). After a resume or
            // a clock change it covers only the gap: what passed before it,
            // paused over or before the start, rang then or not at all, and
            // must not ring hours late.
            const std::optional<std::int64_t> since = memory_.EarlierReportSince;
            const bool due = std::any_of(earlier_.begin(), earlier_.end(), [&](const Earlier& e) {
                return !memory_.Ran.Ran(e.key, clock_) && (!since || e.at > *since);
            });
            if (due) tick_.action_rows.push_back(memory_.EarlierAlarmRow);
            for (const Earlier& e : earlier_) memory_.Ran.Mark(e.key, clock_);
        }
        memory_.ShowEarlierAlarms = false;
        memory_.EarlierReportSince.reset();
        memory_.EarlierReportAfterCatchUp = false;
    }

    std::span<const ReminderRow> rows_;
    const ClockReading& clock_;
    ReminderMemory& memory_;
    const std::string highlight_code_;
    const bool report_earlier_;
    std::optional<ClockReading> yesterday_;
    std::vector<char> today_;  // by row: a today's row, found by the first pass
    ReminderTick tick_;
    std::string message_;
    struct Earlier {
        std::uint64_t key = 0;
        std::int64_t at = 0;  // the minute it fell (ClockReading::minutes)
    };
    std::vector<Earlier> earlier_;  // the occurrences a report covers
    int caught_up_ = -1;            // the newest row caught up in this tick
    int caught_up_minutes_ = 0;
    bool alarmed_now_ = false;  // a reminder in its alarm window
};

}  // namespace

ReminderTick RunReminderPass(std::span<const ReminderRow> rows, const ClockReading& clock,
                             const TickSelections& before, int chosen_class,
                             ReminderMemory& memory) {
    return TickPass(rows, clock, before, chosen_class, memory).Run();
}

}  // namespace vemo
