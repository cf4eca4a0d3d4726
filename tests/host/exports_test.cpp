#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/calendar_export.h"
#include "cli/csv_export.h"
#include "cli/export_text.h"

namespace vemo {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
        lines.push_back(text.substr(from, end - from));
    }
    EXPECT_EQ(from, text.size()) << "the last line ends with CR LF";
    return lines;
}

TEST(CalendarLines, FoldAt75OctetsOutsideUtf8SequencesAndEscapeText) {
    const std::string e_acute = "\xC3\xA9";
    struct Case {
        std::string line;
        std::vector<std::size_t> sizes;  // of the physical lines
    };
    std::string accents = "SUMMARY:";  // 8 octets, then 2-octet characters
    for (int i = 0; i < 40; ++i) accents += e_acute;
    const Case cases[] = {
        {std::string(75, 'a'), {75}},
        {std::string(76, 'a'), {75, 2}},
        {std::string(75 + 74 + 1, 'a'), {75, 75, 2}},
        {accents, {75 - 1, 1 + 14}},  // octet 75 would split an é
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = Lines(ContentLine(c.line));
        std::string unfolded;
        ASSERT_EQ(lines.size(), c.sizes.size()) << c.line;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].size(), c.sizes[i]) << c.line;
            EXPECT_EQ(i > 0, lines[i].rfind(' ', 0) == 0);
            unfolded += i > 0 ? lines[i].substr(1) : lines[i];
            if (i > 0) {
                EXPECT_NE(static_cast<unsigned char>(lines[i][1]) & 0xC0, 0x80);
            }
        }
        EXPECT_EQ(unfolded, c.line);
    }
    EXPECT_EQ(CalendarText("a\\b;c,d\r\ne\nf\rg\x01h\ti"), "a\\\\b\\;c\\,d\\ne\\nf\\ngh\ti");
    EXPECT_EQ(Latin1ToUtf8("Caf\xE9 \xFF!"), "Caf\xC3\xA9 \xC3\xBF!");
}

// Created on Wednesday 04-02-2026.
std::optional<CalendarReminder> ReminderOf(std::string_view date, std::string_view time,
                                           std::string_view created = "04-02-2026") {
    return CalendarReminderOf(date, time, created, UtcTime{2026, 3, 10, 12, 0, 0});
}

