// The main window's handler driven through real messages, on real files in a
// fresh program folder.
#include <gtest/gtest.h>

#include <cstring>

#include "app/ids.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "app/state.h"
#include "app/task_list.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/paths.h"
#include "runtime/shell.h"
#include "win32/test_folder.h"

namespace vemo {
namespace {

using namespace testing;

class MainWindowTest : public ::testing::Test {
  protected:
    TempFolder folder;
    SeamGuard seams;
    std::vector<MessageCall> messages;
    bool ended = false;
    char previous_folder[MAX_PATH] = {};

    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous_folder);
        SetCurrentDirectoryA(folder.path().c_str());
        Seams().program_folder = folder.path();
        Seams().message_responder = [this](const MessageCall& call) {
            messages.push_back(call);
            return IDOK;
        };
        Seams().end_program = [this] { ended = true; };
        Seams().clock = Clock();
        WriteWholeFile(folder / "weights.ini", " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
        SettingsOf() = SettingsState{};
        TaskList() = TaskListState{};
    }
    void TearDown() override {
        CloseDialog(MainWindow(), 0);
        WaitForEvents(1);
        SetCurrentDirectoryA(previous_folder);
    }

    static SYSTEMTIME Clock() {
        SYSTEMTIME t{};
        t.wYear = 2026;
        t.wMonth = 12;
        t.wDay = 7;
        t.wDayOfWeek = 1;
        t.wHour = 9;
        t.wMinute = 5;
        return t;
    }

    void WriteRows(const std::vector<TaskRow>& rows) {
        RecordBuffer buffer{};
        WriteWholeFile(folder / "vemo.dat", EncodeDatabase(rows, buffer));
    }
    static std::vector<TaskRow> Numbered(int count, bool reversed = false) {
        std::vector<TaskRow> rows;
        for (int i = 1; i <= count; ++i) {
            const int priority = reversed ? count + 1 - i : i;
            rows.push_back({"task " + std::to_string(i), NumberText(priority), "01-12-2026",
                            "07-12-2026", "10:00", " 6"});
        }
        return rows;
    }
    void Start() {
        LoadSettings();
        DefineProgramWindows();
        ResetSharedState();
        ASSERT_NE(OpenModeless(MainWindow(), nullptr), nullptr);
    }
    HWND Control(int id) { return GetDlgItem(MainWindow().window, id); }
    void Command(int id) {
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(ids::Toolbar)));
    }
    void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    void ChooseRow(int row) {
        SetSelection(MainWindow(), ids::TextColumn, row);
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(ids::TextColumn, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(ids::TextColumn)));
    }
    std::vector<std::string> Column(int id) {
        std::vector<std::string> items;
        for (int i = 0; i < GetItemCount(MainWindow(), id); ++i) {
            items.push_back(GetItemText(MainWindow(), id, i));
        }
        return items;
    }
    std::vector<TaskRow> SavedRows() {
        RecordBuffer buffer{};
        return DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer);
    }
};

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
    EXPECT_EQ(TaskList().RowCount, 5);
    ASSERT_EQ(SavedRows().size(), 5u);
    EXPECT_EQ(SavedRows()[4], added);
    EXPECT_EQ(ReadWholeFile(folder / "AddFile.txt"),
              "Renew passport 07-12-2026  5 07-01-2027 09:05 \r\n");
    SetControlText(MainWindow(), ids::EntryField, "");
    Click(ids::AddButton);  // an empty entry adds nothing
    EXPECT_EQ(TaskList().RowCount, 5);
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
    EXPECT_EQ(TaskList().RowCount, 2);
    EXPECT_EQ(SavedRows().size(), 2u);  // but saved all the same
}

TEST_F(MainWindowTest, ClearAllRemovesEveryRowAndAddsTheDefaultRow) {
    for (int count : {10, 50}) {
        WriteRows(Numbered(count));
        Start();
        Command(ids::ClearAllCommand);
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

TEST_F(MainWindowTest, RefreshRebuildsWithTheSameRowsAndPlace) {
    WriteRows(Numbered(3));
    Start();
    MoveWindow(MainWindow().window, 120, 80, 900, 420, TRUE);
    Command(ids::RefreshCommand);
    EXPECT_EQ(Program().ReloadFlag, 1);
    EXPECT_EQ(Program().RunFlag, 0);
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
    std::string file = EncodeDatabase(Numbered(3), buffer);
    auto with_count = [&](std::int32_t count) {
        std::string copy = file;
        std::memcpy(copy.data() + 264, &count, 4);
        return copy;
    };
    WriteWholeFile(folder / "vemo.dat", with_count(1000));
    Start();
    EXPECT_EQ(TaskList().RowCount, 3);
    Command(ids::CloseCommand);  // saves what was loaded
    EXPECT_EQ(SavedRows().size(), 3u);
    CloseDialog(MainWindow(), 0);

    WriteWholeFile(folder / "vemo.dat", with_count(-5));
    Start();
    EXPECT_EQ(TaskList().RowCount, 0);
    CloseDialog(MainWindow(), 0);

    WriteWholeFile(folder / "vemo.dat", file.substr(0, file.size() - 500));  // truncated
    Start();
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"task 1", "task 2"}));
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
    SetCheck(MainWindow(), ids::CreateMessageFileCheck, 0);
    SetCheck(MainWindow(), ids::FineTuneCheck, 1);
    SaveSettings();
    CloseDialog(MainWindow(), 0);
    DeleteFileA((folder / "vemo.ini").c_str());
    SaveSettings();  // as the database switch does, with the window gone
    const std::string settings = ReadWholeFile(folder / "vemo.ini");
    EXPECT_NE(settings.find("\r\n 150  90 Vemo: \r\nno\r\nyes\r\n\r\nyes\r\n"), std::string::npos)
        << settings;
}

TEST_F(MainWindowTest, CloseBoxSavesAndGoesToTheTrayAndRestores) {
    WriteRows(Numbered(1));
    Start();
    DeleteFileA((folder / "vemo.dat").c_str());
    SendMessageA(MainWindow().window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindow().window));
    EXPECT_EQ(Tray().InTray, 1);
    EXPECT_TRUE(FileExists(folder / "vemo.dat"));
    EXPECT_EQ(Program().RunFlag, 1);
    SendMessageA(MainWindow().window, WM_APP + 1, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(MainWindow().window));
    EXPECT_EQ(Tray().InTray, 0);
    SendMessageA(MainWindow().window, WM_COMMAND, ids::TrayExitItem, 0);
    EXPECT_EQ(Program().RunFlag, 0);
}

}  // namespace
}  // namespace vemo
