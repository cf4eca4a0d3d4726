// The main window's handler driven through real messages, on real files in a
// fresh program folder.
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
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;

using MainWindowTest = ProgramTest;

TEST_F(MainWindowTest, OpensWithTheDefaultDatabaseTitleAndItsRows) {
    WriteRows(Numbered(3));
    Start();
    char title[128] = {};
    GetWindowTextA(MainWindow().window, title, sizeof(title));
    EXPECT_STREQ(title, "Vemo V009u - Database: vemo.dat");
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"task 1", "task 2", "task 3"}));
    EXPECT_EQ(GetControlText(MainWindow(), ids::MessageLine), "Number of entries in the list:  3");
    EXPECT_EQ(GetControlText(MainWindow(), ids::DayField), "07");
    EXPECT_EQ(GetControlText(MainWindow(), ids::HourField), "09");
    EXPECT_EQ(GetControlText(MainWindow(), ids::MinuteField), "05");
    EXPECT_EQ(GetCheck(MainWindow(), ids::CreateMessageFileCheck), 1);
    EXPECT_EQ(GetCheck(MainWindow(), ids::FineTuneCheck), 0);
    EXPECT_NE(Control(ids::Toolbar), nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, AddGivesTheNextRowAndSavesAndNotes) {
    WriteRows(Numbered(4));
    Start();
    SetControlText(MainWindow(), ids::MonthField, "01");
    SetControlText(MainWindow(), ids::YearField, "2027");
    SetControlText(MainWindow(), ids::EntryField, "Renew passport");
    Click(ids::AddButton);
    const TaskRow added = ReadRow(4);
    EXPECT_EQ(added, (TaskRow{"Renew passport", " 5", "07-12-2026", "07-01-2027", "09:05", " 6"}));
    EXPECT_EQ(Tasks().Count(), 5);
    ASSERT_EQ(SavedRows().size(), 5u);
    EXPECT_EQ(SavedRows()[4], added);
    EXPECT_EQ(ReadWholeFile(folder / "AddFile.txt"),
              "Renew passport 07-12-2026  5 07-01-2027 09:05 \r\n");
    SetControlText(MainWindow(), ids::EntryField, "");
    Click(ids::AddButton);  // an empty entry adds nothing
    EXPECT_EQ(Tasks().Count(), 5);
}

TEST_F(MainWindowTest, DeleteNeedsAChosenRowButAlwaysSaves) {
    WriteRows(Numbered(3));
    Start();
    ChooseRow(1);
    EXPECT_EQ(GetSelection(MainWindow(), ids::StateColumn), 1);  // selection mirrored
    Command(ids::DeleteCommand);
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"task 1", "task 3"}));
    EXPECT_EQ(Column(ids::PriorityColumn), (std::vector<std::string>{" 1", " 3"}));
    DeleteFileA((folder / "vemo.dat").c_str());
    Command(ids::DeleteCommand);  // nothing chosen since the last deletion
    EXPECT_EQ(Tasks().Count(), 2);
    EXPECT_EQ(SavedRows().size(), 2u);  // but saved all the same
}

TEST_F(MainWindowTest, ClearAllRemovesEveryRowAndAddsTheDefaultRow) {
    // Both in the same second of the clock: the second copy takes a new name.
    for (auto [count, copy] : {std::pair{10, "vemo-2026-12-07-090500.dat"},
                               std::pair{50, "vemo-2026-12-07-090500-2.dat"}}) {
        WriteRows(Numbered(count));
        Start();
        const std::string before = ReadWholeFile(folder / "vemo.dat");
        // An edit written only by the next save is in the copy too.
        ChooseRow(1);
        SetControlText(MainWindow(), ids::EntryField, "changed, not saved");
        Click(ids::ChangeSelectedButton);
        const std::vector<TaskRow> shown = ReadAllRows();
        ASSERT_EQ(ReadWholeFile(folder / "vemo.dat"), before);
        Command(ids::ClearAllCommand);
        RecordBuffer buffer{};
        EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "backups\\" + copy), buffer), shown)
            << copy;
        ASSERT_EQ(GetItemCount(MainWindow(), ids::TextColumn), 1) << count;
        const TaskRow row = ReadRow(0);
        EXPECT_EQ(row.text.rfind("Vemo V009u", 0), 0u);
        EXPECT_EQ(row.priority, " 1");
        EXPECT_EQ(row.created, "06-02-2004");
        EXPECT_EQ(row.remind_date, "07-12-2026");
        EXPECT_EQ(row.time, " 1");
        EXPECT_EQ(row.state, " 0");
        EXPECT_TRUE(SavedRows().empty());  // written by the next save
        CloseDialog(MainWindow(), 0);
    }
}

