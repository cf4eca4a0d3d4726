#include "cli/calendar_export.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "alarms/reminder_rules.h"
#include "cli/new_task.h"
#include "runtime/text.h"

namespace vemo {

namespace {

struct Date {
    int year = 0, month = 0, day = 0;
};

Date NextDay(Date date) {
    if (date.day < DaysInMonth(date.year, date.month)) return {date.year, date.month, date.day + 1};
    if (date.month < 12) return {date.year, date.month + 1, 1};
    return {date.year + 1, 1, 1};
}

std::optional<Date> ReadDate(std::string_view text) {
    const std::optional<std::string> date = CanonicalRemindDate(text);
    if (!date || date->size() != 10) return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t count) {
        return static_cast<int>(TextToNumber(date->substr(at, count)));
    };
    return Date{number(6, 4), number(3, 2), number(0, 2)};
}

ClockReading ClockOn(Date date) {
    return ReadClock(date.year, date.month, date.day, 0, 0);
}

std::string LocalText(Date date, int hour, int minute, int second) {
    char text[32] = {};
    std::snprintf(text, sizeof(text), "%04d%02d%02dT%02d%02d%02d", date.year, date.month, date.day,
                  hour, minute, second);
    return text;
}

constexpr std::array<std::string_view, 7> kWeekdays = {"Mon", "Tue", "Wed", "Thu",
                                                       "Fri", "Sat", "Sun"};
// The scheduler alarms in the reminder's minute and the one after it.
constexpr int kAlarmWindowMinutes = 2;

constexpr std::array<std::string_view, 7> kRuleDays = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

std::size_t WeekdayIndex(const ClockReading& clock) {
    return static_cast<std::size_t>(std::find(kWeekdays.begin(), kWeekdays.end(), clock.weekday) -
                                    kWeekdays.begin());
}

// Every day of a leap year as the scheduler's clock reads it. Its tests
// other than the date's own depend on the weekday, the month and the day
// only, so a year holds every case; a second year tells a date's own test,
// which passes in one year only.
struct ProbeYear {
    std::vector<ClockReading> clocks;
    std::vector<std::size_t> weekdays;
};

ProbeYear MakeProbeYear(int year) {
    ProbeYear probe;
    for (Date date{year, 1, 1}; date.year == year; date = NextDay(date)) {
        probe.clocks.push_back(ClockOn(date));
        probe.weekdays.push_back(WeekdayIndex(probe.clocks.back()));
    }
    return probe;
}

const ProbeYear& FirstProbe() {
    static const ProbeYear probe = MakeProbeYear(2024);
    return probe;
}

const ProbeYear& SecondProbe() {
    static const ProbeYear probe = MakeProbeYear(2028);
    return probe;
}

enum class PatternKind { Never, Mixed, Fixed, Daily, Weekly, Yearly };

struct DatePattern {
    PatternKind kind = PatternKind::Never;
    Date fixed;
    std::array<bool, 7> weekdays{};
    std::array<bool, 12> months{};
    int month_day = 0;
};

DatePattern ReadPattern(std::string_view remind_date) {
    const ProbeYear& first = FirstProbe();
    const ProbeYear& second = SecondProbe();
    DatePattern pattern;
    if (std::all_of(first.clocks.begin(), first.clocks.end(),
                    [&](const ClockReading& clock) { return IsTodaysRow(remind_date, clock); })) {
        pattern.kind = PatternKind::Daily;
        return pattern;
    }
    // A weekday is matched on three of its days with different day numbers:
    // a date or a yearly day matches one of them at most.
    bool weekly = false;
    for (std::size_t i = 0; i < 7; ++i) {
        bool all = true;
        for (std::size_t week = 0; week < 3; ++week) {
            all = all && DatedTodayMatches(remind_date, first.clocks[i + 7 * week]) > 0;
        }
        pattern.weekdays[first.weekdays[i]] = all;
        weekly = weekly || all;
    }
    // What passes beyond the weekday test is a yearly day when it passes in
    // both years, a date when in one.
    bool yearly = false, one_day_number = true;
    for (std::size_t i = 0; i < first.clocks.size(); ++i) {
        const int here = DatedTodayMatches(remind_date, first.clocks[i]) -
                         (pattern.weekdays[first.weekdays[i]] ? 1 : 0);
        if (here <= 0) continue;
        const int there = DatedTodayMatches(remind_date, second.clocks[i]) -
                          (pattern.weekdays[second.weekdays[i]] ? 1 : 0);
        if (there <= 0) continue;
        const ClockReading& clock = first.clocks[i];
        const int day = static_cast<int>(TextToNumber(clock.day));
        one_day_number = one_day_number && (!yearly || day == pattern.month_day);
        pattern.month_day = day;
        const std::string month = clock.today.substr(3, 2);
        pattern.months[static_cast<std::size_t>(TextToNumber(month)) - 1] = true;
        yearly = true;
    }
    const std::optional<Date> date = ReadDate(remind_date);
    const bool fixed = date && IsTodaysRow(remind_date, ClockOn(*date));
    if (fixed) pattern.fixed = *date;

    const int kinds = (fixed ? 1 : 0) + (weekly ? 1 : 0) + (yearly ? 1 : 0);
    if (kinds == 0) {
        pattern.kind = PatternKind::Never;
    } else if (kinds > 1 || (yearly && !one_day_number)) {
        pattern.kind = PatternKind::Mixed;
    } else {
        pattern.kind = fixed    ? PatternKind::Fixed
                       : weekly ? PatternKind::Weekly
                                : PatternKind::Yearly;
    }
    return pattern;
}

// The first day from `from` the scheduler matches; a Feb 29 can be eight
// years off.
std::optional<Date> FirstMatchingDay(std::string_view remind_date, Date from) {
    Date date = from;
    for (int i = 0; i < 9 * 366 && date.year <= 9999; ++i, date = NextDay(date)) {
        if (IsTodaysRow(remind_date, ClockOn(date))) return date;
    }
    return std::nullopt;
}

std::string RuleDays(const DatePattern& pattern) {
    std::string days;
    for (std::size_t i = 0; i < 7; ++i) {
        if (pattern.weekdays[i]) days += JoinText(days.empty() ? "" : ",", kRuleDays[i]);
    }
    return days;
}

std::string RuleMonths(const DatePattern& pattern) {
    std::string months;
    for (std::size_t i = 0; i < 12; ++i) {
        if (pattern.months[i]) months += JoinText(months.empty() ? "" : ",", std::to_string(i + 1));
    }
    return JoinText("BYMONTH=", months, ";BYMONTHDAY=", std::to_string(pattern.month_day));
}

std::optional<CalendarReminder> ReminderFor(const DatePattern& pattern,
                                            std::string_view remind_date, std::string_view time,
                                            std::string_view created, const UtcTime& now) {
    if (pattern.kind == PatternKind::Never || pattern.kind == PatternKind::Mixed) {
        return std::nullopt;
    }
    // An hourly time reads as hour 0: the day's first occurrence.
    const ReminderTime reminder = ReadReminderTime(time);
    // A minute 60 or an hour 24 never comes round: such a time never alarms.
    if (!LatestOccurrence(reminder, ReadClock(2024, 1, 1, 23, 59))) return std::nullopt;
    const std::string hourly =
        reminder.hourly ? JoinText("FREQ=HOURLY;BYMINUTE=", std::to_string(reminder.minute)) : "";

    CalendarReminder out;
    if (pattern.kind == PatternKind::Fixed) {
        out.start = LocalText(pattern.fixed, reminder.hour, reminder.minute, 0);
        // Due when its alarm window closes, the minute after its own: a
        // to-do's DUE must come after its DTSTART.
        const int due_minutes = reminder.hour * 60 + reminder.minute + kAlarmWindowMinutes;
        const Date due_day = due_minutes < 24 * 60 ? pattern.fixed : NextDay(pattern.fixed);
        out.due = LocalText(due_day, (due_minutes / 60) % 24, due_minutes % 60, 0);
        if (reminder.hourly)
            out.rule = JoinText(hourly, ";UNTIL=", LocalText(pattern.fixed, 23, 59, 59));
        return out;
    }
    const Date today{now.year, now.month, now.day};
    const std::optional<Date> from = ReadDate(created);
    const std::optional<Date> first = FirstMatchingDay(remind_date, from ? *from : today);
    if (!first) return std::nullopt;
    out.start = LocalText(*first, reminder.hour, reminder.minute, 0);
    switch (pattern.kind) {
        case PatternKind::Daily: out.rule = reminder.hourly ? hourly : "FREQ=DAILY"; break;
        case PatternKind::Weekly:
            out.rule =
                JoinText(reminder.hourly ? hourly : "FREQ=WEEKLY", ";BYDAY=", RuleDays(pattern));
            break;
        default:
            out.rule = JoinText(reminder.hourly ? hourly : "FREQ=YEARLY", ";", RuleMonths(pattern));
            break;
    }
    return out;
}

std::uint64_t Fnv1a(std::uint64_t hash, std::string_view field) {
    for (const char c : field) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    hash ^= 0x1F;  // ends the field: no text holds it
    hash *= 1099511628211ull;
    return hash;
}

std::string UtcText(const UtcTime& time) {
    char text[40] = {};
    std::snprintf(text, sizeof(text), "%04d%02d%02dT%02d%02d%02dZ", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    return text;
}

}  // namespace

std::optional<CalendarReminder> CalendarReminderOf(std::string_view remind_date,
                                                   std::string_view time, std::string_view created,
                                                   const UtcTime& now) {
    return ReminderFor(ReadPattern(remind_date), remind_date, time, created, now);
}

std::string CalendarText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
            out += c;
        }
        // Other control characters have no place in a TEXT value: left out.
    }
    return out;
}

