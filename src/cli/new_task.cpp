#include "cli/new_task.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

#include "app/dates.h"
#include "runtime/text.h"

namespace vemo {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

// The number of a run of exactly `count` digits at `at`; -1 when it is not one.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<std::string> CanonicalRemindDate(std::string_view date) {
    if (date.size() == 10 && date[2] == '-' && date[5] == '-') {
        // Digits only, and a day that can come (the fields' rule).
        if (Digits(date, 0, 2) < 0 || Digits(date, 3, 2) < 0 || Digits(date, 6, 4) < 0 ||
            !WhyDateCannotRing(date).empty()) {
            return std::nullopt;
        }
        return std::string(date);
    }
    if (date.size() == 5 && date.substr(0, 2) == "--") {
        for (const std::string_view name : kDayNames) {
            if (SameLetters(date.substr(2), name)) return JoinText("--", name);
        }
        return std::nullopt;
    }
    if (date.size() == 7 && date.substr(2, 2) == "--") {
        const int day = Digits(date, 0, 2);
        for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
            // A leap year's length: "29--Feb" is a yearly day, raised in leap years.
            if (!SameLetters(date.substr(4), kMonthNames[m]) || day < 0) continue;
            std::string yearly = JoinText(date.substr(0, 4), kMonthNames[m]);
            if (!WhyDateCannotRing(yearly).empty()) return std::nullopt;
            return yearly;
        }
    }
    return std::nullopt;
}

bool IsReminderTime(std::string_view time) {
    // The shape here, the numbers by the fields' rule.
    const bool hourly = time.size() == 3 && time[0] == ':' && Digits(time, 1, 2) >= 0;
    const bool daily =
        time.size() == 5 && time[2] == ':' && Digits(time, 0, 2) >= 0 && Digits(time, 3, 2) >= 0;
    return (hourly || daily) && WhyTimeCannotRing(time).empty();
}

std::optional<std::int32_t> ReadPriority(std::string_view priority) {
    if (priority.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : priority) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    if (value < 1) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool IsTaskText(std::string_view text) {
    // The one-line entry field never holds a control character; a line break
    // would split the note, the log and the message file's lines.
    return !text.empty() && text.size() <= kTaskTextCapacity &&
           std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

TaskRow NewTaskRow(const NewTask& task, std::string_view today, int hour, int minute,
                   std::size_t rows_before) {
    return MakeTaskRow(task.text,
                       task.priority ? NumberText(*task.priority)
                                     : NumberText(static_cast<double>(rows_before) + 1.0),
                       today, task.remind_date ? *task.remind_date : std::string(today),
                       task.time ? *task.time : JoinText(TwoDigits(hour), ":", TwoDigits(minute)));
}

}  // namespace vemo