TEST_F(MainWindowTest, ClearAllThatCannotKeepACopyChangesNothing) {
    WriteRows(Numbered(3));
    WriteWholeFile(folder / "backups", "a file where the folder would go");
    Start();
    const std::vector<TaskRow> rows = ReadAllRows();
    const std::string before = ReadWholeFile(folder / "vemo.dat");
    Command(ids::ClearAllCommand);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Problem saving data");
    EXPECT_EQ(messages[0].caption, "Error...SaveData...");
    EXPECT_EQ(messages[0].owner, MainWindow().window);
    EXPECT_EQ(ReadAllRows(), rows);
    EXPECT_EQ(Tasks().Count(), 3);
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), before);
    EXPECT_FALSE(ended);
    // The rows are kept from the list, not the file: with no file they still
    // need their copy, and go once it can be made.
    DeleteFileA((folder / "vemo.dat").c_str());
    Command(ids::ClearAllCommand);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(ReadAllRows(), rows);
    DeleteFileA((folder / "backups").c_str());
    Command(ids::ClearAllCommand);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(Tasks().Count(), 1);
    EXPECT_TRUE(SavedRows().empty());
    RecordBuffer buffer{};
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "backups\\vemo-2026-12-07-090500.dat"), buffer),
              rows);
}

// Whatever scrolls one column (the wheel, its scroll bar, a key) scrolls
// the six to one top row, so each line shows one task.
// The main window's tooltip window holding more than one tool.
BOOL CALLBACK FindMainWindowTips(HWND window, LPARAM found) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 &&
        GetWindow(window, GW_OWNER) == MainWindow().window &&
        SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0) > 1) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The small unlabelled buttons say what they do when the mouse rests on
// them: one tooltip window of the main window holds a tip for each.
TEST_F(MainWindowTest, TheSmallButtonsHaveTooltips) {
    Start(Rows({"a"}));
    HWND tooltips = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMainWindowTips,
                      reinterpret_cast<LPARAM>(&tooltips));
    ASSERT_NE(tooltips, nullptr);
    for (int id : {ids::PriorityUpButton, ids::PriorityDownButton, ids::SwitchInactiveButton,
                   ids::TimeNowButton, ids::NextWeekdayButton, ids::NextMonthButton,
                   ids::TodayButton, ids::NextHourButton, ids::NextMinuteButton}) {
        char text[128] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = MainWindow().window;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
        tool.lpszText = text;
        SendMessageA(tooltips, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_GT(std::string(text).size(), 8u) << id;
    }
}

