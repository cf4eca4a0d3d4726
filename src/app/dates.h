// Calendar arithmetic of the Gregorian calendar and the date texts the
// program writes, for the reminder patterns, the command line and the
// exports alike. Portable.
#pragma once

#include <cstdint>
#include <string>

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

}  // namespace vemo
