// The Alarm Action dialog driven through real messages on the real window.
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
namespace alarm = ids::alarm;

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

}  // namespace
}  // namespace vemo
