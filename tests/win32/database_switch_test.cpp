// The toolbar's "Data base": the switch to another database file.
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;

class DatabaseSwitchTest : public ProgramTest {
  protected:
    std::vector<unsigned> intervals;  // of timer 1, as armed
    void SetUp() override {
        ProgramTest::SetUp();
        Seams().timer_recorder = [this](unsigned ms, UINT_PTR id) {
            if (id == ids::ProgramTimer) intervals.push_back(ms);
        };
    }
    // The toolbar's "Data base"; the switch runs once the click is over.
    void Switch(int notify = BN_CLICKED) {
        Command(ids::DatabaseCommand, notify);
        Pump();
    }
};

TEST_F(DatabaseSwitchTest, ACancelledChoiceSavesAndReloadsTheSameTasks) {
    Start(Rows({"one", "two"}));
    Command(ids::WeightsCommand);
    ASSERT_NE(WeightsDialog().window, nullptr);
    // Changes that do not save themselves: the switch's own save keeps them.
    SetSelection(MainWindow(), ids::StateColumn, 1);
    Command(ids::SwitchInactiveButton);
    SetSelection(MainWindow(), ids::PriorityColumn, 0);
    Command(ids::PriorityDownButton);
    // The place and check boxes are saved with the window already gone.
    MoveWindow(MainWindow().window, 150, 90, 900, 420, TRUE);
    Click(ids::CreateMessageFileCheck);  // off
    Scheduler().ShowEarlierAlarms = false;
    HWND before = MainWindow().window;
    intervals.clear();
    Switch();
    EXPECT_NE(MainWindow().window, nullptr);
    EXPECT_NE(MainWindow().window, before);  // closed and opened again
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(Column(ids::StateColumn), (std::vector<std::string>{" 6", " 5"}));
    EXPECT_EQ(Column(ids::PriorityColumn), (std::vector<std::string>{" 2", " 2"}));
    EXPECT_EQ(LineOf(folder / "vemo.ini", 6), " 150  90 Vemo: ");
    EXPECT_EQ(LineOf(folder / "vemo.ini", 7), "no");
    EXPECT_EQ(intervals.back(), ids::DatabaseSwitchTickMs);
    ASSERT_EQ(file_dialogs.size(), 1u);
    EXPECT_EQ(file_dialogs[0].title, "Open Vemo database");
    EXPECT_EQ(file_dialogs[0].owner, nullptr);
    EXPECT_EQ(file_dialogs[0].filter, Bytes("Dat Files (*.dat)\0*.dat\0\0\0\0"));
    EXPECT_FALSE(Scheduler().ShowEarlierAlarms);  // no earlier-today report after a switch
    // The weights dialog went with the switch; the next press opens it.
    EXPECT_EQ(WeightsDialog().window, nullptr);
    Command(ids::WeightsCommand);
    EXPECT_NE(WeightsDialog().window, nullptr);
    // Another notification only restarts the timer.
    intervals.clear();
    before = MainWindow().window;
    Switch(0x1234);
    EXPECT_EQ(MainWindow().window, before);
    EXPECT_EQ(intervals, std::vector<unsigned>{ids::DatabaseSwitchTickMs});
    EXPECT_TRUE(messages.empty());
}

TEST_F(DatabaseSwitchTest, AnotherFileIsRecordedThenLoadedAndAMissingOneStartsEmpty) {
    Start(Rows({"home"}));
    WriteRows(folder / "work.dat", Rows({"report", "meeting"}));
    Command(ids::AlarmActionCommand);  // an open Alarm Action dialog owns the file dialog
    file_answers = {folder / "work.dat", "C:\\" + std::string(260, 'x') + ".dat",
                    folder / "new.dat"};
    Switch();
    EXPECT_EQ(file_dialogs[0].owner, AlarmActionDialog().window);
    EXPECT_EQ(LineOf(folder / "vemo.ini", 5), "work.dat");  // kept relative to the folder
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"report", "meeting"}));
    char title[128] = {};
    GetWindowTextA(MainWindow().window, title, sizeof(title));
    EXPECT_STREQ(title, "Vemo V009u - Database: work.dat");

    Switch();  // a path too long for a setting: refused, the same database again
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Error...file name...");
    EXPECT_EQ(LineOf(folder / "vemo.ini", 5), "work.dat");
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"report", "meeting"}));

    Switch();  // a file that does not exist is made, as at start
    EXPECT_EQ(LineOf(folder / "vemo.ini", 5), "new.dat");
    EXPECT_EQ(GetItemCount(MainWindow(), ids::TextColumn), 0);
    EXPECT_TRUE(FileExists(folder / "new.dat"));
    EXPECT_FALSE(ended);
    RecordBuffer buffer{};
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer).size(), 1u);
}

}  // namespace
}  // namespace vemo
