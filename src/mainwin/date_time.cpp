#include "mainwin/date_time.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "app/dates.h"
#include "app/state.h"
#include "app/task_commands.h"
#include "app/task_history.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/shell.h"
#include "runtime/text.h"

namespace vemo {

namespace {

DialogDefinition& Window() {
    return MainWindow();
}

std::string Field(int id) {
    return GetControlText(Window(), id);
}

void SetField(int id, const std::string& text) {
    SetControlText(Window(), id, text);
}

// Moves the year field to the name after it in `cycle`; false when the field
// holds none of the cycle's names.
template <std::size_t N>
bool StepNameInYearField(const std::array<std::string_view, N>& cycle) {
    const std::string name = Field(ids::YearField);
    for (std::size_t i = 0; i < N; ++i) {
        if (cycle[i] == name) {
            SetField(ids::YearField, std::string(cycle[(i + 1) % N]));
            return true;
        }
    }
    return false;
}

// The field's number plus one, `wrap` becoming 0, as at least two digits.
void StepField(int id, std::int64_t wrap) {
    std::int64_t value = RoundTo<std::int32_t>(TextToNumber(Field(id))) + 1;
    if (value == wrap) value = 0;
    std::string text = TrimLeftText(NumberText(static_cast<double>(value)));
    if (text.size() == 1) text.insert(text.begin(), '0');
    SetField(id, text);
}

}  // namespace

// A day, month, hour or minute field, a single digit made two: "2" is no
// month a date pattern has.
std::string TwoDigitField(int id) {
    std::string text = Field(id);
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') text.insert(0, "0");
    return text;
}

// Once the command goes ahead, the fields show the two digits it took. Not
// before: a field written loses the typing its own Ctrl+Z would take back.
void ShowTwoDigits(std::initializer_list<int> fields) {
    for (const int id : fields) {
        const std::string text = TwoDigitField(id);
        if (text != Field(id)) SetField(id, text);
    }
}

std::string DateFromFields() {
    return JoinText(TwoDigitField(ids::DayField), "-", TwoDigitField(ids::MonthField), "-",
                    Field(ids::YearField));
}

std::string TimeFromFields() {
    return JoinText(TwoDigitField(ids::HourField), ":", TwoDigitField(ids::MinuteField));
}

TaskValues FieldValues() {
    return {Field(ids::EntryField), DateFromFields(), TimeFromFields()};
}

bool AddFromFields() {
    const TaskValues values = FieldValues();
    if (!values.text.empty() && !CanRing(values.remind_date, values.time, "Error...Add...")) {
        return false;
    }
    if (!values.text.empty()) {
        ShowTwoDigits({ids::DayField, ids::MonthField, ids::HourField, ids::MinuteField});
    }
    ApplyCommand(AddTask(values, DateText(kDatePicture)));
    return !values.text.empty();
}

bool CanRing(std::string_view date, std::string_view time, const char* caption) {
    std::string why = WhyDateCannotRing(date);
    if (!why.empty()) {
        ShowMessageBox(Window().window, JoinText("Cannot remind on ", date, ": ", why), caption, 0);
        return false;
    }
    why = WhyTimeCannotRing(time);
    if (!why.empty()) {
        ShowMessageBox(Window().window, JoinText("Cannot remind at ", time, ": ", why), caption, 0);
        return false;
    }
    return true;
}

bool OnDateTimeControl(int id, int notify) {
    switch (id) {
        case ids::RemindDateColumn:
            if (notify == LBN_SELCHANGE) OnRemindDateSelected();
            TaskList().ListDirty = true;
            return true;
        case ids::TimeColumn:
            if (notify == LBN_DBLCLK) OnTimeDoubleClicked();
            return true;
        case ids::ChangeDateButton: ChangeDate(); return true;
        case ids::ChangeTimeButton: ChangeTime(); return true;
        case ids::NextWeekdayButton: NextWeekday(); return true;
        case ids::NextMonthButton: NextMonth(); return true;
        case ids::TodayButton: TodayDate(); return true;
        case ids::NextHourButton: NextHour(); return true;
        case ids::NextMinuteButton: NextMinute(); return true;
        case ids::TimeNowButton: TimeNow(); return true;
        default: return false;
    }
}

void OnRemindDateSelected() {
    DialogDefinition& window = Window();
    const int row = Tasks().Selection(TaskField::RemindDate);
    ChooseRow(row);
    // The fields take the date as they write it, so "Change" writes the same
    // pattern back: "--Mon" and "--Day" into the year field alone, "05--Mar"
    // into the day and year fields; any other text by position.
    const std::string date(Tasks().Cell(row, TaskField::RemindDate));
    if (date.size() == 5 && date.starts_with("--")) {
        SetField(ids::DayField, "");
        SetField(ids::MonthField, "");
        SetField(ids::YearField, date.substr(2));
    } else if (date.size() == 7 && date.substr(2, 2) == "--") {
        SetField(ids::DayField, date.substr(0, 2));
        SetField(ids::MonthField, "");
        SetField(ids::YearField, date.substr(4));
    } else {
        SetField(ids::DayField, MidText(date, 1, 2));
        SetField(ids::MonthField, MidText(date, 4, 2));
        SetField(ids::YearField, MidText(date, 7, 4));
    }
    // The whole row follows, the text column last.
    Tasks().SelectIn(row, {TaskField::Priority, TaskField::RemindDate, TaskField::Time,
                           TaskField::State, TaskField::Created, TaskField::Text});
    // Give the user time to edit before the scheduler moves the selection.
    StopTimer(window, ids::ProgramTimer);
    StartTimer(window, ids::EditingTickMs, ids::ProgramTimer);
}

void OnTimeDoubleClicked() {
    const int row = Tasks().Selection(TaskField::Time);
    ChooseRow(row);
    const std::string time(Tasks().Cell(row, TaskField::Time));
    if (time.size() > 3) {
        SetField(ids::HourField, MidText(time, 1, 2));
        SetField(ids::MinuteField, MidText(time, 4, 2));
    } else {
        // ":30" is the thirtieth minute of every hour.
        SetField(ids::MinuteField, MidText(time, 2, 2));
        SetField(ids::HourField, "");
    }
}

void OnUndoKey(bool redo) {
    Program().ExitSaveFailed = false;  // the user went back to work
    ApplyCommand(redo ? RedoStep() : UndoStep());
}

void EndFieldsTyping() {
    static std::uint64_t seen = 0;
    if (History().Generation() == seen) return;
    seen = History().Generation();
    for (const int id : {ids::EntryField, ids::DayField, ids::MonthField, ids::YearField,
                         ids::HourField, ids::MinuteField}) {
        SendDlgItemMessageA(MainWindow().window, id, EM_EMPTYUNDOBUFFER, 0, 0);
    }
}

void ChangeDate() {
    const std::string date = DateFromFields();
    if (!CanRing(date, {}, "Error...Change date...")) return;
    ShowTwoDigits({ids::DayField, ids::MonthField});
    ApplyCommand(ChangeReminder(TaskField::RemindDate, date));
}

void ChangeTime() {
    // A changed time is a new occurrence: the row alarms at its new time.
    if (Field(ids::MinuteField) == "MM") {
        TaskList().ListDirty = true;
        return;
    }
    const std::string time = TimeFromFields();
    if (!CanRing({}, time, "Error...Change time...")) return;
    ShowTwoDigits({ids::HourField, ids::MinuteField});
    ApplyCommand(ChangeReminder(TaskField::Time, time));
}

void NextWeekday() {
    if (StepNameInYearField(kDayNames)) return;  // "Day" sits after "Sun"
    SetField(ids::YearField, DateText("ddd"));
    SetField(ids::DayField, "");
    SetField(ids::MonthField, "");
}

void NextMonth() {
    if (StepNameInYearField(kMonthNames)) return;
    SetField(ids::YearField, DateText("MMM"));
    SetField(ids::DayField, DateText("dd"));
    SetField(ids::MonthField, "");
}

void TodayDate() {
    SetField(ids::DayField, DateText("dd"));
    SetField(ids::MonthField, DateText("MM"));
    SetField(ids::YearField, DateText("yyyy"));
}

void NextHour() {
    StepField(ids::HourField, 24);
}

void NextMinute() {
    StepField(ids::MinuteField, 60);
}

void TimeNow() {
    const std::string now = TimeText();
    SetField(ids::MinuteField, MidText(now, 4, 2));
    SetField(ids::HourField, MidText(now, 1, 2));
}

}  // namespace vemo
