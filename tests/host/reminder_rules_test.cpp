#include <gtest/gtest.h>

#include <climits>

#include "alarms/alarm_rules.h"
#include "alarms/reminder_rules.h"
#include "network/condition_rules.h"

namespace vemo {
namespace {

// Monday 07-12-2026 at the given time.
ClockReading At(int hour, int minute) {
    return ReadClock(2026, 12, 7, hour, minute);
}

TEST(ReminderClock, NamesTheWeekdayAndMonthInEnglish) {
    struct Case {
        int year, month, day;
        const char *today, *weekday, *month_name;
    };
    for (const Case& c : {Case{2026, 12, 7, "07-12-2026", "Mon", "Dec"},
                          Case{2024, 2, 29, "29-02-2024", "Thu", "Feb"},
                          Case{2000, 1, 1, "01-01-2000", "Sat", "Jan"}}) {
        const ClockReading clock = ReadClock(c.year, c.month, c.day, 9, 5);
        EXPECT_EQ(clock.today, c.today);
        EXPECT_EQ(clock.weekday, c.weekday) << c.today;
        EXPECT_EQ(clock.month, c.month_name);
        EXPECT_EQ(clock.day, std::string(c.today, 2));
    }
}

TEST(ReminderRow, DecidesTheCodeFromDatePatternTimeAndPriority) {
    struct Case {
        const char *date, *time, *priority, *state;
        int hour, minute;
        const char* code;  // "" = no code written
        bool alarm;
    };
    const Case cases[] = {
        // A 14:30 reminder today, around its minute.
        {"07-12-2026", "14:30", " 4", " 6", 14, 29, "", false},
        {"07-12-2026", "14:30", " 4", " 6", 14, 30, " 0", true},
        {"07-12-2026", "14:30", " 4", " 0", 14, 31, " 0", true},
        {"07-12-2026", "14:30", " 4", " 0", 14, 32, " 2", false},
        {"07-12-2026", "14:30", " 4", " 6", 13, 59, " 3", false},
        {"07-12-2026", "14:59", " 4", " 3", 15, 0, " 4", false},  // not alarmed next hour
        // Every hour at minute 15, any hour.
        {"07-12-2026", ":15", " 4", " 6", 9, 14, " 4", false},
        {"07-12-2026", ":15", " 4", " 4", 9, 15, " 0", true},
        {"07-12-2026", ":15", " 4", " 0", 10, 16, " 0", true},
        {"07-12-2026", ":15", " 4", " 0", 10, 17, " 2", false},
        {"07-12-2026", ":15", " 4", " 2", 0, 10, "", false},
        // Weekday, every-day and yearly patterns, in either case.
        {"--Mon", "14:30", " 4", " 6", 14, 30, " 0", true},
        {"--mon", "14:30", " 4", " 6", 14, 30, " 0", true},
        {"--Tue", "14:30", " 4", " 3", 14, 30, " 5", false},
        {"--Day", "08:00", " 4", " 6", 14, 30, " 4", false},
        {"--DAY", "14:30", " 4", " 6", 14, 31, " 0", true},
        {"07--Dec", "14:30", " 4", " 6", 14, 30, " 0", true},
        {"07--dec", "16:00", " 4", " 6", 14, 30, " 3", false},
        {"08--Dec", "14:30", " 4", " 4", 14, 30, " 5", false},
        {"07--Nov", "14:30", " 4", " 4", 14, 30, " 5", false},
        // Inactive rows stay so only off their day; priority one overrides all.
        {"--Tue", "14:30", " 4", " 6", 14, 30, "", false},
        {"--Mon", "09:00", " 4", " 6", 14, 30, " 4", false},
        {"--Tue", "14:30", " 1", " 6", 14, 30, " 1", false},
        {"07-12-2026", "14:30", " 1", " 6", 14, 30, " 1", true},
    };
    for (const Case& c : cases) {
        const ReminderRow row{"t", c.priority, c.date, c.time, c.state};
        const RowDecision decision = DecideRow(row, At(c.hour, c.minute));
        EXPECT_EQ(decision.code, c.code)
            << c.date << " " << c.time << " at " << c.hour << ":" << c.minute;
        EXPECT_EQ(decision.alarm, c.alarm) << c.date << " " << c.time;
    }
    // The counting pass leaves every-day rows out and counts each test passed.
    EXPECT_EQ(DatedTodayMatches("--Day", At(9, 0)), 0);
    EXPECT_EQ(DatedTodayMatches("07-12-2026", At(9, 0)), 1);
    EXPECT_EQ(DatedTodayMatches("07-Mon-Dec", At(9, 0)), 2);
}

std::vector<ReminderRow> Rows(const std::vector<std::array<const char*, 5>>& texts) {
    std::vector<ReminderRow> rows;
    for (const auto& t : texts) rows.push_back({t[0], t[1], t[2], t[3], t[4]});
    return rows;
}

TEST(ReminderPass, AlarmsOnceAndReportsTheMinutesAfterwards) {
    const auto rows = Rows({{"Call the bank", " 2", "07-12-2026", "14:30", " 6"},
                            {"Water plants", " 3", "--Tue", "08:00", " 5"}});
    struct Tick {
        int minute;
        const char* message;
        std::size_t actions;
        int text_selection;
    };
    ReminderMemory memory;
    memory.ShowEarlierAlarms = false;
    for (const Tick& t : {Tick{29, "Reminders today: 1. Active Old reminders: 1. ", 0, 0},
                          Tick{30, "<< REMINDER ALARM >> Call the bank  ", 1, 0},
                          Tick{30, "<< REMINDER ALARM >> Call the bank  ", 0, 0},
                          Tick{32,
                               "Reminder 2 minutes old: Call the bank  Reminders today: 1. "
                               "Active Old reminders: 1. ",
                               0, 0}}) {
        const ReminderTick tick = RunReminderPass(rows, At(14, t.minute), {}, 0, memory);
        EXPECT_EQ(tick.SchedulerMessage, t.message) << t.minute;
        EXPECT_EQ(tick.action_rows.size(), t.actions) << t.minute;
        EXPECT_EQ(tick.selections.text, t.text_selection) << t.minute;
    }
    EXPECT_EQ(memory.AlarmText, "Call the bank");
}

TEST(ReminderPass, CountsDoNotWrapAndTextsAreCut) {
    std::vector<ReminderRow> rows(256, ReminderRow{"p", " 1", "", "", " 1"});
    ReminderMemory memory;
    ReminderTick tick = RunReminderPass(rows, At(9, 0), {}, 0, memory);
    EXPECT_EQ(tick.counts.PriorityOneCount, 256);
    EXPECT_EQ(tick.SchedulerMessage, "Priority ONE reminders: 256. ");
    EXPECT_TRUE(tick.writes.empty());  // every code is " 1" already

    const std::string long_text(257, 'x');
    rows = {ReminderRow{long_text, " 2", "07-12-2026", "09:00", " 6"}};
    tick = RunReminderPass(rows, At(9, 0), {}, 0, memory);
    EXPECT_EQ(tick.SchedulerMessage, "<< REMINDER ALARM >> " + std::string(233, 'x'));
    EXPECT_EQ(memory.AlarmText.size(), 254u);
    EXPECT_EQ(RunReminderPass({}, At(9, 0), {}, 0, memory).SchedulerMessage, "No Reminder today.");
}

// Each reminder occurrence runs its actions once: across hours and days, after
// an edit, for rows alarming together, when its window passed unseen (several
// at once ring once, for the newest), after a pause, a start, a Refresh, a
// resume, a repeated daylight-saving hour or a clock set days ahead and back.
TEST(ReminderPass, EachOccurrenceRunsItsActionsOnce) {
    enum class Before { Nothing, Start, Resume, TimerRestart, ResumeDuringPause, EditFirstTime };
    struct Step {
        int day, hour, minute;
        std::vector<int> actions;
        const char* message = nullptr;  // checked when given
        Before before = Before::Nothing;
        int alarm_state = -1;     // checked when given
        std::int64_t offset = 0;  // minutes the clock was set away from the steady clock
    };
    struct Scenario {
        const char* name;
        std::vector<std::array<std::string, 5>> rows;
        std::vector<Step> steps;
    };
    const std::string today = "07-12-2026";  // a Monday
    const Scenario scenarios[] = {
        {"hourly across two hours",
         {{"Stretch", " 2", "--Mon", ":15", " 6"}},
         {{7, 9, 15, {0}}, {7, 9, 16, {}}, {7, 10, 15, {0}}, {7, 10, 16, {}}}},
        {"every day across two days",
         {{"Pills", " 2", "--Day", "14:30", " 6"}},
         {{7, 14, 30, {0}}, {7, 14, 31, {}}, {8, 14, 30, {0}}, {8, 14, 31, {}}}},
        {"the first row's time edited",
         {{"Call", " 2", today, "14:30", " 6"}},
         {{7, 14, 30, {0}},
          {7, 14, 40, {0}, "<< REMINDER ALARM >> Call  ", Before::EditFirstTime},
          {7, 14, 41, {}}}},
        {"two rows in one minute",
         {{"a", " 2", today, "14:30", " 6"}, {"b", " 3", "--Day", "14:30", " 6"}},
         {{7, 14, 30, {0, 1}}, {7, 14, 30, {}}, {7, 14, 31, {}, "<< REMINDER ALARM >> b  "}}},
        {"a window passed with no tick",
         {{"Call", " 2", today, "14:30", " 6"}, {"Old", " 3", today, "09:00", " 6"}},
         {{7, 14, 0, {}},
          {7, 16, 5, {0}, "Reminder 95 minutes old: Call  Reminders today: 2. "},
          {7, 16, 8, {}, "Reminders today: 2. "}}},
        {"a last minute of the hour passed unseen",
         {{"Call", " 2", today, "10:59", " 6"}},
         {{7, 10, 58, {}}, {7, 11, 0, {0}, "Reminder 1 minutes old: Call  Reminders today: 1. "}}},
        {"asleep over midnight",
         {{"Pills", " 2", "--Day", "23:58", " 6"}, {"Stretch", " 3", "--Mon", ":50", " 6"}},
         {{7, 23, 40, {}}, {8, 0, 10, {0}, "Reminder 12 minutes old: Pills  "}}},
        {"three caught up in one tick",
         {{"Tea", " 2", "--Mon", "11:15", " 6"},
          {"Dentist", " 3", today, "09:00", " 6"},
          {"Call", " 4", today, "10:30", " 6"}},
         {{7, 8, 0, {}},
          {7, 12, 0, {0}, "Reminder 45 minutes old: Tea  Reminders today: 3. ", Before::Nothing, 3},
          {7, 12, 1, {}, "Reminders today: 3. ", Before::Nothing, 0}}},
        {"woken after one reminder ran and one was missed",
         {{"Dentist", " 2", today, "09:00", " 6"}, {"Call", " 3", today, "14:30", " 6"}},
         {{7, 9, 0, {0}},
          {7, 14, 0, {}},
          {7, 14, 45, {1}, "Reminder 15 minutes old: Call  Reminders today: 2. ", Before::Resume},
          {7, 14, 48, {}, "<< REMINDER ALARM FROM EARLIER TODAY >> Dentist  "},
          {7, 14, 51, {}, "Reminder 21 minutes old: Call  Reminders today: 2. "}}},
        {"asleep over one reminder after another passed before the sleep",
         {{"Early", " 2", today, "08:30", " 6"}, {"Late", " 3", today, "11:30", " 6"}},
         {{7, 9, 0, {}},
          {7, 12, 0, {1}, "Reminder 30 minutes old: Late  Reminders today: 2. ", Before::Resume},
          {7, 12, 5, {}, "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ", Before::Resume},
          {7, 12, 6, {}, "Reminders today: 2. "}}},
        {"paused over the window, then a resume",
         {{"Call", " 2", today, "14:30", " 6"}},
         {{7, 14, 0, {}},
          {7, 14, 50, {}, nullptr, Before::TimerRestart},
          {7, 17, 0, {}, "<< REMINDER ALARM FROM EARLIER TODAY >> Call  ", Before::Resume}}},
        {"a resume while the Pause box is open",
         {{"Call", " 2", today, "14:30", " 6"}},
         {{7, 14, 20, {}},
          {7,
           15,
           10,
           {},
           "<< REMINDER ALARM FROM EARLIER TODAY >> Call  ",
           Before::ResumeDuringPause}}},
        {"started after the minute, then a resume",
         {{"Call", " 2", today, "14:30", " 6"}},
         {{7, 14, 45, {}, "Reminder 15 minutes old: Call  Reminders today: 1. ", Before::Start},
          {7, 17, 0, {}, "<< REMINDER ALARM FROM EARLIER TODAY >> Call  ", Before::Resume}}},
        {"a start's report, then a Refresh",
         {{"Dentist", " 2", today, "09:00", " 6"}, {"Lunch", " 3", today, "11:00", " 6"}},
         {{7, 16, 0, {1}, "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ", Before::Start},
          {7, 16, 0, {}, "Reminders today: 2. "},
          {7, 16, 1, {}, "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ", Before::Start}}},
        {"one earlier alarm at a start",
         {{"Dentist", " 2", today, "09:00", " 6"}},
         {{7, 16, 0, {0}, "<< REMINDER ALARM FROM EARLIER TODAY >> Dentist  ", Before::Start}}},
        {"a resume after the alarm ran",
         {{"Call", " 2", today, "14:30", " 6"}, {"Tea", " 3", today, "15:00", " 6"}},
         {{7, 14, 30, {0}},
          {7, 16, 10, {1}, "Reminder 70 minutes old: Tea  Reminders today: 2. ", Before::Resume},
          {7,
           16,
           20,
           {},
           "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ",
           Before::Resume}}},
        {"a daylight-saving hour that repeats",
         {{"Night", " 2", today, "02:30", " 6"}, {"Hourly", " 3", today, ":30", " 6"}},
         {{7, 2, 30, {0, 1}},
          {7, 2, 59, {}},
          {7, 2, 0, {}},  // the system clock (UTC) runs on
          {7, 2, 31, {}, "<< REMINDER ALARM >> Hourly  "},
          {7, 3, 30, {1}}}},
        {"the clock an hour ahead to try a reminder and back",
         {{"Call", " 2", today, "14:30", " 6"}},
         {{7, 13, 30, {}},
          {7, 14, 30, {0}, nullptr, Before::Nothing, -1, 60},
          {7, 13, 31, {}},
          {7, 14, 30, {0}}}},
        {"the clock two days ahead inside the window and back",
         {{"Pills", " 2", "--Day", "14:30", " 6"}},
         {{7, 14, 30, {0}},
          {9, 14, 30, {0}, nullptr, Before::Nothing, -1, 2 * 1440},
          {7, 14, 31, {}},
          {7, 14, 32, {}},
          // The real day rings: the mark made while the clock was ahead
          // belongs to that clock.
          {9, 14, 30, {0}}}},
        {"the clock a day ahead in the morning and back",
         {{"Pills", " 2", "--Day", "15:00", " 6"}},
         {{7, 10, 0, {}},
          {8, 10, 0, {0}, "Reminder 1140 minutes old: Pills  ", Before::Nothing, 3, 1440},
          {7, 10, 1, {}},
          {7, 15, 0, {0}}}},
        {"the clock a day back and forward again",
         {{"Pills", " 2", "--Day", "14:30", " 6"}},
         {{7, 14, 30, {0}},
          {6, 14, 31, {0}, nullptr, Before::Nothing, -1, -1440},
          {7, 14, 32, {}}}},
    };
    for (const Scenario& scenario : scenarios) {
        std::vector<std::array<std::string, 5>> texts = scenario.rows;
        ReminderMemory memory;
        memory.ShowEarlierAlarms = false;
        for (const Step& step : scenario.steps) {
            ClockReading clock = ReadClock(2026, 12, step.day, step.hour, step.minute);
            clock.offset = step.offset;
            if (step.before == Before::Start) {
                ReportEarlierAlarmsNextTick(memory, EarlierReport::AtStart);
            } else if (step.before == Before::Resume) {
                ReportEarlierAlarmsNextTick(memory, EarlierReport::AfterGap);
            } else if (step.before == Before::TimerRestart) {
                RestartTickClock(memory, clock.minutes);
            } else if (step.before == Before::ResumeDuringPause) {
                ReportEarlierAlarmsNextTick(memory, EarlierReport::AfterGap);
                RestartTickClock(memory, clock.minutes);
            } else if (step.before == Before::EditFirstTime) {
                texts[0][3] = "14:40";
            }
            std::vector<ReminderRow> rows;
            for (const auto& t : texts) rows.push_back({t[0], t[1], t[2], t[3], t[4]});
            const ReminderTick tick = RunReminderPass(rows, clock, {}, 0, memory);
            const std::string at = std::string(scenario.name) + " at day " +
                                   std::to_string(step.day) + " " + std::to_string(step.hour) +
                                   ":" + std::to_string(step.minute);
            EXPECT_EQ(tick.action_rows, step.actions) << at;
            if (step.message != nullptr) {
                EXPECT_EQ(tick.SchedulerMessage, step.message) << at;
            }
            if (step.alarm_state != -1) {
                EXPECT_EQ(tick.counts.AlarmState, step.alarm_state) << at;
            }
        }
    }
}

TEST(ReminderPass, ARewriteDropsTheStateSelectionAndTheHighlightRoves) {
    // Chosen class 6 stands for code 5: the old rows 0, 2 and 3.
    const auto rows = Rows({{"a", " 2", "--Tue", "", " 5"},
                            {"b", " 3", "--Tue", "", " 6"},
                            {"c", " 4", "--Tue", "", " 5"},
                            {"d", " 5", "--Tue", "", " 5"}});
    ReminderMemory memory;
    memory.ShowEarlierAlarms = false;
    TickSelections selections{0, 1, 0};
    for (int expected : {0, 2, 3, -1, 0}) {
        const ReminderTick tick = RunReminderPass(rows, At(9, 0), selections, 6, memory);
        EXPECT_TRUE(tick.writes.empty());
        EXPECT_EQ(tick.selections.state, expected);
        selections = tick.selections;
    }
}

TEST(ConditionNetwork, WeighsCountsAndPicksTheStrictlyLargest) {
    struct Case {
        std::array<int, 6> inputs;
        std::array<std::int32_t, 6> positions;
        int chosen_before, chosen;
        std::array<std::int64_t, 6> values;
    };
    const Case cases[] = {
        {{0, 2, 0, 0, 3, 0}, {}, 0, 5, {0, 200, 0, 0, 300, 0}},
        {{0, 3, 0, 0, 3, 0}, {}, 0, 2, {0, 300, 0, 0, 300, 0}},
        {{1, 0, 0, 0, 0, 0}, {}, 4, 4, {0, 0, 0, 0, 0, 0}},
        {{3, 2, 0, 0, 0, 0}, {}, 0, 1, {300, 200, 0, 0, 0, 0}},
        {{0, 0, 0, 7, 1, 0}, {0, 0, 0, 100, 0, 0}, 0, 5, {0, 0, 0, 0, 100, 0}},
        {{0, 0, 0, 5, 0, 0}, {0, 0, 0, 150, 0, 0}, 2, 2, {0, 0, 0, -250, 0, 0}},
        {{0, INT_MAX, 0, 0, 0, 0},
         {0, INT_MIN, 0, 0, 0, 0},
         0,
         2,
         {0, (100 + 2147483648LL) * INT_MAX, 0, 0, 0, 0}},
        {{0, 0, 0, 0, 0, INT_MAX},
         {0, 0, 0, 0, 0, INT_MAX},
         3,
         3,
         {0, 0, 0, 0, 0, (100LL - INT_MAX) * INT_MAX}},
    };
    for (const Case& c : cases) {
        const NetworkEvaluation result = EvaluateNetwork(c.inputs, c.positions, c.chosen_before);
        EXPECT_EQ(result.values, c.values);
        EXPECT_EQ(result.chosen_class, c.chosen);
    }
    EXPECT_EQ(EvaluateNetwork({}, {}, 0).weights_line,
              "Weights:  0: 0: 0: 0: 0: 0" + std::string(18, ' '));
    EXPECT_EQ(EvaluateNetwork({0, 2, 0, 0, 3, 0}, {}, 0).weights_line,
              "Weights:  0: 200: 0: 0: 300: 0" + std::string(18, ' '));

    const std::string today = DefaultResponseTexts()[4];
    EXPECT_EQ(ConditionResponseText("yes", 5, today, "task", "m"), "Reminders today            ");
    EXPECT_EQ(ConditionResponseText("yes", 1, " << ALARM >>", "task", "m"), " << ALARM >> task");
    EXPECT_EQ(ConditionResponseText("Yes", 1, " << ALARM >>", "task", "m"), "m");
}

TEST(AlarmTexts, CommandsAndFileLines) {
    EXPECT_EQ(SoundCommand("Play ", "C:\\MUSIC\\BELL~1.WAV"), "Play C:\\MUSIC\\BELL~1.WAV");
    EXPECT_EQ(SoundCommand("Close ", "C:\\my music\\bell.wav"), "Close \"C:\\my music\\bell.wav\"");
    EXPECT_EQ(SoundCommand("Play ", ""), "Play ");
    EXPECT_EQ(MessageFileLine("Vemo: ", "No Reminder today."), "Vemo:  No Reminder today.");
    EXPECT_EQ(MessageFileLine("Vemo: ", std::string(300, 'm')).size(), 254u);
    EXPECT_EQ(MessageFileContent("no", "C:\\in.txt", "a", "line"), "line\r\n");
    EXPECT_EQ(MessageFileContent("yes", "C:\\in.txt", "a", "line"), "C:\\in.txt\r\na\r\n");
    EXPECT_EQ(ImportLine("Buy milk\r\nsecond"), "Buy milk");
    EXPECT_EQ(ImportLine("Buy milk"), "Buy milk");
    EXPECT_EQ(ImportLine(std::string(300, 'i')), std::string(257, 'i'));
}

}  // namespace
}  // namespace vemo
