#include "app/layouts.h"

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

constexpr std::uint32_t kTab = 0x00010000;
constexpr std::uint32_t kChildVisible = 0x50000000;
constexpr std::uint32_t kVerticalBar = 0x50000001;
constexpr std::uint32_t kCheck = 0x50000003;
constexpr std::uint32_t kLabel = 0x5000010B;
constexpr std::uint32_t kMessageEdit = 0x50800080;
constexpr std::uint32_t kAutoScroll = 0x00000080;
constexpr std::uint32_t kColumn = 0x50B10141;
constexpr std::uint32_t kQuietColumn = 0x50B10140;  // no LBS_NOTIFY
constexpr std::uint32_t kUntabbedColumn = 0x50B00141;

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
    DefineDialog(window, x, y, 833, 340, 0x00CA0000, nullptr, title, handler);
    const std::string now = TimeText();
    const std::string day = DateText("dd");
    const std::string month = DateText("MM");
    const std::string year = DateText("yyyy");
    const std::string hour = LeftText(now, 2);
    const std::string minute = MidText(now, 4, 2);
    DefineRows(window, {
                           {Static, "Neural Net weights...", 623, 324, 350, 20, kLabel, 66},
                           {CheckBox, "Show Neural Net output", 605, 304, 132, 20, kCheck, 69},
                           {ListBox, "ListBox9", 5, 25, 40, 250, kColumn, 9},
                           {PushButton, "+", 10, 280, 20, 20, kTab, 13},
                           {PushButton, "-", 10, 305, 20, 20, kTab, 14},
                           {ListBox, "ListBox20", 125, 25, 80, 250, kColumn, 20},
                           {Edit, day.c_str(), 122, 280, 20, 20, kTab, 28},
                           {Edit, month.c_str(), 148, 280, 20, 20, kTab, 29},
                           {Edit, year.c_str(), 174, 280, 32, 20, kTab, 30},
                           {PushButton, "Change", 122, 304, 84, 17, kTab, 54},
                           {PushButton, "day", 122, 323, 22, 17, kTab, 59},
                           {PushButton, "month", 145, 323, 33, 17, kTab, 60},
                           {PushButton, "year", 178, 323, 27, 17, kTab, 61},
                           {ListBox, "ListBox39", 205, 25, 60, 250, kColumn, 39},
                           {Edit, hour.c_str(), 211, 280, 20, 20, kTab, 52},
                           {Edit, minute.c_str(), 234, 280, 20, 20, kTab, 51},
                           {PushButton, "Change", 211, 304, 42, 17, kTab, 53},
                           {PushButton, "hr", 211, 323, 20, 17, kTab, 62},
                           {PushButton, "min", 232, 323, 21, 17, kTab, 63},
                           {PushButton, "R", 255, 280, 10, 58, kTab, 64},
                           {ListBox, "ListBox46", 265, 25, 35, 250, kQuietColumn, 46},
                           {PushButton, "+/-", 273, 280, 22, 20, kTab, 47},
                           {ListBox, "ListBox1", 301, 25, 440, 250, kColumn, 1},
                           {Edit, kEmpty, 302, 280, 439, 20, kTab, 2},
                           {PushButton, "Add", 302, 304, 70, 17, kTab, 7},
                           {PushButton, "Change selected", 377, 304, 100, 17, kTab, 56},
                           {CheckBox, "Create message file", 485, 304, 110, 20, kCheck, 68},
                           {CheckBox, "Fine tune for Ai", 485, 321, 110, 20, kCheck, 70},
                           {ListBox, "ListBox11", 45, 25, 80, 250, kUntabbedColumn, 11},
                           {Static, "enter text here", 305, 323, 70, 20, kLabel, 8},
                           {Static, "Priority", 1, 5, 70, 20, kLabel, 10},
                           {Static, "Date created", 45, 5, 70, 20, kLabel, 12},
                           {Static, "Increase priority", 33, 280, 90, 20, kLabel, 15},
                           {Static, "Decrease priority", 33, 313, 90, 20, kLabel, 17},
                           {Static, "Remind me on", 125, 5, 70, 20, kLabel, 19},
                           {Static, "(1 = highest)", 33, 297, 90, 20, kLabel, 23},
                           {Static, "-", 170, 282, 20, 20, kLabel, 31},
                           {Static, "-", 142, 282, 20, 20, kLabel, 32},
                           {Static, ":", 231, 282, 5, 20, kLabel, 33},
                           {Static, "Time", 205, 5, 70, 20, kLabel, 38},
                           {Edit, "Message box", 240, 2, 585, 20, kMessageEdit, 44},
                       });
}

