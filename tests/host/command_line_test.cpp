#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dates.h"
#include "cli/command_line.h"
#include "cli/new_task.h"

namespace vemo {
namespace {

TEST(CommandLineSplit, FollowsTheWindowsArgumentRules) {
    struct Case {
        const char* line;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"", {}},
        {" \t ", {}},
        {"/add \"Buy milk\"  --Mon\t09:00", {"/add", "Buy milk", "--Mon", "09:00"}},
        {"a\\\\b c\\", {"a\\\\b", "c\\"}},               // backslashes before no quote stay
        {"\"C:\\dir\\\\\" x", {"C:\\dir\\", "x"}},       // 2n before a quote: n, quote closes
        {"a\\\"b \\\\\\\"c", {"a\"b", "\\\"c"}},         // 2n+1: n and a literal quote
        {"\"\" x \"\"", {"", "x", ""}},                  // an empty argument is one
        {"\"say \"\"hi\"\" now\"", {"say \"hi\" now"}},  // "" inside quotes
        {"ab\"c d\"e f", {"abc de", "f"}},               // quotes in the middle of a word
        {"\"open to the end ", {"open to the end "}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << c.line;
}

CommandLine Add(std::string text, std::optional<std::string> date = {},
                std::optional<std::string> time = {}, std::optional<std::int32_t> priority = {}) {
    CommandLine line;
    line.command = Command::Add;
    line.task = {std::move(text), std::move(date), std::move(time), priority};
    return line;
}

CommandLine Of(Command command, std::string path = {}, ExportFormat format = {}) {
    CommandLine line;
    line.command = command;
    line.export_path = std::move(path);
    line.export_format = format;
    return line;
}

TEST(CommandLineParse, ReadsEverySwitchWithItsCheckedArguments) {
    struct Case {
        std::string line;
        CommandLine expected;
    };
    const Case cases[] = {
        {"", Of(Command::Start)},
        {"notes.txt /tray", Of(Command::Start)},  // a file dropped on vemo.exe: as ever
        {"/tray", Of(Command::Tray)},
        {"/?", Of(Command::Help)},
        {"-HELP", Of(Command::Help)},
        {"-TRAY", Of(Command::Tray)},
        {"/AutoStart ON", Of(Command::AutostartOn)},
        {"-autostart off", Of(Command::AutostartOff)},
        {"/add \"Buy milk\"", Add("Buy milk")},
        {"/ADD x 29-02-2024 09:05 7", Add("x", "29-02-2024", "09:05", 7)},
        {"-add x 29-02-2000 00:00 007", Add("x", "29-02-2000", "00:00", 7)},  // 2000 leaps
        {"/add x --mon :15 1", Add("x", "--Mon", ":15", 1)},
        {"/add x --DAY", Add("x", "--Day")},
        {"/add x 29--feb 23:59 2147483647", Add("x", "29--Feb", "23:59", 2147483647)},
        {"/add \"-5 --Mon\" 31--Dec", Add("-5 --Mon", "31--Dec")},  // values are never switches
        {"/add " + std::string(300, 't'), Add(std::string(257, 't'))},
        {"/export out.ICS", Of(Command::Export, "out.ICS", ExportFormat::Calendar)},
        {"/export \"C:\\My Files\\t.csv\"",
         Of(Command::Export, "C:\\My Files\\t.csv", ExportFormat::Csv)},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseCommandLine(c.line), c.expected) << c.line;
}

TEST(CommandLineParse, NamesTheBadArgumentInOneLine) {
    const std::string date = " (dd-MM-yyyy, --Mon ... --Sun, --Day or dd--Mmm)";
    const std::string time = " (HH:MM or :MM)";
    const std::string priority = " (a whole number from 1 to 2147483647)";
    const std::string switches = " (/tray, /autostart, /add, /export or /?)";
    struct Case {
        const char* line;
        std::string error;
    };
    const Case cases[] = {
        {"/foo", "vemo: unknown switch \"/foo\"" + switches},
        {"--tray", "vemo: unknown switch \"--tray\"" + switches},
        {"/add \"two\nlines\"",
         "vemo: bad task text \"two?lines\" (no line breaks or other control characters)"},
        {"/tray now", "vemo: extra argument \"now\" (after /tray)"},
        {"/autostart", "vemo: /autostart needs on or off"},
        {"/autostart yes", "vemo: bad /autostart argument \"yes\" (on or off)"},
        {"/autostart on off", "vemo: extra argument \"off\" (after on or off)"},
        {"/add", "vemo: /add needs a task text"},
        {"/add \"\"", "vemo: empty task text"},
        {"/add x 31-02-2026", "vemo: bad date \"31-02-2026\" (February 2026 has 28 days)"},
        {"/add x 29-02-2026", "vemo: bad date \"29-02-2026\" (February 2026 has 28 days)"},
        {"/add x 29-02-1900", "vemo: bad date \"29-02-1900\" (February 1900 has 28 days)"},
        {"/add x 01-13-2026", "vemo: bad date \"01-13-2026\" (there is no month 13)"},
        {"/add x 00-01-2026", "vemo: bad date \"00-01-2026\" (there is no day 0)"},
        {"/add x 1-01-2026", "vemo: bad date \"1-01-2026\"" + date},
        {"/add x 01-01-0000", "vemo: bad date \"01-01-0000\" (there is no year 0)"},
        {"/add x --Monday", "vemo: bad date \"--Monday\"" + date},
        {"/add x --Mo", "vemo: bad date \"--Mo\"" + date},
        {"/add x 30--Feb", "vemo: bad date \"30--Feb\" (February has 29 days at most)"},
        {"/add x 31--Apr", "vemo: bad date \"31--Apr\" (April has 30 days at most)"},
        {"/add x 07--Dez", "vemo: bad date \"07--Dez\"" + date},
        {"/add x 07-Dec", "vemo: bad date \"07-Dec\"" + date},
        {"/add x \"\"", "vemo: bad date \"\"" + date},
        {"/add x \"a\tb\"", "vemo: bad date \"a?b\"" + date},
        {"/add x --Mon 24:00", "vemo: bad time \"24:00\" (there is no hour 24 (00 to 23))"},
        {"/add x --Mon 12:60", "vemo: bad time \"12:60\" (there is no minute 60 (00 to 59))"},
        {"/add x --Mon 9:05", "vemo: bad time \"9:05\"" + time},
        {"/add x --Mon :60", "vemo: bad time \":60\" (there is no minute 60 (00 to 59))"},
        {"/add x --Mon 12:30x", "vemo: bad time \"12:30x\"" + time},
        {"/add x --Mon 12:30 0", "vemo: bad priority \"0\"" + priority},
        {"/add x --Mon 12:30 -1", "vemo: bad priority \"-1\"" + priority},
        {"/add x --Mon 12:30 +1", "vemo: bad priority \"+1\"" + priority},
        {"/add x --Mon 12:30 1.5", "vemo: bad priority \"1.5\"" + priority},
        {"/add x --Mon 12:30 2147483648", "vemo: bad priority \"2147483648\"" + priority},
        {"/add x --Mon 12:30 2 more", "vemo: extra argument \"more\" (after the priority)"},
        {"/export", "vemo: /export needs a file name ending .ics or .csv"},
        {"/export out.txt", "vemo: bad export file \"out.txt\" (a name ending .ics or .csv)"},
        {"/export .ics", "vemo: bad export file \".ics\" (a name ending .ics or .csv)"},
        {"/export a.ics b.csv", "vemo: extra argument \"b.csv\" (after the file name)"},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.line);
        EXPECT_EQ(line.error, c.error) << c.line;
    }
    const std::string long_date = "/add x " + std::string(100, '9');
    EXPECT_EQ(ParseCommandLine(long_date).error,
              "vemo: bad date \"" + std::string(60, '9') + "...\"" + date);
}

// One rule of numbers for the date and time fields and for /add: an
// impossible value is refused with its reason; every pattern form is taken,
// and a free text is no date at all (the fields keep it, /add refuses it).
TEST(ReminderRule, RefusesWhatCanNeverRingWithItsReason) {
    struct Case {
        const char* date;
        const char* reason;
        bool add_takes;
    };
    const Case dates[] = {
        {"24-12-2026", "", true},
        {"29-02-2028", "", true},
        {"31-02-2026", "February 2026 has 28 days", false},
        {"29-02-2027", "February 2027 has 28 days", false},
        {"00-05-2026", "there is no day 0", false},
        {"10-13-2026", "there is no month 13", false},
        {"10-00-2026", "there is no month 0", false},
        {"01-01-0000", "there is no year 0", false},
        {"29--Feb", "", true},
        {"30--Feb", "February has 29 days at most", false},
        {"32--Jan", "January has 31 days at most", false},
        {"--Mon", "", true},
        {"--Day", "", true},
        {"-2-2026", "", false},  // no pattern: kept as text by the fields
        {"someday", "", false},
    };
    for (const Case& c : dates) {
        EXPECT_EQ(WhyDateCannotRing(c.date), c.reason) << c.date;
        EXPECT_EQ(CanonicalRemindDate(c.date).has_value(), c.add_takes) << c.date;
    }
    const Case times[] = {
        {"09:30", "", true},
        {"23:59", "", true},
        {":45", "", true},
        {"25:75", "there is no hour 25 (00 to 23)", false},
        {"24:00", "there is no hour 24 (00 to 23)", false},
        {"12:60", "there is no minute 60 (00 to 59)", false},
        {":75", "there is no minute 75 (00 to 59)", false},
        {"8:30", "", false},  // no pattern: the fields pad "8" before this rule
        {"noon", "", false},
    };
    for (const Case& c : times) {
        EXPECT_EQ(WhyTimeCannotRing(c.date), c.reason) << c.date;
        EXPECT_EQ(IsReminderTime(c.date), c.add_takes) << c.date;
    }
}

// The help names every switch, each with an example line; the errors a
// user causes at the command line are said in words.
TEST(CommandLineHelp, NamesEverySwitchWithAnExample) {
    const std::string help(HelpText());
    for (const char* example :
         {"    vemo.exe /tray\n", "    vemo.exe /autostart on\n", "    vemo.exe /add \"",
          "    vemo.exe /export tasks.ics\n", "/? or /help"}) {
        EXPECT_NE(help.find(example), std::string::npos) << example;
    }
    // Every example is itself a command line this program takes.
    std::size_t at = 0;
    while ((at = help.find("    vemo.exe ", at)) != std::string::npos) {
        const std::size_t end = help.find('\n', at);
        const std::string line = help.substr(at + 13, end - at - 13);
        EXPECT_TRUE(ParseCommandLine(line).error.empty()) << line;
        at = end;
    }
    EXPECT_EQ(WindowsErrorWords(3), "the folder does not exist");
    EXPECT_EQ(WindowsErrorWords(32), "the file is held by another program");
    EXPECT_EQ(WindowsErrorWords(5), "no right to write there, or the file is read-only");
    EXPECT_EQ(WindowsErrorWords(31), "");
}

TEST(NewTaskRow, FillsWhatWasLeftOutAsAddDoes) {
    EXPECT_EQ(NewTaskRow({"Call", {}, {}, {}}, "07-12-2026", 9, 5, 4),
              (TaskRow{"Call", " 5", "07-12-2026", "07-12-2026", "09:05", " 6"}));
    EXPECT_EQ(NewTaskRow({"Call", "--Mon", ":15", 2}, "07-12-2026", 23, 59, 0),
              (TaskRow{"Call", " 2", "07-12-2026", "--Mon", ":15", " 6"}));
    EXPECT_EQ(AutostartCommand("C:\\Program Files\\Vemo\\vemo.exe"),
              "\"C:\\Program Files\\Vemo\\vemo.exe\" /tray");
}

}  // namespace
}  // namespace vemo