std::string ContentLine(std::string_view line) {
    std::string out;
    std::size_t limit = 75;  // octets; a continuation's blank counts
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        if (cut == 0) cut = limit;  // no UTF-8 here to keep whole
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = 74;
    }
    out.append(line);
    out += "\r\n";
    return out;
}

CalendarExport ExportCalendar(const std::vector<TaskRow>& rows, std::string_view database_path,
                              const UtcTime& now, const TextToUtf8& to_utf8) {
    CalendarExport result;
    std::string& out = result.text;
    const auto line = [&out](std::string_view text) { out += ContentLine(text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line(JoinText("PRODID:", kCalendarProductId));
    line("CALSCALE:GREGORIAN");
    const std::string stamp = JoinText("DTSTAMP:", UtcText(now));
    // Each task's identity hashed; identical tasks are told apart by how many
    // came before them (found by sorting the hashes with their rows).
    std::vector<std::pair<std::uint64_t, std::size_t>> hashes;
    hashes.reserve(rows.size());
    for (const TaskRow& row : rows) {
        std::uint64_t hash = Fnv1a(14695981039346656037ull, database_path);
        for (const std::string_view field :
             {std::string_view(row.text), std::string_view(row.created),
              std::string_view(row.remind_date), std::string_view(row.time)}) {
            hash = Fnv1a(hash, field);
        }
        hashes.emplace_back(hash, hashes.size());
    }
    std::vector<std::uint64_t> uids(rows.size());
    std::sort(hashes.begin(), hashes.end());
    for (std::size_t k = 0, before = 0; k < hashes.size(); ++k) {
        before = k > 0 && hashes[k].first == hashes[k - 1].first ? before + 1 : 0;
        uids[hashes[k].second] =
            before > 0 ? Fnv1a(hashes[k].first, std::to_string(before)) : hashes[k].first;
    }
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const TaskRow& row = rows[index];
        const std::uint64_t hash = uids[index];
        char uid[40] = {};
        std::snprintf(uid, sizeof(uid), "UID:%016llx@vemo", static_cast<unsigned long long>(hash));

        const std::string text = CalendarText(to_utf8(row.text));
        line("BEGIN:VTODO");
        line(uid);
        line(stamp);
        line(JoinText("SUMMARY:", text));
        // The state codes are the scheduler's classes of the moment, not a
        // to-do's progress: no STATUS.
        const std::int64_t priority = RoundHalfEven(TextToNumber(row.priority));
        if (priority >= 1)
            line(JoinText("PRIORITY:", std::to_string(std::min<std::int64_t>(priority, 9))));
        const std::optional<CalendarReminder> reminder =
            ReminderFor(ReadPattern(row.remind_date), row.remind_date, row.time, row.created, now);
        if (reminder) {
            line(JoinText("DTSTART:", reminder->start));
            if (!reminder->due.empty()) line(JoinText("DUE:", reminder->due));
            if (!reminder->rule.empty()) line(JoinText("RRULE:", reminder->rule));
            line("BEGIN:VALARM");
            line("ACTION:DISPLAY");
            line(JoinText("DESCRIPTION:", text));
            line("TRIGGER;RELATED=START:PT0S");
            line("END:VALARM");
        } else {
            ++result.without_rule;
        }
        line("END:VTODO");
        ++result.tasks;
    }
    line("END:VCALENDAR");
    return result;
}

}  // namespace vemo
