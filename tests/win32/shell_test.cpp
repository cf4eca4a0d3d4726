#include "runtime/shell.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/harness.h"

namespace vemo {
namespace {

using testing::FileExists;
using testing::SeamGuard;
using testing::TempFolder;
using testing::WriteWholeFile;

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    // GetDateFormat takes the weekday from the date itself; fill it anyway.
    FILETIME ft{};
    SystemTimeToFileTime(&t, &ft);
    FileTimeToSystemTime(&ft, &t);
    return t;
}

TEST(DateAndTime, DatePicturesUseTheTestClock) {
    SeamGuard seams;
    Seams().clock = At(2004, 2, 6, 14, 30, 5);  // a Friday
    EXPECT_EQ(DateText("dd'-'MM'-'yyyy"), "06-02-2004");
    EXPECT_EQ(DateText("dd"), "06");
    EXPECT_EQ(DateText("MM"), "02");
    EXPECT_EQ(DateText("yyyy"), "2004");
    EXPECT_EQ(DateText(), "02-06-2004");  // no picture: month first
    EXPECT_EQ(TimeText(), "14:30:05");
}

TEST(DateAndTime, DayAndMonthNamesAreEnglish) {
    SeamGuard seams;
    Seams().clock = At(2026, 12, 7, 9, 5, 0);  // a Monday
    EXPECT_EQ(DateText("ddd"), "Mon");
    EXPECT_EQ(DateText("MMM"), "Dec");
    EXPECT_EQ(DateText("dddd', 'd' 'MMMM"), "Monday, 7 December");
    EXPECT_EQ(TimeText(), "09:05:00");
    Seams().clock = At(2025, 3, 1, 0, 0, 0);  // a Saturday
    EXPECT_EQ(DateText("ddd MMM"), "Sat Mar");
}

TEST(DateAndTime, ResultsBeyondTheCapacityGiveAnEmptyText) {
    SeamGuard seams;
    Seams().clock = At(2004, 2, 6, 0, 0, 0);
    EXPECT_EQ(DateText("'" + std::string(39, 'x') + "'"), std::string(39, 'x'));
    EXPECT_EQ(DateText("'" + std::string(40, 'x') + "'"), "");
}

TEST(DateAndTime, TheRealClockIsUsedWithoutTheSeam) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const std::string year = DateText("yyyy");
    ASSERT_EQ(year.size(), 4u);
    EXPECT_GE(std::stoi(year), before.wYear);
    const std::string time = TimeText();
    ASSERT_EQ(time.size(), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
}

TEST(ShellServices, LowerTextLowersTheWholeText) {
    EXPECT_EQ(LowerText("Vemo TASK 12 Done!"), "vemo task 12 done!");
    EXPECT_EQ(LowerText(""), "");
}

TEST(ShellServices, ProgramFolderIsTheFolderOfTheRunningProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(FileExists(folder + "win32_tests.exe"));

    SeamGuard seams;
    Seams().program_folder = "C:\\Apps\\";
    EXPECT_EQ(ProgramFolder(), "C:\\Apps\\");
}

TEST(ShellServices, RemoveFileReportsWhetherItDeleted) {
    TempFolder folder;
    WriteWholeFile(folder / "import.txt", "task");
    EXPECT_TRUE(RemoveFile(folder / "import.txt"));
    EXPECT_FALSE(FileExists(folder / "import.txt"));
    EXPECT_FALSE(RemoveFile(folder / "import.txt"));
}

TEST(ShellServices, OpenDocumentGoesToTheRecorderInTests) {
    SeamGuard seams;
    std::vector<OpenCall> calls;
    Seams().open_recorder = [&](const OpenCall& call) { calls.push_back(call); };
    OpenDocument("notepad.exe", "VemoLog-vemo.txt");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "notepad.exe");
    EXPECT_EQ(calls[0].parameters, "VemoLog-vemo.txt");
}

TEST(ShellServices, OpenDocumentOfAMissingFileFailsSilently) {
    TempFolder folder;
    OpenDocument(folder / "no-such-program.exe", "");
    // Nothing is reported and nothing waits for a person.
    EXPECT_FALSE(FileExists(folder / "no-such-program.exe"));
}

TEST(ShellServices, MessageBoxFlagsZeroMeanOkAndExclamation) {
    SeamGuard seams;
    std::vector<MessageCall> calls;
    Seams().message_responder = [&](const MessageCall& call) {
        calls.push_back(call);
        return IDCANCEL;
    };
    EXPECT_EQ(ShowMessageBox(nullptr, "text", "caption", 0), IDCANCEL);
    EXPECT_EQ(ShowMessageBox(nullptr, "t", "c", MB_YESNO), IDCANCEL);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(calls[0].text, "text");
    EXPECT_EQ(calls[0].caption, "caption");
    EXPECT_EQ(calls[1].flags, static_cast<UINT>(MB_YESNO));
}

}  // namespace
}  // namespace vemo
