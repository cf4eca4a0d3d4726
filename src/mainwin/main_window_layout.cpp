// The main window: its definition, its controls in the order they are
// defined, and its opening.
#include "app/settings_file.h"
#include "app/state.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "mainwin/window_place.h"
#include "runtime/controls.h"
#include "runtime/layout_rows.h"
#include "runtime/shell.h"
#include "runtime/text.h"

namespace vemo {

DialogDefinition& MainWindow() {
    static DialogDefinition window;
    return window;
}

bool OpenMainWindow() {
    if (OpenModeless(MainWindow(), nullptr) != nullptr) return true;
    // The window's own start may have ended the program already (a database
    // that cannot be opened says so itself).
    if (!Program().RunFlag) return false;
    ShowMessage(nullptr, "Unable to open the main window", "Error...start...", 0);
    Program().RunFlag = false;
    return false;
}

void DefineMainWindow(int x, int y, const std::string& title) {
    DialogDefinition& window = MainWindow();
    DefineDialog(window, x, y, kMainWindowWidth, kMainWindowHeight, kMainWindowStyle, nullptr,
                 title, MainWindowHandler);
    const std::string now = TimeText();
    const std::string day = DateText("dd");
    const std::string month = DateText("MM");
    const std::string year = DateText("yyyy");
    const std::string hour = LeftText(now, 2);
    const std::string minute = MidText(now, 4, 2);
    DefineRows(
        window,
        {
            {Static, "Neural Net weights...", 623, 324, 350, 20, kLabel, ids::WeightsLine},
            {CheckBox, "Show Neural Net output", 605, 304, 132, 20, kCheck,
             ids::ShowNetworkOutputCheck},
            {ListBox, "ListBox9", 5, 25, 40, 250, kColumn, ids::PriorityColumn},
            {PushButton, "+", 10, 280, 20, 20, kTab, ids::PriorityUpButton},
            {PushButton, "-", 10, 305, 20, 20, kTab, ids::PriorityDownButton},
            {ListBox, "ListBox20", 125, 25, 80, 250, kColumn, ids::RemindDateColumn},
            {Edit, day.c_str(), 122, 280, 20, 20, kTab, ids::DayField},
            {Edit, month.c_str(), 148, 280, 20, 20, kTab, ids::MonthField},
            {Edit, year.c_str(), 174, 280, 32, 20, kTab, ids::YearField},
            {PushButton, "Change", 122, 304, 84, 17, kTab, ids::ChangeDateButton},
            {PushButton, "day", 122, 323, 22, 17, kTab, ids::NextWeekdayButton},
            {PushButton, "month", 145, 323, 33, 17, kTab, ids::NextMonthButton},
            {PushButton, "year", 178, 323, 27, 17, kTab, ids::TodayButton},
            {ListBox, "ListBox39", 205, 25, 60, 250, kColumn, ids::TimeColumn},
            {Edit, hour.c_str(), 211, 280, 20, 20, kTab, ids::HourField},
            {Edit, minute.c_str(), 234, 280, 20, 20, kTab, ids::MinuteField},
            {PushButton, "Change", 211, 304, 42, 17, kTab, ids::ChangeTimeButton},
            {PushButton, "hr", 211, 323, 20, 17, kTab, ids::NextHourButton},
            {PushButton, "min", 232, 323, 21, 17, kTab, ids::NextMinuteButton},
            {PushButton, "R", 255, 280, 10, 58, kTab, ids::TimeNowButton},
            {ListBox, "ListBox46", 265, 25, 35, 250, kQuietColumn, ids::StateColumn},
            {PushButton, "+/-", 273, 280, 22, 20, kTab, ids::SwitchInactiveButton},
            {ListBox, "ListBox1", 301, 25, 440, 250, kColumn, ids::TextColumn},
            // Scrolls sideways, so a whole task text fits however the box looks.
            {Edit, kEmpty, 302, 280, 439, 20, kTab | kAutoScroll, ids::EntryField},
            {PushButton, "Add", 302, 304, 70, 17, kTab, ids::AddButton},
            {PushButton, "Change selected", 377, 304, 100, 17, kTab, ids::ChangeSelectedButton},
            {CheckBox, "Create message file", 485, 304, 110, 20, kCheck,
             ids::CreateMessageFileCheck},
            {CheckBox, "Fine tune for Ai", 485, 321, 110, 20, kCheck, ids::FineTuneCheck},
            {ListBox, "ListBox11", 45, 25, 80, 250, kUntabbedColumn, ids::CreatedColumn},
            {Static, "enter text here", 305, 323, 70, 20, kLabel, ids::EntryLabel},
            {Static, "Priority", 1, 5, 70, 20, kLabel, ids::PriorityLabel},
            {Static, "Date created", 45, 5, 70, 20, kLabel, ids::CreatedLabel},
            {Static, "Increase priority", 33, 280, 90, 20, kLabel, ids::IncreasePriorityLabel},
            {Static, "Decrease priority", 33, 313, 90, 20, kLabel, ids::DecreasePriorityLabel},
            {Static, "Remind me on", 125, 5, 70, 20, kLabel, ids::RemindLabel},
            {Static, "(1 = highest)", 33, 297, 90, 20, kLabel, ids::HighestPriorityLabel},
            {Static, "-", 170, 282, 20, 20, kLabel, ids::MonthYearDash},
            {Static, "-", 142, 282, 20, 20, kLabel, ids::DayMonthDash},
            {Static, ":", 231, 282, 5, 20, kLabel, ids::HourMinuteColon},
            {Static, "Time", 205, 5, 70, 20, kLabel, ids::TimeLabel},
            {Edit, "Message box", 240, 2, 585, 20, kMessageEdit, ids::MessageLine},
        });
}

namespace {

// What the small unlabelled buttons do, shown when the mouse rests on one.
constexpr ControlTip kButtonTips[] = {
    {ids::PriorityUpButton, "Raise the selected priority one step (1 is the highest)"},
    {ids::PriorityDownButton, "Lower the selected priority one step"},
    {ids::SwitchInactiveButton, "Switch the selected task between inactive and active"},
    {ids::TimeNowButton, "Set the hour and minute to now"},
    {ids::NextWeekdayButton, "Every week on a weekday: steps Mon ... Sun, then Day (every day)"},
    {ids::NextMonthButton, "Every year on the day's date: steps the month Jan ... Dec"},
    {ids::TodayButton, "Back to today's date"},
    {ids::NextHourButton, "One hour later"},
    {ids::NextMinuteButton, "One minute later"},
};

}  // namespace

void AddButtonTips() {
    AddControlTips(MainWindow(), kButtonTips);
}

}  // namespace vemo
