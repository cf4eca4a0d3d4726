// The date and time entry fields and their buttons on the real main window.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/ids.h"
#include "mainwin/tray.h"
#include "program/startup.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
// The date and time fields under the remind-date and time columns; the clock
// stands at Monday 07-12-2026 09:05.
class DateTimeFields : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WriteRows({{"a", " 1", "01-12-2026", "24-12-2026", "14:45", " 6"},
                   {"b", " 2", "01-12-2026", "--Mon", ":30", " 6"},
                   {"c", " 3", "01-12-2026", "06--Feb", "08:00", " 6"}});
        Start();
    }
    std::string Field(int id) { return GetControlText(MainWindow(), id); }
    void SetFields(const std::string& day, const std::string& month, const std::string& year) {
        SetControlText(MainWindow(), ids::DayField, day);
        SetControlText(MainWindow(), ids::MonthField, month);
        SetControlText(MainWindow(), ids::YearField, year);
    }
    std::vector<std::string> Fields() {
        return {Field(ids::DayField), Field(ids::MonthField), Field(ids::YearField)};
    }
    void Notify(int id, int code) {
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(Control(id)));
    }
    using Texts = std::vector<std::string>;
};

TEST_F(DateTimeFields, DayAndMonthButtonsCycleTheirNamesOrStartFromToday) {
    SetFields("06", "02", "Sat");
    Click(ids::NextWeekdayButton);
    EXPECT_EQ(Fields(), (Texts{"06", "02", "Sun"}));
    Click(ids::NextWeekdayButton);
    EXPECT_EQ(Field(ids::YearField), "Day");
    Click(ids::NextWeekdayButton);
    EXPECT_EQ(Field(ids::YearField), "Mon");

    SetFields("06", "02", "2004");
    Click(ids::NextWeekdayButton);
    EXPECT_EQ(Fields(), (Texts{"", "", "Mon"}));

    SetFields("31", "", "Dec");
    Click(ids::NextMonthButton);
    EXPECT_EQ(Fields(), (Texts{"31", "", "Jan"}));
    SetFields("", "", "Mon");  // a weekday is not a month: today's month, today's day
    Click(ids::NextMonthButton);
    EXPECT_EQ(Fields(), (Texts{"07", "", "Dec"}));

    Click(ids::TodayButton);
    EXPECT_EQ(Fields(), (Texts{"07", "12", "2026"}));
}

TEST_F(DateTimeFields, HourAndMinuteStepWrapAndPadToTwoDigits) {
    struct Step {
        int button, field;
        const char *before, *after;
    };
    for (const Step& step : {Step{ids::NextHourButton, ids::HourField, "23", "00"},
                             Step{ids::NextHourButton, ids::HourField, "8", "09"},
                             Step{ids::NextHourButton, ids::HourField, "", "01"},
                             Step{ids::NextHourButton, ids::HourField, "30", "31"},
                             Step{ids::NextMinuteButton, ids::MinuteField, "59", "00"},
                             Step{ids::NextMinuteButton, ids::MinuteField, "9.5", "11"},
                             Step{ids::NextMinuteButton, ids::MinuteField, "-5", "-4"}}) {
        SetControlText(MainWindow(), step.field, step.before);
        Click(step.button);
        EXPECT_EQ(Field(step.field), step.after) << step.before;
    }
    Click(ids::TimeNowButton);
    EXPECT_EQ(Field(ids::HourField), "09");
    EXPECT_EQ(Field(ids::MinuteField), "05");
}

TEST_F(DateTimeFields, ChoosingARowLoadsItsDateAndTimeAsTheFieldsWriteThem) {
    // A pattern row fills the fields so that "Change" writes it back.
    SetSelection(MainWindow(), ids::RemindDateColumn, 2);
    Notify(ids::RemindDateColumn, LBN_SELCHANGE);
    EXPECT_EQ(Fields(), (Texts{"06", "", "Feb"}));
    Click(ids::ChangeDateButton);
    EXPECT_EQ(Column(ids::RemindDateColumn)[2], "06--Feb");
    SetSelection(MainWindow(), ids::RemindDateColumn, 1);
    Notify(ids::RemindDateColumn, LBN_SELCHANGE);
    EXPECT_EQ(Fields(), (Texts{"", "", "Mon"}));
    Click(ids::ChangeDateButton);
    EXPECT_EQ(Column(ids::RemindDateColumn)[1], "--Mon");
    for (int column : {ids::TextColumn, ids::PriorityColumn, ids::CreatedColumn, ids::TimeColumn,
                       ids::StateColumn}) {
        EXPECT_EQ(GetSelection(MainWindow(), column), 1) << column;
    }
    EXPECT_EQ(TaskList().SelectedRow, 1);
    EXPECT_TRUE(TaskList().RowSelected);
    EXPECT_TRUE(TaskList().ListDirty);

    SetSelection(MainWindow(), ids::RemindDateColumn, 0);
    Notify(ids::RemindDateColumn, LBN_SELCHANGE);
    EXPECT_EQ(Fields(), (Texts{"24", "12", "2026"}));

    Notify(ids::TimeColumn, LBN_DBLCLK);  // row 0: "14:45"
    EXPECT_EQ(Field(ids::HourField), "14");
    EXPECT_EQ(Field(ids::MinuteField), "45");
    SetSelection(MainWindow(), ids::TimeColumn, 1);
    Notify(ids::TimeColumn, LBN_DBLCLK);  // an hourly time, ":30"
    EXPECT_EQ(Field(ids::HourField), "");
    EXPECT_EQ(Field(ids::MinuteField), "30");
}

