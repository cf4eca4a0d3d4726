#include "runtime/atomic_file.h"

#include <gtest/gtest.h>

#include "runtime/paths.h"
#include "runtime/shell.h"
#include "support/harness.h"

namespace vemo {
namespace {

using testing::FileExists;
using testing::ReadWholeFile;
using testing::SeamGuard;
using testing::TempFolder;
using testing::WriteWholeFile;

class AtomicFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    SeamGuard seams;
    const std::string target = folder / "vemo.dat";
    const std::string old_bytes = std::string(3000, 'o');
};

TEST_F(AtomicFileTest, ReplacesAndCreatesWithoutLeavingATemporary) {
    WriteWholeFile(target, old_bytes);
    EXPECT_TRUE(ReplaceFileAtomically(target, "short"));
    EXPECT_EQ(ReadWholeFile(target), "short");  // exactly the new bytes, nothing of the old
    EXPECT_FALSE(FileExists(TemporaryPathFor(target)));

    const std::string fresh = folder / "vemo.ini";
    EXPECT_TRUE(ReplaceFileAtomically(fresh, "line\r\n"));
    EXPECT_EQ(ReadWholeFile(fresh), "line\r\n");
    EXPECT_TRUE(ReplaceFileAtomically(fresh, ""));
    EXPECT_EQ(ReadWholeFile(fresh), "");
}

TEST_F(AtomicFileTest, LargeContentIsWrittenWhole) {
    std::string big;
    for (int i = 0; i < 200000; ++i) big.push_back(static_cast<char>('a' + i % 26));
    EXPECT_TRUE(ReplaceFileAtomically(target, big));
    EXPECT_EQ(ReadWholeFile(target), big);
}

// A failure at each step of the save (create, every write, flush, close,
// move) reports failure and leaves the old file whole and no temporary file.
TEST_F(AtomicFileTest, AFailureAtAnyStepKeepsTheOldFile) {
    const std::string new_bytes(2500000, 'n');  // three pieces of a megabyte
    int failed_steps = 0;
    for (int step = 1; step < 50; ++step) {
        WriteWholeFile(target, old_bytes);
        Seams().atomic_write_fault_step = step;
        if (ReplaceFileAtomically(target, new_bytes)) {
            EXPECT_EQ(ReadWholeFile(target), new_bytes);
            break;
        }
        ++failed_steps;
        EXPECT_EQ(ReadWholeFile(target), old_bytes) << "step " << step;
        EXPECT_FALSE(FileExists(TemporaryPathFor(target))) << "step " << step;
    }
    EXPECT_EQ(failed_steps, 7);  // create, three writes, flush, close, move
}

// A save killed at any step leaves the old file whole; the temporary file it
// may leave is removed at the next start, and another PC's save in progress
// into the same synced folder is left alone.
TEST_F(AtomicFileTest, ACrashAtAnyStepKeepsTheOldFile) {
    Seams().abandon_on_fault = true;
    const std::string others = TemporaryPathOf(target, "OTHER-PC-bob");
    WriteWholeFile(others, "another PC's save");
    for (int step = 1; step <= 5; ++step) {
        WriteWholeFile(target, old_bytes);
        Seams().atomic_write_fault_step = step;
        EXPECT_FALSE(ReplaceFileAtomically(target, "new"));
        EXPECT_EQ(ReadWholeFile(target), old_bytes) << "step " << step;
        RemoveLeftoverTemporary(target);
        EXPECT_FALSE(FileExists(TemporaryPathFor(target)));
        EXPECT_EQ(ReadWholeFile(target), old_bytes);
    }
    EXPECT_EQ(ReadWholeFile(others), "another PC's save");
    EXPECT_NE(TemporaryPathFor(target).find("." + ComputerName() + "-"), std::string::npos);
}

TEST_F(AtomicFileTest, ReadOnlyFilesAndFoldersAreNotReplaced) {
    WriteWholeFile(target, old_bytes);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ReplaceFileAtomically(target, "new"));
    EXPECT_EQ(ReadWholeFile(target), old_bytes);
    EXPECT_FALSE(FileExists(TemporaryPathFor(target)));

    const std::string folder_target = folder / "sub";
    ASSERT_TRUE(CreateDirectoryA(folder_target.c_str(), nullptr));
    EXPECT_FALSE(ReplaceFileAtomically(folder_target, "new"));
    EXPECT_FALSE(FileExists(TemporaryPathFor(folder_target)));

    EXPECT_FALSE(ReplaceFileAtomically(folder / "no\\such\\folder.dat", "new"));
}

TEST_F(AtomicFileTest, AFileHeldOpenByAnotherProgramIsWrittenInPlace) {
    WriteWholeFile(target, old_bytes);
    // Another program reading the file, sharing reads and writes but not deletes.
    HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(ReplaceFileAtomically(target, "in place"));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(target), "in place");
    EXPECT_FALSE(FileExists(TemporaryPathFor(target)));
}

TEST_F(AtomicFileTest, AFileLockedAgainstWritingIsReportedNotLost) {
    WriteWholeFile(target, old_bytes);
    HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ReplaceFileAtomically(target, "new"));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(target), old_bytes);
    EXPECT_FALSE(FileExists(TemporaryPathFor(target)));
}

}  // namespace
}  // namespace vemo