void DefineAlarmActionDialog(DialogDefinition& dialog, EventHandler handler) {
    DefineDialog(dialog, 0, 0, 303, 176, 0x80C80080, nullptr, "Alarm Action", handler);
    DefineRows(dialog, {
                           {CheckBox, "Run progam", 15, 13, 136, 21, kCheck, 2},
                           {Edit, "Edit1", 15, 42, 273, 19, kAutoScroll, 3},
                           {PushButton, "Browse", 215, 11, 70, 20, kChildVisible, 4},
                           {CheckBox, "Play sound", 15, 69, 114, 20, kCheck, 5},
                           {Edit, "Edit2", 15, 97, 273, 19, kAutoScroll, 6},
                           {PushButton, "Browse", 215, 71, 70, 20, kChildVisible, 7},
                           {PushButton, "OK", 57, 138, 70, 20, kChildVisible, 8},
                           {PushButton, "Cancel", 146, 138, 70, 20, kChildVisible, 9},
                           {PushButton, "P", 150, 71, 20, 20, kChildVisible, 10},
                           {PushButton, "S", 170, 71, 20, 20, kChildVisible, 11},
                       });
}

void DefineWeightsDialog(DialogDefinition& dialog, int x, int y, EventHandler handler) {
    DefineDialog(dialog, x, y, 446, 249, 0x80C80080 | WS_MINIMIZEBOX, nullptr,
                 "Neural Network condition weights", handler);
    DefineRows(dialog, {
                           {ScrollBar, "hello", 12, 64, 21, 128, kVerticalBar, 1},
                           {ScrollBar, "", 88, 64, 21, 128, kVerticalBar, 2},
                           {ScrollBar, "", 164, 64, 21, 128, kVerticalBar, 3},
                           {ScrollBar, "", 240, 64, 21, 128, kVerticalBar, 4},
                           {ScrollBar, "", 316, 64, 21, 128, kVerticalBar, 5},
                           {ScrollBar, "", 392, 64, 21, 128, kVerticalBar, 6},
                           {Static, "Condition response ", 5, 6, 100, 20, kLabel, 7},
                           {Static, "Control:     Weight:", 160, 35, 200, 20, kLabel, 8},
                           {Static, "1=Priority", 75, 199, 46, 17, kLabel, 9},
                           {Static, "0=Alarm", 2, 199, 41, 20, kLabel, 10},
                           {Static, "ONE", 87, 214, 26, 17, kLabel, 11},
                           {Static, "2=Alarm", 150, 199, 47, 19, kLabel, 12},
                           {Static, "within hour", 144, 214, 58, 19, kLabel, 13},
                           {Static, "3=Reminders", 218, 199, 66, 21, kLabel, 14},
                           {Static, "today", 317, 214, 30, 20, kLabel, 15},
                           {Static, "4=Reminders", 296, 199, 65, 20, kLabel, 16},
                           {Static, "today pending", 213, 214, 70, 20, kLabel, 17},
                           {Static, "5=Old reminders", 364, 199, 80, 20, kLabel, 18},
                           {Static, "still active", 379, 214, 55, 17, kLabel, 19},
                           {PushButton, "Update", 5, 31, 145, 20, kChildVisible, 21},
                           {Edit, "Message box", 100, 5, 335, 20, kTab, 22},
                       });
}

}  // namespace vemo
