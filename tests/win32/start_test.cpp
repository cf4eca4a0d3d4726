// The real start-up loop on damaged settings: the window always opens where it
// can be reached, or the program ends with a message.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "mainwin/tray.h"
#include "program/startup.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/layout_math.h"
#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"
#include "support/harness.h"
#include "support/program_fixture.h"
#include "win32/test_window.h"

namespace vemo {
namespace {

using namespace testing;

// The real start-up loop, stopped by a thread timer once the main window is
// up; what it saw is kept here.
struct SeenAtStart {
    bool window = false;
    RECT placed{};
    DialogUnits weights{};
    FontCell cell{};
};
SeenAtStart g_seen;

void CALLBACK StopOnceStarted(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (MainWindow().window != nullptr) {
        g_seen.window = true;
        GetWindowRect(MainWindow().window, &g_seen.placed);
        g_seen.weights = WeightsDialog().layout->rect;
        g_seen.cell = WeightsDialog().layout->cell;
    }
    Program().ReloadFlag = false;
    Program().RunFlag = false;
}

using DamagedSettings = ProgramTest;

TEST_F(DamagedSettings, EveryStartOpensTheWindowWhereItsCaptionCanBeReached) {
    WriteNumberedRows(2);
    struct Case {
        const char* x;
        const char* y;
        bool moved;
    };
    const Case cases[] = {
        {" 40", " 30", false},           // on screen: exactly where it was
        {" 100000", " 0", true},         // past the template's range
        {" -100000", " -100000", true},  // above and left of every monitor
        {" 12345678901", " 50", true},   // eleven digits
        {" 50", " -99999999999", true},  // eleven digits, negative
        {" 2147483647", " 2147483647", true},
        {" 40", " -330", true},  // a sliver shows, the caption does not
    };
    for (const Case& c : cases) {
        WriteSettings(c.x, c.y);
        g_seen = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, StopOnceStarted);
        StartupSequence();
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_seen.window) << c.x << c.y;
        const RECT work = WorkArea();
        EXPECT_GE(g_seen.placed.top, work.top) << c.y;
        EXPECT_LE(g_seen.placed.left + 40, work.right) << c.x;
        EXPECT_GE(g_seen.placed.right - 40, work.left) << c.x;
        if (!c.moved) {
            EXPECT_EQ(g_seen.placed.left, 40);
            EXPECT_EQ(g_seen.placed.top, 30);
        }
        // The weights dialog goes with the corrected place.
        const DialogUnits expected =
            ToDialogUnits(g_seen.placed.left + 387, g_seen.placed.top + 365, 446, 249, g_seen.cell);
        EXPECT_EQ(g_seen.weights.x, expected.x) << c.x << c.y;
        EXPECT_EQ(g_seen.weights.y, expected.y) << c.x << c.y;
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(DamagedSettings, AWindowThatCannotBeMadeEndsTheProgramWithAMessage) {
    WriteNumberedRows(1);
    LoadSettings();
    DefineProgramWindows();
    ResetSharedState();
    const int unknown_kind = 99;
    DefineControl(MainWindow(), unknown_kind, "", 0, 0, 10, 10, 0, 500);
    EXPECT_FALSE(OpenMainWindow());
    EXPECT_EQ(MainWindow().window, nullptr);
    EXPECT_FALSE(Program().RunFlag);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Error...start...");
    EXPECT_EQ(messages[0].text, "Unable to open the main window");
}

}  // namespace
}  // namespace vemo