TEST_F(MainWindowTest, TheSixColumnsKeepOneTopRowWhateverScrollsOne) {
    WriteNumberedRows(60);
    Start();
    struct Scroll {
        const char* name;
        UINT message;
        WPARAM wparam;
    };
    const Scroll scrolls[] = {
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA))},
        {"scroll bar", WM_VSCROLL, SB_PAGEDOWN},
        {"key", WM_KEYDOWN, VK_DOWN},
        {"bar to the end", WM_VSCROLL, SB_BOTTOM},
    };
    for (const TaskColumn& column : kTaskColumns) {
        for (const Scroll& scroll : scrolls) {
            Tasks().ScrollTo(0);
            // A key moves the selection, and the list once it leaves the page.
            for (int i = 0; i < (scroll.message == WM_KEYDOWN ? 40 : 1); ++i) {
                SendMessageA(Control(column.id), scroll.message, scroll.wparam, 0);
            }
            const auto top = SendMessageA(Control(column.id), LB_GETTOPINDEX, 0, 0);
            EXPECT_GT(top, 0) << column.id << " " << scroll.name << " sel "
                              << SendMessageA(Control(column.id), LB_GETCURSEL, 0, 0) << " caret "
                              << SendMessageA(Control(column.id), LB_GETCARETINDEX, 0, 0);
            for (const TaskColumn& other : kTaskColumns) {
                EXPECT_EQ(SendMessageA(Control(other.id), LB_GETTOPINDEX, 0, 0), top)
                    << column.id << " " << scroll.name << ", column " << other.id;
            }
        }
    }
    // The tick's own moves of the selection (no alarm) leave the list where
    // the user scrolled it.
    for (int tick = 0; tick < 3; ++tick) {
        Tasks().ScrollTo(30);
        TaskList().ListDirty = true;
        SetSelection(MainWindow(), ids::TextColumn, -1);
        OnProgramTimer();
        for (const TaskColumn& column : kTaskColumns) {
            EXPECT_EQ(SendMessageA(Control(column.id), LB_GETTOPINDEX, 0, 0), 30) << column.id;
        }
    }
}

TEST_F(MainWindowTest, SortOrdersTheWholeListStablyInOneCommand) {
    std::vector<TaskRow> rows = Numbered(3);
    rows[0].priority = " 3";
    rows[1].priority = " 1";
    rows[2].priority = " 2";
    rows.push_back({"second one", " 1", "01-12-2026", "", "", " 6"});
    WriteRows(rows);
    Start();
    Command(ids::SortCommand);
    EXPECT_EQ(Column(ids::TextColumn),
              (std::vector<std::string>{"task 2", "second one", "task 3", "task 1"}));
    EXPECT_EQ(Column(ids::PriorityColumn), (std::vector<std::string>{" 1", " 1", " 2", " 3"}));
    EXPECT_EQ(SavedRows()[0].text, "task 2");
    CloseDialog(MainWindow(), 0);

    WriteRows(Numbered(30, true));
    Start();
    Command(ids::SortCommand);
    const auto priorities = Column(ids::PriorityColumn);
    ASSERT_EQ(priorities.size(), 30u);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(priorities[i], NumberText(i + 1));
    EXPECT_EQ(ReadRow(0).text, "task 30");
}

TEST_F(MainWindowTest, PriorityStopsAtOneGoingUpAndHasNoLimitGoingDown) {
    WriteRows(Numbered(2));
    Start();
    ChooseRow(0);
    Click(ids::PriorityUpButton);
    EXPECT_EQ(GetItemText(MainWindow(), ids::PriorityColumn, 0), " 1");
    for (int i = 0; i < 5; ++i) Click(ids::PriorityDownButton);
    EXPECT_EQ(GetItemText(MainWindow(), ids::PriorityColumn, 0), " 6");
    Click(ids::PriorityUpButton);
    EXPECT_EQ(GetItemText(MainWindow(), ids::PriorityColumn, 0), " 5");
    EXPECT_EQ(GetSelection(MainWindow(), ids::PriorityColumn), 0);
}

TEST_F(MainWindowTest, SwitchInactiveTogglesFiveAndSix) {
    std::vector<TaskRow> rows = Numbered(2);
    rows[1].state = " 5";
    WriteRows(rows);
    Start();
    ChooseRow(1);
    Click(ids::SwitchInactiveButton);
    EXPECT_EQ(GetItemText(MainWindow(), ids::StateColumn, 1), " 6");
    Click(ids::SwitchInactiveButton);
    EXPECT_EQ(GetItemText(MainWindow(), ids::StateColumn, 1), " 5");
    EXPECT_EQ(GetSelection(MainWindow(), ids::StateColumn), 1);
}

