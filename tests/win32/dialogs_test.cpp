// The Alarm Action dialog, the weights dialog and the database switch,
// driven through real messages on the real windows.
#include "win32/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
namespace alarm = ids::alarm;
namespace weights = ids::weights;

// A literal with its zeros, as the file dialog gets its filter: each bar a
// zero, and two more at the end.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

class AlarmActionDialogTest : public ProgramTest {
  protected:
    DialogDefinition& Dialog() { return AlarmActionDialog(); }
    void SetUp() override {
        ProgramTest::SetUp();
        WriteWholeFile(folder / "bell.wav", "RIFF");
        settings.run_program = 1;
        settings.program_path = "C:\\tools\\remind.exe";
        settings.play_sound = 0;
        settings.sound_path = folder / "bell.wav";
        Start(Rows({"a"}));
        Command(ids::AlarmActionCommand);
        ASSERT_NE(Dialog().window, nullptr);
    }
    std::string Text(int id) { return GetControlText(Dialog(), id); }
    std::vector<std::string> Shown() {
        return {std::to_string(GetCheck(Dialog(), alarm::RunProgramCheck)),
                Text(alarm::ProgramPathEdit),
                std::to_string(GetCheck(Dialog(), alarm::PlaySoundCheck)),
                Text(alarm::SoundPathEdit)};
    }
    void Reopen() {
        Command(ids::AlarmActionCommand);
        ASSERT_NE(Dialog().window, nullptr);
    }
};

TEST_F(AlarmActionDialogTest, CancelAndTheCloseBoxStoreNothingTypedOrTicked) {
    const std::vector<std::string> stored = {"1", "C:\\tools\\remind.exe", "0",
                                             folder / "bell.wav"};
    EXPECT_EQ(Shown(), stored);
    HWND first = Dialog().window;
    Command(ids::AlarmActionCommand);  // pressed again: the same window comes forward
    EXPECT_EQ(Dialog().window, first);
    for (bool close_box : {false, true}) {
        SetCheck(Dialog(), alarm::RunProgramCheck, 0);
        SetCheck(Dialog(), alarm::PlaySoundCheck, 1);
        SetControlText(Dialog(), alarm::ProgramPathEdit, "typed.exe");
        SetControlText(Dialog(), alarm::SoundPathEdit, "typed.wav");
        if (close_box) {
            SendMessageA(Dialog().window, WM_CLOSE, 0, 0);
        } else {
            Command(Dialog(), alarm::CancelButton);
        }
        EXPECT_EQ(Dialog().window, nullptr);
        Reopen();
        EXPECT_EQ(Shown(), stored) << close_box;
    }
}

TEST_F(AlarmActionDialogTest, APickedSoundIsInForceAtOnceAndPAndSActOnIt) {
    Command(Dialog(), alarm::BrowseSoundButton);  // the file dialog is cancelled
    EXPECT_EQ(Text(alarm::SoundPathEdit), folder / "bell.wav");
    ASSERT_EQ(file_dialogs.size(), 1u);
    EXPECT_EQ(file_dialogs[0].title, "Open Audio file");
    EXPECT_EQ(file_dialogs[0].owner, Dialog().window);
    EXPECT_EQ(file_dialogs[0].initial_folder, "C:\\");
    EXPECT_EQ(file_dialogs[0].filter,
              Bytes("Mp3 Files (*.mp3)\0*.mp3\0Karaoke Files(*.kar)\0*.kar\0Midi files "
                    "(*.mid)\0*.mid\0Wave Files(*.wav)\0*.wav\0\0\0\0"));

    WriteWholeFile(folder / "gong.wav", "RIFF");
    file_answers = {folder / "gong.wav"};
    Command(Dialog(), alarm::BrowseSoundButton);
    EXPECT_EQ(Text(alarm::SoundPathEdit), folder / "gong.wav");
    SetControlText(Dialog(), alarm::SoundPathEdit, "typed.wav");  // not applied: P plays the pick
    Command(Dialog(), alarm::PlayButton);
    Command(Dialog(), alarm::StopButton);
    Command(Dialog(), alarm::CancelButton);
    const std::string short_path = ShortPathName(folder / "gong.wav");
    EXPECT_EQ(sounds, (std::vector<std::string>{"Play " + short_path, "Close " + short_path}));
    EXPECT_EQ(SettingsOf().Values.sound_path, folder / "gong.wav");

    Reopen();
    file_answers = {"C:\\games\\alarm.scr"};
    Command(Dialog(), alarm::BrowseProgramButton);
    EXPECT_EQ(file_dialogs.back().title, "Open file to run");
    EXPECT_EQ(file_dialogs.back().filter,
              Bytes("All Files (*.*)\0*.*\0Program Files (*.exe)\0*.exe\0Screensaver "
                    "Files (*.scr)\0*.scr\0\0\0"));
    SendMessageA(Dialog().window, WM_CLOSE, 0, 0);
    EXPECT_EQ(SettingsOf().Values.program_path, "C:\\games\\alarm.scr");
}

