// The weights dialog driven through real messages on the real window.
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
namespace weights = ids::weights;

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
    EXPECT_FALSE(Network().WeightsDialogOpen);
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

// The release ships weights.ini (assets/, copied beside this test program),
// so a first start has no message to show: it must be exactly what closing
// the dialog on the defaults writes.
TEST_F(WeightsDialogTest, ClosingOnTheDefaultsWritesTheShippedFile) {
    DeleteFileA((folder / "weights.ini").c_str());
    Start(Rows({"a"}));
    Command(ids::WeightsCommand);
    ASSERT_NE(Dialog().window, nullptr);
    EXPECT_TRUE(HasMessage("Error...load weights data..."));  // as ever without a file
    SendMessageA(Dialog().window, WM_CLOSE, 0, 0);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string shipped = program;
    shipped = shipped.substr(0, shipped.find_last_of('\\') + 1) + "weights.ini";
    ASSERT_TRUE(FileExists(shipped)) << shipped;
    EXPECT_EQ(ReadWholeFile(folder / "weights.ini"), ReadWholeFile(shipped));
}

}  // namespace
}  // namespace vemo