TEST_F(MainWindowTest, SendToLogWritesTheLineAndDeletesOnlyAChosenRow) {
    std::vector<TaskRow> rows = Numbered(2);
    rows[0].remind_date = "";
    WriteRows(rows);
    Start();
    ChooseRow(0);
    Command(ids::SendToLogCommand);
    EXPECT_EQ(ReadWholeFile(folder / "VemoLog-vemo.dat.txt"), "01-12-2026   07-12-2026 task 1\r\n");
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"task 2"}));
    EXPECT_EQ(SavedRows().size(), 1u);
    SetSelection(MainWindow(), ids::TextColumn, 0);
    Command(ids::SendToLogCommand);  // no row chosen since the deletion
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Problem deleting entry");
    EXPECT_EQ(messages[0].caption, "Error!");
    EXPECT_EQ(messages[0].owner, MainWindow().window);
    EXPECT_EQ(Column(ids::TextColumn).size(), 1u);
}

// The tick moves the text column's selection to the rows alarming now; Delete,
// Send to log and Change selected still act on the row the user chose, and
// once a sort has moved the rows, on none.
TEST_F(MainWindowTest, RowCommandsActOnTheChosenRowWhereverTheTickMovedTheSelection) {
    using Texts = std::vector<std::string>;
    struct Case {
        int command;
        Texts after;
    };
    for (const Case& c : {Case{ids::DeleteCommand, {"task 1", "task 2"}},
                          Case{ids::SendToLogCommand, {"task 1", "task 2"}},
                          Case{ids::ChangeSelectedButton, {"task 1", "task 2", "changed"}}}) {
        std::vector<TaskRow> rows = Numbered(3);
        rows[0].time = rows[1].time = "09:05";  // alarming at the test clock's minute
        WriteRows(rows);
        Start();
        ChooseRow(2);
        SendMessageA(MainWindow().window, WM_TIMER, ids::ProgramTimer, 0);
        ASSERT_EQ(GetSelection(MainWindow(), ids::TextColumn), 1);  // moved by the alarm
        ASSERT_EQ(GetSelection(MainWindow(), ids::CreatedColumn), 2);
        SetControlText(MainWindow(), ids::EntryField, "changed");
        Command(c.command);
        EXPECT_EQ(Column(ids::TextColumn), c.after) << c.command;

        ChooseRow(0);
        Command(ids::SortCommand);
        Command(c.command);
        EXPECT_EQ(Column(ids::TextColumn).size(), c.after.size()) << c.command;
        EXPECT_EQ(Column(ids::TextColumn)[0], "task 1") << c.command;
        CloseDialog(MainWindow(), 0);
    }
}

// Hidden only behind a tray icon: when the shell refuses it, "Send to tray"
// and the close box minimise instead, and an alarm still brings it back.
TEST_F(MainWindowTest, SendToTrayMinimisesWhenTheIconCannotBeAdded) {
    WriteRows(Numbered(1));
    Start();
    NOTIFYICONDATAA taken{};  // our window's icon id already in use
    taken.cbSize = NOTIFYICONDATAA_V1_SIZE;
    taken.hWnd = MainWindow().window;
    taken.uID = 1;
    taken.uFlags = NIF_ICON;
    taken.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &taken));
    for (const bool close_box : {false, true}) {
        if (close_box) {
            SendMessageA(MainWindow().window, WM_CLOSE, 0, 0);
        } else {
            Command(ids::SendToTrayCommand);
        }
        EXPECT_TRUE(IsWindowVisible(MainWindow().window)) << close_box;
        EXPECT_TRUE(IsIconic(MainWindow().window)) << close_box;
        EXPECT_TRUE(Tray().InTray);
        EXPECT_FALSE(Tray().IconShown);
        ShowWindow(MainWindow().window, SW_RESTORE);
    }
    Shell_NotifyIconA(NIM_DELETE, &taken);
    Command(ids::SendToTrayCommand);
    EXPECT_FALSE(IsWindowVisible(MainWindow().window));
    EXPECT_TRUE(Tray().IconShown);
    RemoveTrayIcon();
}

