#include "app/dates.h"

#include <algorithm>
#include <cstdio>

#include "runtime/text.h"

namespace vemo {

// Howard Hinnant's days_from_civil.
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

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string DateTextOf(int year, int month, int day) {
    char text[32] = {};
    std::snprintf(text, sizeof(text), "%02d-%02d-%04d", day, month, year);
    return text;
}

namespace {

constexpr const char* kMonthWords[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

// The number of `count` digits at `at`, or -1 when they are not all digits.
int DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string WhyDayCannotBe(int day, int month, int year, bool every_year) {
    if (month < 1 || month > 12) return "there is no month " + std::to_string(month);
    if (day < 1) return "there is no day " + std::to_string(day);
    // A yearly day is raised in leap years: "29--Feb" can ring.
    const int days = DaysInMonth(every_year ? 2000 : year, month);
    if (day <= days) return {};
    std::string month_name = kMonthWords[month - 1];
    if (every_year) return month_name + " has " + std::to_string(days) + " days at most";
    return month_name + " " + std::to_string(year) + " has " + std::to_string(days) + " days";
}

}  // namespace

std::string WhyDateCannotRing(std::string_view date) {
    if (date.size() == 10 && date[2] == '-' && date[5] == '-') {
        const int day = DigitsAt(date, 0, 2), month = DigitsAt(date, 3, 2);
        const int year = DigitsAt(date, 6, 4);
        if (day < 0 || month < 0 || year < 0) return {};
        if (year < 1) return "there is no year 0";
        return WhyDayCannotBe(day, month, year, false);
    }
    if (date.size() == 7 && date.substr(2, 2) == "--") {
        const int day = DigitsAt(date, 0, 2);
        for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
            if (day >= 0 && date.substr(4) == kMonthNames[m]) {
                return WhyDayCannotBe(day, static_cast<int>(m) + 1, 0, true);
            }
        }
    }
    return {};
}

std::string WhyTimeCannotRing(std::string_view time) {
    int hour = 0, minute = -1;
    if (time.size() == 5 && time[2] == ':') {
        hour = DigitsAt(time, 0, 2);
        minute = DigitsAt(time, 3, 2);
        if (hour < 0) return {};
    } else if (time.size() == 3 && time[0] == ':') {
        minute = DigitsAt(time, 1, 2);
    }
    if (minute < 0) return {};
    if (hour > 23) return "there is no hour " + std::to_string(hour) + " (00 to 23)";
    if (minute > 59) return "there is no minute " + std::to_string(minute) + " (00 to 59)";
    return {};
}

}  // namespace vemo
