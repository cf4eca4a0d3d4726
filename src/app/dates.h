// Calendar arithmetic of the Gregorian calendar and the date texts the
// program writes, for the reminder patterns, the command line and the
// exports alike. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

// The picture of a task's dates ("07-12-2026"), as the date formatting
// service takes it.
inline constexpr char kDatePicture[] = "dd'-'MM'-'yyyy";

struct CivilDate {
    int year, month, day;
};

// Days since 01-01-1970 of a Gregorian date, and back.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);
// 0 = Sunday, for any Gregorian date.
int DayOfWeek(int year, int month, int day);
// Days in a month; 0 for a month that is not 1-12.
int DaysInMonth(int year, int month);
// "07", "23": two digits at least.
std::string TwoDigits(int value);
// A day as kDatePicture writes it: "07-12-2026".
std::string DateTextOf(int year, int month, int day);

// Why a reminder's date or time can never ring, in words for the user
// ("February 2026 has 28 days", "there is no hour 25 (00 to 23)"); "" when
// it can, and for a text that is no date or time pattern at all (a task
// kept without a reminder). The date fields' shapes: "dd-MM-yyyy" and
// "dd--Mmm" (every year); the time's: "HH:MM" and ":MM" (every hour).
// The one rule for the fields and the command line alike.
std::string WhyDateCannotRing(std::string_view date);
std::string WhyTimeCannotRing(std::string_view time);

}  // namespace vemo
