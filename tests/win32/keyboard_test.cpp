// Real keys through the program's wait loop, where the dialog manager turns
// Enter and Esc into commands: posted to the focused control of the window in
// front, as the keyboard delivers them.
#include "app/message_line.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
using Texts = std::vector<std::string>;
namespace alarm = ids::alarm;
namespace weights = ids::weights;

class KeyboardTest : public ProgramTest {
  protected:
    // The window in front and `control` focused, as a click leaves them.
    static bool Focus(HWND window, int control) {
        SetForegroundWindow(window);
        SetActiveWindow(window);
        SetFocus(GetDlgItem(window, control));
        WaitForEvents(1);
        return GetActiveWindow() == window && GetFocus() == GetDlgItem(window, control);
    }
    static void Press(WPARAM key) {
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        WaitForEvents(1);
    }
    static void Type(const std::string& text) {
        HWND focus = GetFocus();
        for (const char c : text) PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 1);
        WaitForEvents(1);
    }
};

TEST_F(KeyboardTest, EnterAddsFromTheEntryFieldOnlyAndEscLeavesTheMainWindowAlone) {
    const std::vector<TaskRow> rows = Rows({"a", "b"});
    Start(rows);
    struct Case {
        int focus;
        WPARAM key;
    };
    for (const Case& c : {Case{ids::TextColumn, VK_RETURN}, Case{ids::PriorityColumn, VK_RETURN},
                          Case{ids::EntryField, VK_ESCAPE}, Case{ids::TextColumn, VK_ESCAPE}}) {
        SCOPED_TRACE(::testing::Message() << "control " << c.focus << ", key " << c.key);
        SetControlText(MainWindow(), ids::EntryField, "Pay rent");
        ASSERT_TRUE(Focus(MainWindow().window, c.focus));
        Press(c.key);
        EXPECT_TRUE(IsWindowVisible(MainWindow().window));
        EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(SavedRows(), rows);
        EXPECT_EQ(GetControlText(MainWindow(), ids::EntryField), "Pay rent");
    }

    // Typed key by key, the field takes a whole task text and no more, however
    // narrow it looks; Enter adds it as Add does and empties the field, so a
    // second Enter adds nothing.
    SetControlText(MainWindow(), ids::EntryField, "");
    ASSERT_TRUE(Focus(MainWindow().window, ids::EntryField));
    Type(std::string(300, 'w'));
    const std::string whole(kTaskTextCapacity, 'w');
    EXPECT_EQ(GetControlText(MainWindow(), ids::EntryField), whole);
    Press(VK_RETURN);
    const TaskRow added{whole, " 3", "07-12-2026", "07-12-2026", "09:05", " 6"};
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"a", "b", whole}));
    ASSERT_EQ(SavedRows().size(), 3u);
    EXPECT_EQ(SavedRows()[2], added);
    EXPECT_EQ(GetControlText(MainWindow(), ids::EntryField), "");
    Press(VK_RETURN);
    EXPECT_EQ(Column(ids::TextColumn).size(), 3u);
    // The Add button keeps the text, as it always has.
    SetControlText(MainWindow(), ids::EntryField, "Pay rent");
    Click(ids::AddButton);
    EXPECT_EQ(GetControlText(MainWindow(), ids::EntryField), "Pay rent");
}

// Delete in the text column is the toolbar's Delete, only while the row
// shown selected there is the row the user chose.
TEST_F(KeyboardTest, DeleteInTheTextColumnDeletesTheChosenRowOnly) {
    Start(Rows({"a", "b", "c"}));
    ChooseRow(1);
    SetSelection(MainWindow(), ids::TextColumn, 2);  // the tick's highlight moved on
    ASSERT_TRUE(Focus(MainWindow().window, ids::TextColumn));
    Press(VK_DELETE);
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"a", "b", "c"}));
    ChooseRow(1);
    ASSERT_TRUE(Focus(MainWindow().window, ids::TextColumn));
    Press(VK_DELETE);
    EXPECT_EQ(Column(ids::TextColumn), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(SavedRows().size(), 2u);
    Press(VK_DELETE);  // the choice went with the row
    EXPECT_EQ(Column(ids::TextColumn).size(), 2u);
}

