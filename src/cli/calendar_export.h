// The tasks as an iCalendar file (RFC 5545): one VTODO per task, its
// reminder as the scheduler raises it. Portable: no platform headers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/task_record.h"
#include "cli/export_text.h"

namespace vemo {

inline constexpr std::string_view kCalendarProductId = "-//Vemo//Vemo 0.9//EN";

struct UtcTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// A task's reminder in iCalendar terms. Times are the local clock's, so
// they are written floating: "yyyymmddThhmmss", no zone.
struct CalendarReminder {
    std::string start;  // the first occurrence
    std::string due;    // a fixed date only: as its alarm window closes, 2 minutes on
    std::string rule;   // the RRULE value; empty for one fixed date and time

    bool operator==(const CalendarReminder&) const = default;
};

// What the scheduler does with the row's remind date and time, found by
// asking its own tests (IsTodaysRow, DatedTodayMatches, ReadReminderTime)
// about sample days rather than reading the texts a second way. The first
// occurrence is a fixed date's, else the first day on or after the created
// date that the scheduler matches (today, from `now`, when the created date
// is no date). None when no single rule says it: a remind date matched on
// no day, or in two ways one rule cannot join (a weekday and a yearly day),
// or a time no clock shows.
std::optional<CalendarReminder> CalendarReminderOf(std::string_view remind_date,
                                                   std::string_view time, std::string_view created,
                                                   const UtcTime& now);

struct CalendarExport {
    std::string text;
    std::size_t tasks = 0;
    std::size_t without_rule = 0;  // tasks whose reminder no rule expresses
};

// The whole file, CR LF line ends. Each task's UID is a hash of the
// database path and the task's text, created date, remind date and time
// (and its place among identical tasks): an unchanged task keeps its UID,
// while the state codes the scheduler rewrites and the priority do not
// make a new one.
CalendarExport ExportCalendar(const std::vector<TaskRow>& rows, std::string_view database_path,
                              const UtcTime& now, const TextToUtf8& to_utf8);

// A TEXT value: backslash, semicolon and comma escaped, line breaks as \n.
std::string CalendarText(std::string_view text);

// One content line folded at 75 octets, never inside a UTF-8 sequence; each
// continuation begins with a blank, and every line ends with CR LF.
std::string ContentLine(std::string_view line);

}  // namespace vemo
