// The database file read and saved when things go wrong: damaged or huge
// files, failed and held saves, the tray after a shell restart.
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
using DatabaseReadsAndSaves = ProgramTest;

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
            if (!Program().RunFlag) {
                ended_after = k + 1;
                break;
            }
            // Still the same window on the unsaved rows.
            EXPECT_EQ(MainWindow().window, window) << c.keys;
            EXPECT_EQ(Column(ids::TextColumn).back(), "unsaved") << c.keys;
            EXPECT_FALSE(Program().ReloadFlag) << c.keys;
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
    Tray().InTray = true;
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