// Ctrl+Z and Ctrl+Y in a list column or on a button are the list's undo and
// redo; in the entry field Ctrl+Z is the field's own.
TEST_F(KeyboardTest, CtrlZUndoesTheListStepExceptInsideAField) {
    Start(Rows({"a", "b", "c"}));
    const Texts all{"a", "b", "c"};
    // The wait loop makes the character of the key, as the keyboard does.
    auto press_with = [](std::initializer_list<int> held, WPARAM key) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        for (const int k : held) state[k] = 0x80;
        SetKeyboardState(state);
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        WaitForEvents(1);
        for (const int k : held) state[k] = 0;
        SetKeyboardState(state);
    };
    ChooseRow(1);
    Command(ids::DeleteCommand);
    struct Case {
        int focus;
        std::initializer_list<int> held;
        WPARAM key;
        Texts shown;
    };
    // Each case has a step to act on: a key that did nothing would show.
    for (const Case& c : {Case{ids::TextColumn, {}, 'Z', Texts{"a", "c"}},
                          Case{ids::PriorityColumn, {VK_CONTROL}, 'Z', all},
                          Case{ids::AddButton, {VK_CONTROL, VK_SHIFT}, 'Z', Texts{"a", "c"}},
                          Case{ids::TextColumn, {VK_CONTROL}, 'Z', all},
                          Case{ids::StateColumn, {VK_CONTROL}, 'Y', Texts{"a", "c"}}}) {
        SCOPED_TRACE(::testing::Message() << "control " << c.focus << ", key " << char(c.key));
        ASSERT_TRUE(Focus(MainWindow().window, c.focus));
        press_with(c.held, c.key);
        EXPECT_EQ(Column(ids::TextColumn), c.shown);
        EXPECT_EQ(SavedRows().size(), c.shown.size());
    }
    ASSERT_TRUE(Focus(MainWindow().window, ids::EntryField));
    Type("Pay");
    press_with({VK_CONTROL}, 'Z');
    EXPECT_EQ(Column(ids::TextColumn), (Texts{"a", "c"}));
    EXPECT_EQ(GetControlText(MainWindow(), ids::EntryField), "");
    // A step on the list after the typing is the last change: Ctrl+Z in the
    // field takes it back.
    ChooseRow(0);
    Command(ids::DeleteCommand);
    ASSERT_TRUE(Focus(MainWindow().window, ids::EntryField));
    press_with({VK_CONTROL}, 'Z');
    EXPECT_EQ(Column(ids::TextColumn), (Texts{"a", "c"}));
    EXPECT_EQ(Message().Text(), "Undone: Delete \"a\"");
    // Back, chosen and shown chosen, through the next tick: Delete takes it.
    OnProgramTimer();
    EXPECT_EQ(Tasks().Selection(TaskField::Text), 0);
    ASSERT_TRUE(Focus(MainWindow().window, ids::TextColumn));
    Press(VK_DELETE);
    EXPECT_EQ(Column(ids::TextColumn), (Texts{"c"}));
    press_with({VK_CONTROL}, 'Z');

    // Another window's buttons keep their keys: Ctrl+Z on OK is no OK.
    Command(ids::AlarmActionCommand);
    ASSERT_TRUE(Focus(AlarmActionDialog().window, alarm::OkButton));
    press_with({VK_CONTROL}, 'Z');
    EXPECT_NE(AlarmActionDialog().window, nullptr);
    EXPECT_EQ(Column(ids::TextColumn), (Texts{"a", "c"}));
}

// Esc is the Alarm Action dialog's Cancel (what was ticked is not stored) and
// the weights dialog's close box (what was typed is).
TEST_F(KeyboardTest, EscClosesTheTwoDialogsAsTheirCancelAndCloseBoxDo) {
    WriteWholeFile(folder / "bell.wav", "RIFF");
    settings.run_program = 1;
    settings.program_path = "C:\\tools\\remind.exe";
    Start(Rows({"a"}));
    struct Case {
        DialogDefinition& dialog;
        int command;
        int edit;
        std::vector<int> toggled;  // check boxes flipped before Esc
    };
    for (const Case& c : {Case{AlarmActionDialog(),
                               ids::AlarmActionCommand,
                               alarm::SoundPathEdit,
                               {alarm::RunProgramCheck, alarm::PlaySoundCheck}},
                          Case{WeightsDialog(), ids::WeightsCommand, weights::ResponseEdit, {}}}) {
        SCOPED_TRACE(c.command);
        Command(c.command);
        ASSERT_NE(c.dialog.window, nullptr);
        for (int box : c.toggled) SetCheck(c.dialog, box, 1 - GetCheck(c.dialog, box));
        ASSERT_TRUE(Focus(c.dialog.window, c.edit));
        SendMessageA(GetFocus(), EM_SETSEL, 0, -1);
        Type("typed");
        Press(VK_ESCAPE);
        EXPECT_EQ(c.dialog.window, nullptr);
    }
    EXPECT_EQ(SettingsOf().Values.run_program, 1);
    EXPECT_EQ(SettingsOf().Values.play_sound, 0);
    EXPECT_EQ(SettingsOf().Values.sound_path, "");
    EXPECT_FALSE(Network().WeightsDialogOpen);
    EXPECT_EQ(LineOf(folder / "weights.ini", 7), "typed");
}

}  // namespace
}  // namespace vemo
