// Opening and closing runtime windows: one window per definition, no GDI
// object left behind.
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
class WindowLifecycle : public ::testing::Test {
  protected:
    DialogDefinition dialog;
    void SetUp() override {
        Recorded() = {};
        DefineTestWindow(dialog);
    }
    void TearDown() override {
        CloseDialog(dialog, 0);
        WaitForEvents(1);
    }
    static BOOL CALLBACK CountRuntimeWindow(HWND window, LPARAM found) {
        char name[32] = {};
        GetClassNameA(window, name, sizeof(name));
        if (std::string(name) == kDialogClassName) ++*reinterpret_cast<int*>(found);
        return TRUE;
    }
    static int RuntimeWindows() {
        int count = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountRuntimeWindow,
                          reinterpret_cast<LPARAM>(&count));
        return count;
    }
};

TEST_F(WindowLifecycle, OpeningAnOpenWindowBringsItForwardAndClosingTwiceIsHarmless) {
    const int before = RuntimeWindows();
    HWND first = OpenModeless(dialog, nullptr);
    ASSERT_NE(first, nullptr);
    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(OpenModeless(dialog, nullptr), first);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(RuntimeWindows(), before + 1);
    CloseDialog(dialog, 0);
    CloseDialog(dialog, 0);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(RuntimeWindows(), before);
}

TEST_F(WindowLifecycle, AHundredOpensAndClosesLeaveNoGdiObjects) {
    TempFolder folder;
    WriteWholeFile(folder / "strip.bmp", BitmapFileBytes(48, 23));
    const int before = LiveGdiObjects();
    for (int i = 0; i < 100; ++i) {
        ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
        const int brushes = LiveGdiObjects();
        ASSERT_EQ(CreateToolbar(dialog, folder / "strip.bmp", kToolbar, std::vector{1, 0, 2}, 0),
                  1);
        ASSERT_EQ(LiveGdiObjects(), brushes + 1);  // the strip the toolbar loaded
        CloseDialog(dialog, 0);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
}  // namespace vemo