TEST_F(MainWindowTest, RefreshRebuildsWithTheSameRowsAndPlace) {
    WriteRows(Numbered(3));
    Start();
    MoveWindow(MainWindow().window, 120, 80, 900, 420, TRUE);
    Command(ids::RefreshCommand);
    EXPECT_TRUE(Program().ReloadFlag);
    EXPECT_FALSE(Program().RunFlag);
    CloseDialog(MainWindow(), 0);  // what the start-up loop does next
    Start();
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"task 1", "task 2", "task 3"}));
    RECT r{};
    GetWindowRect(MainWindow().window, &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 80);
}

TEST_F(MainWindowTest, ADatabaseThatCannotBeOpenedEndsWithItsMessage) {
    ASSERT_TRUE(CreateDirectoryA((folder / "vemo.dat").c_str(), nullptr));
    Start();
    EXPECT_TRUE(ended);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Cant create or access vemo.dat \r\n try updating vemo.ini \r\n line 5");
    EXPECT_EQ(messages[0].caption, "Error...start...");
    EXPECT_FALSE(FileExists(folder / "vemo.ini"));
}

TEST_F(MainWindowTest, DamagedDatabasesLoadWhatIsThere) {
    RecordBuffer buffer{};
    const std::string file = EncodeDatabase(Numbered(3), buffer);
    auto with_count = [&](std::int32_t count, std::size_t cut) {
        std::string copy = file.substr(0, file.size() - cut);
        std::memcpy(copy.data() + 264, &count, 4);
        return copy;
    };
    using Texts = std::vector<std::string>;
    const Texts all = {"task 1", "task 2", "task 3"};
    const Texts two = {"task 1", "task 2"};
    struct Case {
        std::int32_t count;
        std::size_t cut;  // bytes missing at the end
        Texts loaded;
    };
    for (const Case& c : {Case{1000, 0, all}, Case{-5, 0, all}, Case{INT32_MIN, 0, all},
                          Case{-1, 500, two}, Case{3, 500, two}}) {
        WriteWholeFile(folder / "vemo.dat", with_count(c.count, c.cut));
        // No list of this PC's from the case before, which would bring its
        // tasks back into a file cut short.
        DeleteFileA((folder / ("vemo.dat." + ThisPcName() + ".last")).c_str());
        // The second start reads what the first one saved, and backs it up.
        for (int start = 1; start <= 2; ++start) {
            BackUpAtStart();
            Start();
            EXPECT_EQ(Column(ids::TextColumn), c.loaded) << c.count << " start " << start;
            EXPECT_EQ(
                GetControlText(MainWindow(), ids::MessageLine),
                "Number of entries in the list: " + NumberText(static_cast<int>(c.loaded.size())));
            Command(ids::CloseCommand);  // saves what was loaded
            CloseDialog(MainWindow(), 0);
        }
        EXPECT_EQ(SavedRows().size(), c.loaded.size()) << c.count;
        EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.bak"), buffer).size(),
                  c.loaded.size());
    }
}

TEST_F(MainWindowTest, ReadOnlySettingsReportTheFailedSave) {
    WriteRows(Numbered(1));
    Start();
    WriteWholeFile(folder / "vemo.ini", "old");
    SetFileAttributesA((folder / "vemo.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    Command(ids::CloseCommand);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Unable to create INI file");
    EXPECT_EQ(messages[0].caption, "Error...SaveData...");
    EXPECT_EQ(ReadWholeFile(folder / "vemo.ini"), "old");
    EXPECT_EQ(SavedRows().size(), 1u);  // the rows were saved all the same
}

TEST_F(MainWindowTest, AFailedDatabaseSaveKeepsTheOldFile) {
    WriteRows(Numbered(2));
    Start();
    const std::string before = ReadWholeFile(folder / "vemo.dat");
    for (int step = 1; step <= 5; ++step) {
        Seams().atomic_write_fault_step = step;
        messages.clear();
        ChooseRow(0);
        SetControlText(MainWindow(), ids::EntryField, "x");
        Click(ids::AddButton);
        ASSERT_FALSE(messages.empty()) << step;
        EXPECT_EQ(messages[0].text, "Problem saving data");
        EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), before) << step;
        EXPECT_FALSE(FileExists(TemporaryPathFor(folder / "vemo.dat")));
    }
}

