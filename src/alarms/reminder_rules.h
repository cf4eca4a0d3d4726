// What one scheduler tick decides, over plain texts: which rows are today's,
// their reminder hour and minute, the code each row gets, the counts, the
// message, the alarms and where the two selections end. The tick reads the
// list columns once, calls RunReminderPass and then applies its result.
// Portable: no platform headers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/task_rows.h"

namespace vemo {

inline constexpr char kNoReminderToday[] = "No Reminder today.";

// The local date and time as the reminder patterns read them. Day and month
// names are English, as the date fields' buttons write them.
struct ClockReading {
    std::string today;    // "dd-MM-yyyy"
    std::string weekday;  // "ddd": "Mon" ... "Sun"
    std::string month;    // "MMM": "Jan" ... "Dec"
    std::string day;      // "dd"
    int hour = 0;
    int minute = 0;
    // Minutes since 01-01-1970 00:00 on the local clock: orders ticks and
    // reminder occurrences across midnight.
    std::int64_t minutes = 0;
    // How far the system clock stands from a steady clock that runs on
    // through sleep and is never set: it changes only when the clock is set
    // (by the user, a time server), not with daylight saving.
    std::int64_t offset = 0;
};

// The weekday is worked out from the date, as the system's date formatting does.
ClockReading ReadClock(int year, int month, int day, int hour, int minute);
// The clock at the last minute of the day before.
ClockReading EndOfDayBefore(const ClockReading& clock);

// One row as the tick reads it from the five columns it needs.
struct ReminderRow {
    std::string_view text;
    std::string_view priority;
    std::string_view remind_date;
    std::string_view time;
    std::string_view state;
};

// How many of the counting tests the remind date passes: the date itself, the
// weekday, the yearly day and month. Every-day rows are not counted here.
int DatedTodayMatches(std::string_view remind_date, const ClockReading& clock);
// A today's row of the classifying pass: dated today, or a matching weekday,
// yearly day or "Day" pattern (all compared without regard to case).
bool IsTodaysRow(std::string_view remind_date, const ClockReading& clock);

struct ReminderTime {
    int hour = 0;  // an hourly time reads as hour 0
    int minute = 0;
    bool hourly = false;  // ":MM", every hour at that minute
};
ReminderTime ReadReminderTime(std::string_view time);

// The row's number read and rounded as the program reads every number.
bool ReadsAs(std::string_view number_text, int value);

// What the classifying pass decides for one row, before the counts and the
// messages that depend on the rows before it.
struct RowDecision {
    bool today = false;
    bool hour_ahead = false;     // pending later today (" 3")
    bool hour_passed = false;    // earlier today (" 4")
    bool minute_passed = false;  // its minute came within the tested hour (" 2")
    bool alarm = false;          // the minute itself or the next one (" 0")
    int minutes_old = 0;
    bool priority_one = false;  // " 1", written last
    // The code written last; empty when no rule writes one.
    std::string_view code;
};
RowDecision DecideRow(const ReminderRow& row, const ClockReading& clock);
// The same for a row already known to be a today's row, or not.
RowDecision DecideRow(const ReminderRow& row, const ClockReading& clock, bool today);

// One occurrence of a reminder: the row's text, remind date and time with the
// day and the hour it fell in. Keys, not row indexes, since rows move on
// delete, sort and import.
std::uint64_t OccurrenceKey(const ReminderRow& row, std::string_view today, int hour);

// The reminder's latest occurrence today at or before the clock's minute:
// its hour and how many minutes ago it fell. None for a time no clock shows
// (minute 60, hour 24) or an hourly minute not yet reached in hour 0.
struct Occurrence {
    int hour = 0;
    int minutes_ago = 0;
};
std::optional<Occurrence> LatestOccurrence(const ReminderTime& reminder, const ClockReading& clock);

// The occurrences whose alarm actions have run in this process, so that each
// runs them once: on every tick of its alarm window, after a resume, in a
// repeated daylight-saving hour, when the clock is set ahead and back. A
// mark holds under the clock it was made by: one made while the clock was
// set more than a few minutes away (an hour or a day tried ahead to see a
// reminder ring) is another moment's, and the real one still rings.
class OccurrenceLog {
  public:
    bool Ran(std::uint64_t key, const ClockReading& clock) const;
    void Mark(std::uint64_t key, const ClockReading& clock);
    // Marks made two days ago by the steady clock can no longer come round.
    void Forget(const ClockReading& clock);

