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

TEST_F(DateTimeFields, ChoosingARowLoadsItsDateAndTimeByPosition) {
    SetSelection(MainWindow(), ids::RemindDateColumn, 1);
    Notify(ids::RemindDateColumn, LBN_SELCHANGE);
    EXPECT_EQ(Fields(), (Texts{"--", "on", ""}));  // a weekday row, taken apart by position
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
