#include "app/layouts.h"

#include "app/ids.h"
#include "runtime/shell.h"
#include "runtime/text.h"

namespace vemo {

namespace {

struct ControlRow {
    int kind;
    const char* caption;
    int x, y, width, height;
    std::uint32_t style;
    int id;
};

constexpr std::uint32_t kTab = WS_TABSTOP;
constexpr std::uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kVerticalBar = WS_CHILD | WS_VISIBLE | SBS_VERT;
constexpr std::uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr std::uint32_t kLabel = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_SIMPLE;
constexpr std::uint32_t kMessageEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
constexpr std::uint32_t kAutoScroll = ES_AUTOHSCROLL;
constexpr std::uint32_t kColumn = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                                  WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY;
constexpr std::uint32_t kQuietColumn = kColumn & ~static_cast<std::uint32_t>(LBS_NOTIFY);
constexpr std::uint32_t kUntabbedColumn = kColumn & ~static_cast<std::uint32_t>(WS_TABSTOP);
constexpr std::uint32_t kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr std::uint32_t kDialogBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// The values the layouts have always had.
static_assert(kTab == 0x00010000 && kChildVisible == 0x50000000);
static_assert(kVerticalBar == 0x50000001 && kCheck == 0x50000003 && kLabel == 0x5000010B);
static_assert(kMessageEdit == 0x50800080 && kAutoScroll == 0x00000080);
static_assert(kColumn == 0x50B10141 && kQuietColumn == 0x50B10140 && kUntabbedColumn == 0x50B00141);
static_assert(kMainWindowStyle == 0x00CA0000 && kDialogBoxStyle == 0x80C80080);

// The entry field starts empty.
constexpr const char* kEmpty = nullptr;

void DefineRows(DialogDefinition& dialog, std::initializer_list<ControlRow> rows) {
    for (const ControlRow& row : rows) {
        DefineControl(dialog, row.kind, row.caption != nullptr ? row.caption : "", row.x, row.y,
                      row.width, row.height, row.style, row.id);
    }
}

}  // namespace

void DefineMainWindow(DialogDefinition& window, int x, int y, const std::string& title,
                      EventHandler handler) {
    DefineDialog(window, x, y, kMainWindowWidth, kMainWindowHeight, kMainWindowStyle, nullptr,
                 title, handler);
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
            {Edit, kEmpty, 302, 280, 439, 20, kTab, ids::EntryField},
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

void DefineAlarmActionDialog(DialogDefinition& dialog, EventHandler handler) {
    DefineDialog(dialog, 0, 0, 303, 176, kDialogBoxStyle, nullptr, "Alarm Action", handler);
    DefineRows(
        dialog,
        {
            {CheckBox, "Run progam", 15, 13, 136, 21, kCheck, ids::alarm::RunProgramCheck},
            {Edit, "Edit1", 15, 42, 273, 19, kAutoScroll, ids::alarm::ProgramPathEdit},
            {PushButton, "Browse", 215, 11, 70, 20, kChildVisible, ids::alarm::BrowseProgramButton},
            {CheckBox, "Play sound", 15, 69, 114, 20, kCheck, ids::alarm::PlaySoundCheck},
            {Edit, "Edit2", 15, 97, 273, 19, kAutoScroll, ids::alarm::SoundPathEdit},
            {PushButton, "Browse", 215, 71, 70, 20, kChildVisible, ids::alarm::BrowseSoundButton},
            {PushButton, "OK", 57, 138, 70, 20, kChildVisible, ids::alarm::OkButton},
            {PushButton, "Cancel", 146, 138, 70, 20, kChildVisible, ids::alarm::CancelButton},
            {PushButton, "P", 150, 71, 20, 20, kChildVisible, ids::alarm::PlayButton},
            {PushButton, "S", 170, 71, 20, 20, kChildVisible, ids::alarm::StopButton},
        });
}

void DefineWeightsDialog(DialogDefinition& dialog, int x, int y, EventHandler handler) {
    DefineDialog(dialog, x, y, 446, 249, kDialogBoxStyle | WS_MINIMIZEBOX, nullptr,
                 "Neural Network condition weights", handler);
    DefineRows(
        dialog,
        {
            {ScrollBar, "hello", 12, 64, 21, 128, kVerticalBar, ids::weights::FirstWeightBar},
            {ScrollBar, "", 88, 64, 21, 128, kVerticalBar, ids::weights::FirstWeightBar + 1},
            {ScrollBar, "", 164, 64, 21, 128, kVerticalBar, ids::weights::FirstWeightBar + 2},
            {ScrollBar, "", 240, 64, 21, 128, kVerticalBar, ids::weights::FirstWeightBar + 3},
            {ScrollBar, "", 316, 64, 21, 128, kVerticalBar, ids::weights::FirstWeightBar + 4},
            {ScrollBar, "", 392, 64, 21, 128, kVerticalBar, ids::weights::FirstWeightBar + 5},
            {Static, "Condition response ", 5, 6, 100, 20, kLabel, ids::weights::ResponseLabel},
            {Static, "Control:     Weight:", 160, 35, 200, 20, kLabel, ids::weights::WeightLabel},
            {Static, "1=Priority", 75, 199, 46, 17, kLabel, ids::weights::Caption1a},
            {Static, "0=Alarm", 2, 199, 41, 20, kLabel, ids::weights::Caption0},
            {Static, "ONE", 87, 214, 26, 17, kLabel, ids::weights::Caption1b},
            {Static, "2=Alarm", 150, 199, 47, 19, kLabel, ids::weights::Caption2a},
            {Static, "within hour", 144, 214, 58, 19, kLabel, ids::weights::Caption2b},
            {Static, "3=Reminders", 218, 199, 66, 21, kLabel, ids::weights::Caption3a},
            {Static, "today", 317, 214, 30, 20, kLabel, ids::weights::Caption4b},
            {Static, "4=Reminders", 296, 199, 65, 20, kLabel, ids::weights::Caption4a},
            {Static, "today pending", 213, 214, 70, 20, kLabel, ids::weights::Caption3b},
            {Static, "5=Old reminders", 364, 199, 80, 20, kLabel, ids::weights::Caption5a},
            {Static, "still active", 379, 214, 55, 17, kLabel, ids::weights::Caption5b},
            {PushButton, "Update", 5, 31, 145, 20, kChildVisible, ids::weights::UpdateButton},
            {Edit, "Message box", 100, 5, 335, 20, kTab, ids::weights::ResponseEdit},
        });
}

}  // namespace vemo