TEST(CalendarReminders, FollowTheSchedulersMatching) {
    struct Case {
        const char *date, *time, *start, *due, *rule;  // start nullptr: no rule expresses it
    };
    const Case cases[] = {
        // A fixed date: that day at its time, due as its alarm window closes;
        // hourly on that day only.
        {"07-12-2026", "14:30", "20261207T143000", "20261207T143200", ""},
        {"07-12-2026", ":15", "20261207T001500", "20261207T001700",
         "FREQ=HOURLY;BYMINUTE=15;UNTIL=20261207T235959"},
        {"29-02-2024", "10:00", "20240229T100000", "20240229T100200", ""},  // in a sample year
        {"31-12-2026", "23:59", "20261231T235900", "20270101T000100", ""},  // into the next year
        // Patterns start on the first day from the created date that they match.
        {"--Wed", "09:00", "20260204T090000", "", "FREQ=WEEKLY;BYDAY=WE"},
        {"--Mon", "09:00", "20260209T090000", "", "FREQ=WEEKLY;BYDAY=MO"},
        {"--mon", ":05", "20260209T000500", "", "FREQ=HOURLY;BYMINUTE=5;BYDAY=MO"},
        {"--Mon--Fri", "08:00", "20260206T080000", "", "FREQ=WEEKLY;BYDAY=MO,FR"},
        {"--Day", "08:00", "20260204T080000", "", "FREQ=DAILY"},
        {"--Day", ":30", "20260204T003000", "", "FREQ=HOURLY;BYMINUTE=30"},
        {"--Monday", "08:00", "20260204T080000", "", "FREQ=DAILY"},  // "day" is every day
        {"07--Dec", "14:30", "20261207T143000", "", "FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=7"},
        {"07--dec", ":45", "20261207T004500", "",
         "FREQ=HOURLY;BYMINUTE=45;BYMONTH=12;BYMONTHDAY=7"},
        {"03--Feb", "10:00", "20270203T100000", "", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=3"},
        {"29--Feb", "10:00", "20280229T100000", "", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29"},
        {"07--Dec Jan", "10:00", "20261207T100000", "", "FREQ=YEARLY;BYMONTH=1,12;BYMONTHDAY=7"},
        // The time as the scheduler reads it: empty is midnight.
        {"--Day", "", "20260204T000000", "", "FREQ=DAILY"},
        // A weekday and a yearly day need two rules, even when the yearly
        // day falls on one of the weekdays in the years looked at (07-12 is
        // a Saturday in 2024, a Thursday in 2028). The yearly test reads
        // the day number at the front only.
        {"07--Dec Mon", "10:00", nullptr, "", ""},
        {"07--Dec Sat Thu", "10:00", nullptr, "", ""},
        {"--Mon 07--Dec", "09:00", "20260209T090000", "", "FREQ=WEEKLY;BYDAY=MO"},
        // Never matched, or never alarmed.
        {"31-02-2026", "10:00", nullptr, "", ""},
        {"garbage", "10:00", nullptr, "", ""},
        {"", "10:00", nullptr, "", ""},
        {"--Day", "24:00", nullptr, "", ""},
        {"07-12-2026", "12:60", nullptr, "", ""},
    };
    for (const Case& c : cases) {
        const auto reminder = ReminderOf(c.date, c.time);
        if (c.start == nullptr) {
            EXPECT_FALSE(reminder) << c.date << " " << c.time;
            continue;
        }
        EXPECT_EQ(reminder, (CalendarReminder{c.start, c.due, c.rule})) << c.date << " " << c.time;
    }
    // Without a created date, the first occurrence is looked for from today.
    EXPECT_EQ(ReminderOf("--Day", "08:00", "")->start, "20260310T080000");
}

TEST(CalendarFile, OneTodoPerTaskWithStableUidsAndCountsWhatNoRuleSays) {
    const std::vector<TaskRow> rows = {
        {"Caf\xE9, Stra\xDF"
         "e",
         " 1", "04-02-2026", "--Mon", "09:00", " 6"},
        {"Paid", " 12", "04-02-2026", "garbage", "09:00", " 5"},
        {"Twice", " 0", "04-02-2026", "07-12-2026", "14:30", " 3"},
        {"Twice", " 0", "04-02-2026", "07-12-2026", "14:30", " 3"},
    };
    const UtcTime now{2026, 3, 10, 7, 8, 9};
    const CalendarExport calendar = ExportCalendar(rows, "C:\\Vemo\\vemo.dat", now, Latin1ToUtf8);
    EXPECT_EQ(calendar.tasks, 4u);
    EXPECT_EQ(calendar.without_rule, 1u);
    const std::vector<std::string> lines = Lines(calendar.text);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 4);
    EXPECT_EQ(head,
              (std::vector<std::string>{"BEGIN:VCALENDAR", "VERSION:2.0",
                                        "PRODID:-//Vemo//Vemo 0.9//EN", "CALSCALE:GREGORIAN"}));
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    const std::vector<std::string> first(lines.begin() + 4, lines.begin() + 17);
    EXPECT_EQ(first[0], "BEGIN:VTODO");
    EXPECT_EQ(first[1].size(), 4u + 16 + 5);
    EXPECT_EQ(first[1].substr(20), "@vemo");
    EXPECT_EQ(
        std::vector<std::string>(first.begin() + 2, first.end()),
        (std::vector<std::string>{"DTSTAMP:20260310T070809Z",
                                  "SUMMARY:Caf\xC3\xA9\\, Stra\xC3\x9F"
                                  "e",
                                  "PRIORITY:1", "DTSTART:20260209T090000",
                                  "RRULE:FREQ=WEEKLY;BYDAY=MO", "BEGIN:VALARM", "ACTION:DISPLAY",
                                  "DESCRIPTION:Caf\xC3\xA9\\, Stra\xC3\x9F"
                                  "e",
                                  "TRIGGER;RELATED=START:PT0S", "END:VALARM", "END:VTODO"}));
    std::vector<std::string> uids, priorities;
    for (const std::string& line : lines) {
        if (line.rfind("UID:", 0) == 0) uids.push_back(line);
        if (line.rfind("PRIORITY:", 0) == 0) priorities.push_back(line);
    }
    EXPECT_EQ(priorities, (std::vector<std::string>{"PRIORITY:1", "PRIORITY:9"}));
    ASSERT_EQ(uids.size(), 4u);
    EXPECT_NE(uids[2], uids[3]);  // identical tasks stay apart
    // Another moment, another state: the same UIDs. Another text or database: others.
    std::vector<TaskRow> later = rows;
    later[0].state = " 0";
    later[1].priority = " 3";
    const std::string again =
        ExportCalendar(later, "C:\\Vemo\\vemo.dat", {2027, 1, 1}, Latin1ToUtf8).text;
    for (const std::string& uid : uids) EXPECT_NE(again.find(uid + "\r\n"), std::string::npos);
    later[0].text = "Cafe";
    EXPECT_EQ(ExportCalendar(later, "C:\\Vemo\\vemo.dat", now, Latin1ToUtf8).text.find(uids[0]),
              std::string::npos);
    EXPECT_EQ(ExportCalendar(rows, "D:\\vemo.dat", now, Latin1ToUtf8).text.find(uids[1]),
              std::string::npos);
}

TEST(CsvFile, QuotesWhatNeedsItAndWritesNumbersWithoutTheirBlank) {
    const std::vector<TaskRow> rows = {
        {"Plain", " 1", "04-02-2026", "--Mon", "09:00", " 6"},
        {"Caf\xE9, \"best\"", " 12", "04-02-2026", "07--Dec", ":15", " 0"},
        {"two\r\nlines", " -3", "", "", "", ""},
    };
    EXPECT_EQ(ExportCsv(rows, Latin1ToUtf8),
              "\xEF\xBB\xBFText,Priority,Created,Remind,Time,State\r\n"
              "Plain,1,04-02-2026,--Mon,09:00,6\r\n"
              "\"Caf\xC3\xA9, \"\"best\"\"\",12,04-02-2026,07--Dec,:15,0\r\n"
              "\"two\r\nlines\",-3,,,,\r\n");
    EXPECT_EQ(ExportCsv({}, Latin1ToUtf8),
              "\xEF\xBB\xBFText,Priority,Created,Remind,Time,State\r\n");
    EXPECT_EQ(ExportedLine(1, "a.csv", std::nullopt), "1 task exported to a.csv");
    EXPECT_EQ(ExportedLine(4, "b.ics", 1), "4 tasks exported to b.ics (1 without a rule)");
}

}  // namespace
}  // namespace vemo
