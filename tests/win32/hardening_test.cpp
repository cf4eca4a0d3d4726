// Damaged settings, window lifecycle, and database reads and saves that go
// wrong: each case here once lost a window, a task or a file.
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
#include "win32/program_fixture.h"
#include "win32/test_folder.h"
#include "win32/test_window.h"

namespace vemo {
namespace {

using namespace testing;

class StartTest : public ProgramTest {
  protected:
    void WriteNumberedRows(int count) {
        std::vector<TaskRow> rows;
        for (int i = 1; i <= count; ++i) {
            rows.push_back({"task " + std::to_string(i), NumberText(i), "01-12-2026", "07-12-2026",
                            "10:00", " 6"});
        }
        WriteRows(folder / "vemo.dat", rows);
    }
    // vemo.ini as a damaged copy would hold it: the window place as raw tokens.
    void WriteSettings(const std::string& x, const std::string& y) {
        Settings damaged;
        damaged.database_path = folder / "vemo.dat";
        damaged.window_x = 7777777;
        damaged.window_y = 8888888;
        std::string text = FormatSettings(damaged);
        text.replace(text.find(" 7777777"), 8, x);
        text.replace(text.find(" 8888888"), 8, y);
        WriteWholeFile(folder / "vemo.ini", text);
    }
    // The start-up loop's steps up to the open main window, from vemo.ini as
    // it stands.
    bool StartFromSettings() {
        LoadSettings();
        DefineProgramWindows();
        ResetSharedState();
        return OpenMainWindow();
    }
    bool HasMessage(const std::string& caption) const {
        for (const MessageCall& m : messages) {
            if (m.caption == caption) return true;
        }
        return false;
    }
    static RECT WorkArea() {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
};

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
    Program().ReloadFlag = 0;
    Program().RunFlag = 0;
}

using DamagedSettings = StartTest;

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
    EXPECT_EQ(Program().RunFlag, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Error...start...");
    EXPECT_EQ(messages[0].text, "Unable to open the main window");
}

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

using DatabaseReadsAndSaves = StartTest;

TEST_F(DatabaseReadsAndSaves, ADatabaseThatCannotBeReadWholeIsNotLoadedNorSaved) {
    WriteNumberedRows(5);
    WriteSettings(" 40", " 30");
    {
        // Past 2 GB: more than one read can hold.
        ScopedHandle file(CreateFileA((folder / "vemo.dat").c_str(), GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = 0x90000000LL;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }
    StartFromSettings();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(HasMessage("Error...start..."));
    EXPECT_EQ(GetItemCount(MainWindow(), ids::TextColumn), 0);
    CloseDialog(MainWindow(), 0);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA((folder / "vemo.dat").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_EQ(data.nFileSizeLow, 0x90000000u);  // nothing saved over it
    DeleteFileA((folder / "vemo.dat").c_str());
}

TEST_F(DatabaseReadsAndSaves, LoadAndSaveGoByChunksWithTheCodecsBytes) {
    std::vector<TaskRow> rows;
    for (int i = 0; i < 150; ++i) {  // more than two chunks of records
        rows.push_back({std::string(static_cast<std::size_t>(i * 2 % 300), 't') + std::to_string(i),
                        NumberText(i % 7 + 1), "01-12-2026", i % 2 ? "--Mon" : "07-12-2026",
                        i % 3 ? "10:00" : ":15", NumberText(i % 7)});
    }
    WriteRows(folder / "vemo.dat", rows);
    WriteSettings(" 40", " 30");
    ASSERT_TRUE(StartFromSettings());
    const std::vector<TaskRow> shown = ReadAllRows();
    ASSERT_EQ(shown.size(), rows.size());
    EXPECT_EQ(shown[100].text, rows[100].text);
    EXPECT_EQ(shown[149].text, rows[149].text.substr(0, kTaskTextCapacity));  // cut at the field
    RecordBuffer buffer = TaskList().Buffer;                                  // as the load left it
    const std::string expected = EncodeDatabase(shown, buffer);
    EXPECT_TRUE(SaveData());
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), expected);
}

TEST_F(DatabaseReadsAndSaves, ASaveWithTheWindowClosedKeepsTheDatabase) {
    WriteNumberedRows(3);
    WriteSettings(" 40", " 30");
    ASSERT_TRUE(StartFromSettings());
    const std::string before = ReadWholeFile(folder / "vemo.dat");
    CloseDialog(MainWindow(), 0);
    DeleteFileA((folder / "vemo.ini").c_str());
    EXPECT_TRUE(SaveData());
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), before);
    EXPECT_TRUE(FileExists(folder / "vemo.ini"));  // the settings are still written
    EXPECT_TRUE(messages.empty());
}

TEST_F(DatabaseReadsAndSaves, OnlyAHeldTargetIsWrittenInPlace) {
    const std::string path = folder / "data.bin";
    struct Case {
        DWORD move_error;
        SaveFlush flush;
        bool saved;
    };
    constexpr SaveFlush kFlush = SaveFlush::Flush;
    // A status mirror (no flush) never waits for a reader nor writes in place.
    for (const Case c :
         {Case{ERROR_DISK_FULL, kFlush, false}, Case{ERROR_NOT_SAME_DEVICE, kFlush, false},
          Case{ERROR_SHARING_VIOLATION, kFlush, true}, Case{ERROR_ACCESS_DENIED, kFlush, true},
          Case{ERROR_SHARING_VIOLATION, SaveFlush::NoFlush, false}}) {
        WriteWholeFile(path, "old");
        Seams().move_error = c.move_error;
        EXPECT_EQ(ReplaceFileAtomically(path, "new", c.flush), c.saved) << c.move_error;
        if (!c.saved) {
            EXPECT_EQ(GetLastError(), c.move_error);
        }
        EXPECT_EQ(ReadWholeFile(path), c.saved ? "new" : "old") << c.move_error;
        EXPECT_FALSE(FileExists(TemporaryPathFor(path))) << c.move_error;
    }
}

// After a failed save only Close or the tray's Exit, asked again right after a
// failed Close or Exit, lets the unsaved rows go; Refresh and "Data base"
// never do, however often they are pressed, and any other command in between
// asks for the save again.
TEST_F(DatabaseReadsAndSaves, NoCommandDropsUnsavedRowsButCloseOrExitTwiceInARow) {
    struct Case {
        const char* keys;        // C Close, E Exit, R Refresh, D "Data base", S Sort
        std::size_t ends_after;  // 0: never
    };
    for (const Case c :
         {Case{"CC", 2}, Case{"EE", 2}, Case{"CE", 2}, Case{"RRR", 0}, Case{"DDD", 0},
          Case{"RDRD", 0}, Case{"CRC", 0}, Case{"EDE", 0}, Case{"CSC", 0}, Case{"RCC", 3}}) {
        WriteNumberedRows(2);
        WriteSettings(" 40", " 30");
        ASSERT_TRUE(StartFromSettings());
        SetFileAttributesA((folder / "vemo.dat").c_str(), FILE_ATTRIBUTE_READONLY);
        SetControlText(MainWindow(), ids::EntryField, "unsaved");
        Command(ids::AddButton);
        messages.clear();
        const HWND window = MainWindow().window;
        std::size_t ended_after = 0;
        for (std::size_t k = 0; c.keys[k] != '\0' && ended_after == 0; ++k) {
            switch (c.keys[k]) {
                case 'C': Command(ids::CloseCommand); break;
                case 'E': SendMessageA(window, WM_COMMAND, ids::TrayExitItem, 0); break;
                case 'R': Command(ids::RefreshCommand); break;
                case 'D':
                    Command(ids::DatabaseCommand);
                    Pump();  // the switch runs once the click is over
                    EXPECT_TRUE(TimerRunning()) << c.keys;
                    break;
                default: Command(ids::SortCommand); break;
            }
            EXPECT_EQ(messages.size(), k + 1) << c.keys;  // each says the save failed
            if (Program().RunFlag == 0) {
                ended_after = k + 1;
                break;
            }
            // Still the same window on the unsaved rows.
            EXPECT_EQ(MainWindow().window, window) << c.keys;
            EXPECT_EQ(Column(ids::TextColumn).back(), "unsaved") << c.keys;
            EXPECT_EQ(Program().ReloadFlag, 0) << c.keys;
        }
        EXPECT_EQ(ended_after, c.ends_after) << c.keys;
        EXPECT_TRUE(file_dialogs.empty()) << c.keys;
        for (const MessageCall& m : messages) EXPECT_EQ(m.text, "Problem saving data");
        SetFileAttributesA((folder / "vemo.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
        CloseDialog(MainWindow(), 0);
    }
}

TEST_F(DatabaseReadsAndSaves, TheTrayIconComesBackAfterAShellRestart) {
    WriteNumberedRows(1);
    WriteSettings(" 40", " 30");
    ASSERT_TRUE(StartFromSettings());
    Tray().InTray = 1;
    ShowWindow(MainWindow().window, SW_HIDE);
    Tray().IconShown = false;  // as when the first add failed
    SendMessageA(MainWindow().window, TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(Tray().IconShown);
    RemoveTrayIcon();
}

TEST_F(DatabaseReadsAndSaves, AMinimisedWindowsPlaceIsSavedInScreenCoordinates) {
    const RECT work = WorkArea();
    RECT shifted = work;
    shifted.top = work.top + 40;  // a taskbar on the top edge
    shifted.left = work.left + 30;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &shifted, 0));
    WriteNumberedRows(1);
    WriteSettings(" 200", " 150");
    const bool started = StartFromSettings();
    if (started) {
        ShowWindow(MainWindow().window, SW_MINIMIZE);
        SaveSettings();
    }
    RECT restore = work;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &restore, 0);
    ASSERT_TRUE(started);
    EXPECT_EQ(SettingsOf().Values.window_x, 200);
    EXPECT_EQ(SettingsOf().Values.window_y, 150);
}

}  // namespace
}  // namespace vemo