  private:
    // A time server's corrections and the two clocks' minutes turning over
    // at different seconds stay within it.
    static constexpr std::int64_t kSameClockMinutes = 5;
    static constexpr std::int64_t kKeptMinutes = 2 * 1440;
    struct Made {
        std::int64_t offset;  // the clock's, when the mark was made
        std::int64_t steady;  // the steady clock's minute then (give or take the zone)
    };
    std::unordered_multimap<std::uint64_t, Made> marks_;
};

// Kept from one tick to the next; the main window's state holds it.
struct ReminderMemory {
    int LastOldRow = 0;          // last row with code 5; kept
    int EarlierAlarmRow = 0;     // last today's row whose hour has passed; kept
    int HighlightRow = -1;       // kept; -1 when the highlight runs off the rows
    bool HighlightDone = false;  // false at each tick
    // Today's rows whose hour had passed, summed over the ticks: 0 when the
    // main window is built and on a wake-up; it stops at the largest int.
    int EarlierAlarmCount = 0;
    bool ShowEarlierAlarms = true;  // when the main window is built and on a wake-up
    // The report after a resume or a clock change covers the gap since the
    // last tick before it: it runs the actions only for what fell after this
    // minute. None for the report of a start or a Refresh, which runs them
    // once for every earlier alarm that has not run.
    std::optional<std::int64_t> EarlierReportSince;
    // A report that waited a tick for a catch-up: it leaves the selection on
    // the task caught up.
    bool EarlierReportAfterCatchUp = false;
    int AlarmState = 0;     // 0 at each tick: 1 a minute passed, 3 an alarm fired
    std::string AlarmText;  // text of the row that alarmed last; kept
    // Kept for the life of the process: a reload or a database switch must
    // not let an occurrence run its actions twice.
    OccurrenceLog Ran;
    // The clock's minute at the last tick (ClockReading::minutes); none
    // before the first. A reminder whose minute fell after it and whose
    // window has passed was missed (sleep, a long message box) and is caught
    // up. The pause restarts it, so paused time raises nothing.
    std::optional<std::int64_t> LastTickMinute;
};

// Asks the next tick for the earlier-today report: `AtStart` when the main
// window is built (start-up, Refresh), `AfterGap` after a resume from sleep
// or a clock change. Counted afresh by that tick.
enum class EarlierReport { AtStart, AfterGap };
void ReportEarlierAlarmsNextTick(ReminderMemory& memory, EarlierReport report);
// The timer runs again at `minutes` after the user paused it: the paused
// time raises nothing, not even through a report of a resume or a clock
// change that came while the Pause box was open.
void RestartTickClock(ReminderMemory& memory, std::int64_t minutes);

// The two list selections the tick moves, and the flag that lets it.
struct TickSelections {
    int text = -1;   // TextColumn
    int state = -1;  // StateColumn
    bool list_dirty = false;
};

// The six network inputs, in network order. They do not wrap.
struct ReminderCounts {
    int AlarmState = 0;
    int PriorityOneCount = 0;
    int WithinHourCount = 0;
    int PendingTodayCount = 0;
    int TodayCount = 0;
    int OldActiveCount = 0;

    std::array<int, 6> Inputs() const {
        return {AlarmState,        PriorityOneCount, WithinHourCount,
                PendingTodayCount, TodayCount,       OldActiveCount};
    }
};

// A state code the tick rewrites: the model takes them as they are.
using CodeWrite = CellWrite;

struct ReminderTick {
    ReminderCounts counts;
    std::string SummaryText;
    std::string SchedulerMessage;
    // Only codes whose text changes; rewriting an unchanged one is skipped.
    std::vector<CodeWrite> writes;
    // One entry per run of the alarm actions, in order: the row it ran for.
    // Each live alarm runs them once; all the reminders a tick catches up
    // run them once together, for the newest of them.
    std::vector<int> action_rows;
    int BestRow = -1;
    // Where the selections stand after the tick. Rewriting a code deletes and
    // re-inserts its item, which drops the state column's selection when it
    // sits on that row; this is already accounted for here, whether or not the
    // rewrite actually happens.
    TickSelections selections;
};

// One tick over the rows: both passes, the earlier-today report and the
// select-best-row step. `chosen_class` is the network's choice of the last
// evaluation. `memory` is read and updated.
ReminderTick RunReminderPass(std::span<const ReminderRow> rows, const ClockReading& clock,
                             const TickSelections& before, int chosen_class,
                             ReminderMemory& memory);

}  // namespace vemo