// A date or time that can never ring is refused with a message naming it
// and what is wrong, changing nothing; a text that is no pattern is taken
// (a task kept without a reminder), and a one-digit hour or minute is made
// two digits.
TEST_F(DateTimeFields, ImpossibleDatesAndTimesAreRefusedWithTheirReason) {
    struct Case {
        const char *day, *month, *year, *hour, *minute;
        int button;
        const char* caption;
        const char* text;  // "" when taken
    };
    const Case cases[] = {
        {"31", "02", "2026", "10", "00", ids::AddButton, "Error...Add...",
         "Cannot remind on 31-02-2026: February 2026 has 28 days"},
        {"24", "12", "2026", "25", "75", ids::AddButton, "Error...Add...",
         "Cannot remind at 25:75: there is no hour 25 (00 to 23)"},
        {"10", "13", "2026", "10", "00", ids::ChangeDateButton, "Error...Change date...",
         "Cannot remind on 10-13-2026: there is no month 13"},
        {"24", "12", "2026", "12", "60", ids::ChangeTimeButton, "Error...Change time...",
         "Cannot remind at 12:60: there is no minute 60 (00 to 59)"},
        {"", "", "Fri", "", "45", ids::AddButton, "", ""},
        {"some", "", "day", "8", "5", ids::AddButton, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        SetFields(c.day, c.month, c.year);
        SetControlText(MainWindow(), ids::HourField, c.hour);
        SetControlText(MainWindow(), ids::MinuteField, c.minute);
        SetControlText(MainWindow(), ids::EntryField, "task");
        SetSelection(MainWindow(), ids::RemindDateColumn, 0);
        SetSelection(MainWindow(), ids::TimeColumn, 0);
        const std::vector<TaskRow> before = ReadAllRows();
        Click(c.button);
        if (*c.text != 0) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, c.text);
            EXPECT_EQ(messages[0].caption, c.caption);
            EXPECT_EQ(ReadAllRows(), before);
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(ReadAllRows().size(), before.size() + 1);
        }
    }
    EXPECT_EQ(Column(ids::RemindDateColumn).back(), "some--day");
    EXPECT_EQ(Column(ids::TimeColumn).back(), "08:05");
    EXPECT_EQ(Field(ids::HourField), "08");
}

TEST_F(DateTimeFields, ChangeWritesTheFieldsIntoTheChosenRowWithoutSaving) {
    const std::string saved = ReadWholeFile(folder / "vemo.dat");
    SetSelection(MainWindow(), ids::RemindDateColumn, -1);
    SetSelection(MainWindow(), ids::TimeColumn, -1);
    SetFields("", "", "Fri");
    Click(ids::ChangeDateButton);
    Click(ids::ChangeTimeButton);
    EXPECT_EQ(Column(ids::RemindDateColumn), (Texts{"24-12-2026", "--Mon", "06--Feb"}));
    EXPECT_EQ(Column(ids::TimeColumn), (Texts{"14:45", ":30", "08:00"}));

    SetSelection(MainWindow(), ids::RemindDateColumn, 2);
    Click(ids::ChangeDateButton);
    SetSelection(MainWindow(), ids::TimeColumn, 2);
    SetControlText(MainWindow(), ids::HourField, "");
    SetControlText(MainWindow(), ids::MinuteField, "MM");  // not a minute: left alone
    Click(ids::ChangeTimeButton);
    EXPECT_EQ(Column(ids::TimeColumn), (Texts{"14:45", ":30", "08:00"}));
    SetControlText(MainWindow(), ids::MinuteField, "15");
    Click(ids::ChangeTimeButton);
    EXPECT_EQ(Column(ids::RemindDateColumn), (Texts{"24-12-2026", "--Mon", "--Fri"}));
    EXPECT_EQ(Column(ids::TimeColumn), (Texts{"14:45", ":30", ":15"}));
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), saved);  // the next save writes it

    // Added rows take the fields as they stand.
    SetControlText(MainWindow(), ids::EntryField, "d");
    Click(ids::AddButton);
    EXPECT_EQ(SavedRows().back().remind_date, "--Fri");
    EXPECT_EQ(SavedRows().back().time, ":15");
}

}  // namespace
}  // namespace vemo
