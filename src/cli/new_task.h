// A task added from outside the main window (the /add switch, a request
// from a second process): the checks of its fields, the same for both, and
// the row it becomes. Portable: no platform headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/dates.h"
#include "app/task_record.h"

namespace vemo {

// What a caller gives; a field left out gets what Add gives a new row.
struct NewTask {
    std::string text;
    std::optional<std::string> remind_date;  // canonical, see CanonicalRemindDate
    std::optional<std::string> time;         // "HH:MM" or ":MM"
    std::optional<std::int32_t> priority;    // 1 or more

    bool operator==(const NewTask&) const = default;
};

// A remind date as the date fields write it, with real values: "dd-MM-yyyy"
// (a calendar date, years 0001-9999), "--Mon" ... "--Sun", "--Day" or
// "dd--Mmm" (a day that month can have, 29 for Feb). Names are read in any
// case and come back as the buttons write them ("--mon" gives "--Mon").
// None for anything else.
std::optional<std::string> CanonicalRemindDate(std::string_view date);

// "HH:MM" (00-23, 00-59) or ":MM", every hour at that minute.
bool IsReminderTime(std::string_view time);

// Digits only, from 1 to the largest 32-bit int: the record holds no more.
std::optional<std::int32_t> ReadPriority(std::string_view priority);

// Not empty, within a record's text field, and no control character (a zero
// byte would end the text early in the record, a line break split the note
// and log lines).
bool IsTaskText(std::string_view text);

// The row Add makes: created today, the remind date today and the time now
// unless given, the priority the row's number (the rows before it plus one)
// unless given, inactive (" 6"). `today` is "dd-MM-yyyy".
TaskRow NewTaskRow(const NewTask& task, std::string_view today, int hour, int minute,
                   std::size_t rows_before);

}  // namespace vemo