TEST_F(MainWindowTest, ASaveWhileTheWindowIsClosedKeepsItsLastPlaceAndChecks) {
    WriteRows(Numbered(1));
    Start();
    MoveWindow(MainWindow().window, 150, 90, 900, 420, TRUE);
    Click(ids::CreateMessageFileCheck);  // off
    Click(ids::FineTuneCheck);           // on
    SaveSettings();
    CloseDialog(MainWindow(), 0);
    DeleteFileA((folder / "vemo.ini").c_str());
    SaveSettings();  // as the database switch does, with the window gone
    const std::string written = ReadWholeFile(folder / "vemo.ini");
    EXPECT_NE(written.find("\r\n 150  90 Vemo: \r\nno\r\nyes\r\n\r\nyes\r\n"), std::string::npos)
        << written;
}

TEST_F(MainWindowTest, CloseBoxSavesAndGoesToTheTrayAndRestores) {
    WriteRows(Numbered(1));
    Start();
    DeleteFileA((folder / "vemo.dat").c_str());
    SendMessageA(MainWindow().window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindow().window));
    EXPECT_TRUE(Tray().InTray);
    EXPECT_TRUE(FileExists(folder / "vemo.dat"));
    EXPECT_TRUE(Program().RunFlag);
    SendMessageA(MainWindow().window, kTrayMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(MainWindow().window));
    EXPECT_FALSE(Tray().InTray);
    SendMessageA(MainWindow().window, WM_COMMAND, ids::TrayExitItem, 0);
    EXPECT_FALSE(Program().RunFlag);
}

// A double click is a click and a double-click notification: the editing
// buttons take the click only, but "+" and "-" step again, as two clicks do.
TEST_F(MainWindowTest, EditingButtonsActOnAClickNotADoubleClickNotification) {
    WriteRows(Numbered(3));
    Start();
    SetControlText(MainWindow(), ids::EntryField, "typed");
    ChooseRow(1);  // every column shows row 1
    const std::vector<TaskRow> before = ReadAllRows();
    const std::string saved = ReadWholeFile(folder / "vemo.dat");
    const auto double_click = [this](int id) {
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(id, BN_DOUBLECLICKED),
                     reinterpret_cast<LPARAM>(Control(id)));
    };
    for (int id : {ids::AddButton, ids::ChangeSelectedButton, ids::SwitchInactiveButton}) {
        double_click(id);
        EXPECT_EQ(ReadAllRows(), before) << id;
    }
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), saved);
    Click(ids::AddButton);  // the click itself still adds
    EXPECT_EQ(Tasks().Count(), 4);
    Tasks().Select(TaskField::Priority, 2);
    double_click(ids::PriorityDownButton);
    Tasks().Select(TaskField::Priority, 2);
    double_click(ids::PriorityDownButton);
    EXPECT_EQ(Column(ids::PriorityColumn)[2], " 5");
    Tasks().Select(TaskField::Priority, 2);
    double_click(ids::PriorityUpButton);
    EXPECT_EQ(Column(ids::PriorityColumn)[2], " 4");
}

TEST_F(MainWindowTest, TheToolbarStripIsFreedWithEachWindow) {
    WriteRows(Numbered(2));
    const int at_start = LiveGdiObjects();
    Start();
    const int without_strip = LiveGdiObjects();
    CloseDialog(MainWindow(), 0);
    WriteWholeFile(folder / "toolbar.bmp", BitmapFileBytes(22, 2));
    Start();
    EXPECT_EQ(LiveGdiObjects(), without_strip + 1);  // the strip, held by the window
    for (int i = 0; i < 20; ++i) {
        CloseDialog(MainWindow(), 0);
        ASSERT_EQ(LiveGdiObjects(), at_start) << i;
        Start();
    }
    EXPECT_EQ(LiveGdiObjects(), without_strip + 1);
}

}  // namespace
}  // namespace vemo