TEST_F(AlarmActionDialogTest, OkStoresAllFourAndWritesTheSettingsAtOnce) {
    SetCheck(Dialog(), alarm::RunProgramCheck, 0);  // unchecked, with a path: 0 and the path
    SetCheck(Dialog(), alarm::PlaySoundCheck, 1);
    SetControlText(Dialog(), alarm::SoundPathEdit, "");
    Command(Dialog(), alarm::OkButton);
    EXPECT_EQ(Dialog().window, nullptr);
    EXPECT_EQ(LineOf(folder / "vemo.ini", 1), "C:\\tools\\remind.exe");
    EXPECT_EQ(LineOf(folder / "vemo.ini", 2), "");
    EXPECT_EQ(LineOf(folder / "vemo.ini", 3), " 0");
    EXPECT_EQ(LineOf(folder / "vemo.ini", 4), " 1");

    Reopen();
    SetControlText(Dialog(), alarm::ProgramPathEdit, "");
    Command(Dialog(), alarm::OkButton);
    EXPECT_EQ(LineOf(folder / "vemo.ini", 1), "");
    EXPECT_EQ(SettingsOf().Values.program_path, "");
}

TEST_F(AlarmActionDialogTest, APathLongerThanASettingHoldsIsRefused) {
    const std::string long_path = "C:\\" + std::string(296, 'x') + ".wav";
    file_answers = {long_path};
    Command(Dialog(), alarm::BrowseSoundButton);
    EXPECT_EQ(Text(alarm::SoundPathEdit), folder / "bell.wav");
    EXPECT_EQ(SettingsOf().Values.sound_path, folder / "bell.wav");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, Dialog().window);
    // The edits take no more than a setting holds either.
    SetControlText(Dialog(), alarm::ProgramPathEdit, "");
    for (int i = 0; i < 300; ++i) {
        SendMessageA(GetDlgItem(Dialog().window, alarm::ProgramPathEdit), WM_CHAR, 'y', 0);
    }
    EXPECT_EQ(Text(alarm::ProgramPathEdit).size(), kTextCapacity);
}

class WeightsDialogTest : public ProgramTest {
  protected:
    DialogDefinition& Dialog() { return WeightsDialog(); }
    void Open(const std::string& file) {
        Start(Rows({"a", "b"}));
        WriteWholeFile(folder / "weights.ini", file);
        Command(ids::WeightsCommand);
        ASSERT_NE(Dialog().window, nullptr);
    }
    void Scroll(int bar, int code) {
        SendMessageA(Dialog().window, WM_VSCROLL, MAKEWPARAM(code, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(Dialog().window, bar)));
    }
    int Position(int bar) { return GetScrollPosition(Dialog(), bar); }
    std::string Text(int id) { return GetControlText(Dialog(), id); }
};

TEST_F(WeightsDialogTest, EachScrollCodeAtBothEndsOfTheRange) {
    Open(" 0\r\n 150\r\n 5\r\n 95\r\n 50\r\n -20\r\n");
    EXPECT_EQ(Position(weights::FirstWeightBar + 1), 100);  // 150 shown at the bottom
    EXPECT_EQ(Network().Values.positions[1], 150);          // and kept until moved
    EXPECT_EQ(Position(weights::FirstWeightBar + 5), 0);
    EXPECT_EQ(Text(weights::ResponseEdit), DefaultResponseTexts()[0]);
    EXPECT_EQ(Network().CurrentCondition, 1);
    struct Case {
        int bar;
        int code;
        int position;
    };
    for (const Case c :
         {Case{1, SB_LINEUP, 0}, Case{1, SB_LINEDOWN, 1}, Case{2, SB_LINEDOWN, 100},
          Case{2, SB_LINEUP, 99}, Case{3, SB_PAGEUP, 0}, Case{4, SB_PAGEDOWN, 100},
          Case{5, SB_THUMBPOSITION, 50}, Case{5, SB_ENDSCROLL, 50}, Case{6, SB_PAGEDOWN, 10}}) {
        Scroll(c.bar, c.code);
        EXPECT_EQ(Position(c.bar), c.position) << c.bar << " " << c.code;
        EXPECT_EQ(Network().Values.positions[static_cast<std::size_t>(c.bar - 1)], c.position);
        EXPECT_EQ(Network().CurrentCondition, c.bar);
        EXPECT_EQ(Text(weights::WeightLabel), "Control:" + NumberText(c.bar - 1) + "  Weight:" +
                                                  NumberText(100 - c.position) + "     ");
    }
    Scroll(3, SB_PAGEUP);
    EXPECT_EQ(Text(weights::WeightLabel), "Control: 2  Weight: 100     ");
}

TEST_F(WeightsDialogTest, TypedTextsAreStoredByUpdateAndClosingButLostToAnotherBar) {
    Open(" 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\nAlarm!\r\n");
    EXPECT_EQ(Text(weights::ResponseEdit), "Alarm!");
    SetControlText(Dialog(), weights::ResponseEdit, "lost");
    Scroll(4, SB_LINEDOWN);  // another bar: the typed text goes
    EXPECT_EQ(Text(weights::ResponseEdit), DefaultResponseTexts()[3]);
    SetControlText(Dialog(), weights::ResponseEdit, "Pending!");
    Network().Inputs = {0, 0, 0, 2, 0, 0};  // two reminders pending today
    Command(Dialog(), weights::UpdateButton);
    EXPECT_EQ(LineOf(folder / "weights.ini", 4), " 1");
    EXPECT_EQ(LineOf(folder / "weights.ini", 10), "Pending!");
    EXPECT_EQ(LineOf(folder / "weights.ini", 7), "Alarm!");
    // The weights line shows the products of the new weights at once.
    EXPECT_EQ(GetControlText(MainWindow(), ids::WeightsLine),
              "Weights:  0: 0: 0: 198: 0: 0" + std::string(18, ' '));

    SetControlText(Dialog(), weights::ResponseEdit, "Pending today");
    SendMessageA(Dialog().window, WM_CLOSE, 0, 0);  // the close box stores and saves
    EXPECT_EQ(Dialog().window, nullptr);
    EXPECT_EQ(Network().WeightsDialogOpen, 0);
    EXPECT_EQ(LineOf(folder / "weights.ini", 10), "Pending today");

    Command(ids::WeightsCommand);  // opens again, from the file
    ASSERT_NE(Dialog().window, nullptr);
    EXPECT_EQ(Text(weights::ResponseEdit), "Alarm!");
    SetControlText(Dialog(), weights::ResponseEdit, "Alarm now");
    Command(ids::WeightsCommand);  // and the toggle closes it, storing text 1
    EXPECT_EQ(Dialog().window, nullptr);
    EXPECT_EQ(LineOf(folder / "weights.ini", 7), "Alarm now");
    Command(ids::WeightsCommand, 0x1234);  // another notification does nothing
    EXPECT_EQ(Dialog().window, nullptr);
}

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
    SetCheck(MainWindow(), ids::CreateMessageFileCheck, 0);
    Scheduler().LastAlarmRow = 1;
    Scheduler().ShowEarlierAlarms = 0;
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
    EXPECT_EQ(Scheduler().LastAlarmRow, -1);
    EXPECT_EQ(Scheduler().ShowEarlierAlarms, 0);  // no earlier-today report after a switch
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
    EXPECT_EQ(LineOf(folder / "vemo.ini", 5), folder / "work.dat");
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"report", "meeting"}));
    char title[128] = {};
    GetWindowTextA(MainWindow().window, title, sizeof(title));
    EXPECT_STREQ(title, "Vemo V009u - Database: work.dat");

    Switch();  // a path too long for a setting: refused, the same database again
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Error...file name...");
    EXPECT_EQ(LineOf(folder / "vemo.ini", 5), folder / "work.dat");
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"report", "meeting"}));

    Switch();  // a file that does not exist is made, as at start
    EXPECT_EQ(LineOf(folder / "vemo.ini", 5), folder / "new.dat");
    EXPECT_EQ(GetItemCount(MainWindow(), ids::TextColumn), 0);
    EXPECT_TRUE(FileExists(folder / "new.dat"));
    EXPECT_FALSE(ended);
    RecordBuffer buffer{};
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer).size(), 1u);
}

}  // namespace
}  // namespace vemo
