#include "runtime/files.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/harness.h"

namespace vemo {
namespace {

using testing::FileExists;
using testing::ReadWholeFile;
using testing::SeamGuard;
using testing::TempFolder;
using testing::WriteWholeFile;

class FileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    SeamGuard seams;
    std::vector<MessageCall> messages;

    void SetUp() override {
        Seams().message_responder = [this](const MessageCall& call) {
            messages.push_back(call);
            return IDOK;
        };
    }
};

TEST_F(FileTest, OpenModesCreateAsTheirTableSays) {
    FileHandle file;
    EXPECT_EQ(OpenFile(file, TextFile, folder / "missing.txt", "r"), 1);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(FileExists(folder / "missing.txt"));
    EXPECT_EQ(OpenFile(file, RecordFile, folder / "missing.dat", "r+"), 1);
    EXPECT_FALSE(FileExists(folder / "missing.dat"));

    EXPECT_EQ(OpenFile(file, TextFile, folder / "new.txt", "a"), 0);
    EXPECT_TRUE(file.IsOpen());
    CloseFile(file, TextFile);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadWholeFile(folder / "new.txt"), "");

    WriteWholeFile(folder / "full.txt", "old content");
    EXPECT_EQ(OpenFile(file, TextFile, folder / "full.txt", "W"), 0);
    CloseFile(file, TextFile);
    EXPECT_EQ(ReadWholeFile(folder / "full.txt"), "");

    WriteWholeFile(folder / "rec.dat", "0123456789");
    EXPECT_EQ(OpenFile(file, RecordFile, folder / "rec.dat", "R+"), 0);
    WriteRecord(file, 2, std::array<std::uint8_t, 2>{'x', 'y'});
    CloseFile(file, RecordFile);
    EXPECT_EQ(ReadWholeFile(folder / "rec.dat"), "01xy456789");
}

TEST_F(FileTest, UnknownModesAreRefused) {
    WriteWholeFile(folder / "f.txt", "keep");
    FileHandle file;
    for (const char* mode : {"", "x", "rw", "r+", "R+", "ab", " r", "w "}) {
        EXPECT_EQ(OpenFile(file, TextFile, folder / "f.txt", mode), 1) << mode;
        EXPECT_FALSE(file.IsOpen()) << mode;
    }
    EXPECT_EQ(OpenFile(file, RecordFile, folder / "f.txt", "a+"), 1);
    EXPECT_EQ(ReadWholeFile(folder / "f.txt"), "keep");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileTest, AppendModeWritesAtTheEnd) {
    WriteWholeFile(folder / "log.txt", "first\r\n");
    FileHandle file;
    ASSERT_EQ(OpenFile(file, TextFile, folder / "log.txt", "a"), 0);
    EXPECT_EQ(SeekFile(file, -1), 7);
    EXPECT_EQ(WriteItem(file, TextFile, "second"), 8u);
    CloseFile(file, TextFile);
    EXPECT_EQ(ReadWholeFile(folder / "log.txt"), "first\r\nsecond\r\n");
}

TEST_F(FileTest, AFileOpenForWritingCanBeReadButNotWrittenByAnother) {
    FileHandle writer;
    ASSERT_EQ(OpenFile(writer, TextFile, folder / "shared.txt", "w"), 0);
    WriteItem(writer, TextFile, "line");

    FileHandle reader;
    ASSERT_EQ(OpenFile(reader, TextFile, folder / "shared.txt", "r"), 0);
    std::string line;
    EXPECT_EQ(ReadItem(reader, TextFile, line), 0);
    EXPECT_EQ(line, "line");

    FileHandle second_writer;
    EXPECT_EQ(OpenFile(second_writer, TextFile, folder / "shared.txt", "a"), 1);
    EXPECT_EQ(OpenFile(second_writer, RecordFile, folder / "shared.txt", "r+"), 1);
    CloseFile(writer, TextFile);
    // Once the writer is gone, the reader's sharing lets a writer in.
    EXPECT_EQ(OpenFile(second_writer, TextFile, folder / "shared.txt", "a"), 0);
}

TEST_F(FileTest, MisusedKindsShowTheRuntimeErrors) {
    FileHandle file;
    EXPECT_EQ(OpenFile(file, 0x10007, folder / "x.txt", "w"), 1);
    EXPECT_FALSE(FileExists(folder / "x.txt"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Runtime error (OPENFILE): file variable expected");
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[0].owner, nullptr);
    EXPECT_EQ(messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

    ASSERT_EQ(OpenFile(file, TextFile, folder / "x.txt", "w"), 0);
    CloseFile(file, 12);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Runtime Error: Invalid file variable");
    EXPECT_EQ(messages[1].caption, "Error");
    EXPECT_TRUE(file.IsOpen());  // the misuse closes nothing

    // Kinds are told apart by their low 16 bits alone.
    CloseFile(file, 6);
    EXPECT_FALSE(file.IsOpen());
    CloseFile(file, TextFile);  // closing a closed handle does nothing
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(FileTest, RecordsAreAddressedByNumber) {
    FileHandle file;
    ASSERT_EQ(OpenFile(file, RecordFile, folder / "db.dat", "a"), 0);
    std::array<std::uint8_t, 4> record{'a', 'b', 'c', 'd'};
    WriteRecord(file, 3, record);
    record = {'w', 'x', 'y', 'z'};
    WriteRecord(file, 1, record);
    EXPECT_EQ(SeekFile(file, -1), 4);
    CloseFile(file, RecordFile);
    EXPECT_EQ(ReadWholeFile(folder / "db.dat"), std::string("wxyz\0\0\0\0abcd", 12));

    ASSERT_EQ(OpenFile(file, RecordFile, folder / "db.dat", "r"), 0);
    ReadRecord(file, 3, record);
    EXPECT_EQ(record, (std::array<std::uint8_t, 4>{'a', 'b', 'c', 'd'}));
}

TEST_F(FileTest, ReadRecordPastTheEndLeavesTheBuffer) {
    WriteWholeFile(folder / "db.dat", "0123456789");
    FileHandle file;
    ASSERT_EQ(OpenFile(file, RecordFile, folder / "db.dat", "r"), 0);
    std::array<std::uint8_t, 4> record{'-', '-', '-', '-'};
    ReadRecord(file, 5, record);
    EXPECT_EQ(record, (std::array<std::uint8_t, 4>{'-', '-', '-', '-'}));
    ReadRecord(file, 3, record);  // two bytes left: the rest stays as it was
    EXPECT_EQ(record, (std::array<std::uint8_t, 4>{'8', '9', '-', '-'}));
    ReadRecord(file, 0, record);
    ReadRecord(file, -1, record);
    EXPECT_EQ(record, (std::array<std::uint8_t, 4>{'8', '9', '-', '-'}));
    FileHandle closed;
    ReadRecord(closed, 1, record);
    EXPECT_EQ(record[0], '8');
}

TEST_F(FileTest, TextLinesFromARealFile) {
    const std::string first(127, 'a');  // its CR LF straddles the first 128-byte chunk
    WriteWholeFile(folder / "t.txt", first + "\r\nsecond\nthird\rfourth");
    FileHandle file;
    ASSERT_EQ(OpenFile(file, TextFile, folder / "t.txt", "r"), 0);
    std::string line;
    ASSERT_EQ(ReadItem(file, TextFile, line), 0);
    EXPECT_EQ(line, first);
    EXPECT_EQ(SeekFile(file, -1), 129);  // just behind the consumed line end
    for (const char* expected : {"second", "third", "fourth"}) {
        ASSERT_EQ(ReadItem(file, TextFile, line), 0);
        EXPECT_EQ(line, expected);
    }
    EXPECT_EQ(ReadItem(file, TextFile, line), -1);
    EXPECT_EQ(line, "");
}

TEST_F(FileTest, OverlongLineIsCutAndTheNextLineFollows) {
    WriteWholeFile(folder / "t.txt", std::string(600, 'p') + "\r\nnext\r\n");
    FileHandle file;
    ASSERT_EQ(OpenFile(file, TextFile, folder / "t.txt", "r"), 0);
    std::string line;
    ReadItem(file, TextFile, line);
    EXPECT_EQ(line, std::string(kTextCapacity, 'p'));
    ReadItem(file, TextFile, line);
    EXPECT_EQ(line, "next");
}

TEST_F(FileTest, NumbersAndTextsRoundTrip) {
    FileHandle file;
    ASSERT_EQ(OpenFile(file, TextFile, folder / "n.txt", "w"), 0);
    EXPECT_EQ(WriteItem(file, TextFile, std::int32_t{100}), 5u);
    EXPECT_EQ(WriteItem(file, TextFile, std::int32_t{50}), 4u);
    EXPECT_EQ(WriteItem(file, TextFile, "Vemo: "), 8u);
    WriteItem(file, TextFile, std::int32_t{-20});
    WriteItem(file, TextFile, 42.5);
    WriteItem(file, TextFile, "yes");
    CloseFile(file, TextFile);
    EXPECT_EQ(ReadWholeFile(folder / "n.txt"), " 100  50 Vemo: \r\n -20  42.50 yes\r\n");

    ASSERT_EQ(OpenFile(file, TextFile, folder / "n.txt", "r"), 0);
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string line;
    EXPECT_EQ(ReadItem(file, TextFile, x), 0);
    EXPECT_EQ(ReadItem(file, TextFile, y), 0);
    EXPECT_EQ(ReadItem(file, TextFile, line), 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(line, "Vemo: ");
    double real = 0;
    EXPECT_EQ(ReadItem(file, TextFile, x), 0);
    EXPECT_EQ(ReadItem(file, TextFile, real), 0);
    EXPECT_EQ(x, -20);
    EXPECT_EQ(real, 42.5);
    EXPECT_EQ(ReadItem(file, TextFile, line), 0);
    EXPECT_EQ(line, "yes");
    x = 7;
    EXPECT_EQ(ReadItem(file, TextFile, x), -1);
    EXPECT_EQ(x, 0);
}

TEST_F(FileTest, IntegerReadsRoundHalvesToEvenAndKeepTheirWidth) {
    WriteWholeFile(folder / "n.txt", "42.5 43.5 257 -1.5 ");
    FileHandle file;
    ASSERT_EQ(OpenFile(file, TextFile, folder / "n.txt", "r"), 0);
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::uint8_t c = 0;
    std::int16_t d = 0;
    ReadItem(file, TextFile, a);
    ReadItem(file, TextFile, b);
    ReadItem(file, TextFile, c);
    ReadItem(file, TextFile, d);
    EXPECT_EQ(a, 42);
    EXPECT_EQ(b, 44);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(d, -2);
}

TEST_F(FileTest, RecordItemsAreRawLittleEndianBytes) {
    FileHandle file;
    ASSERT_EQ(OpenFile(file, RecordFile, folder / "r.dat", "w"), 0);
    EXPECT_EQ(WriteItem(file, RecordFile, std::int32_t{0x01020304}), 4u);
    EXPECT_EQ(WriteItem(file, RecordFile, "ab"), 2u);
    EXPECT_EQ(SeekFile(file, 0), 0);
    std::int32_t value = 0;
    EXPECT_EQ(ReadItem(file, RecordFile, value), 0);
    EXPECT_EQ(value, 0x01020304);
    std::array<std::uint8_t, 4> rest{};
    EXPECT_EQ(ReadItem(file, RecordFile, rest), -1);  // only two bytes remain
    std::string text;
    EXPECT_EQ(ReadItem(file, RecordFile, text), -1);
    CloseFile(file, RecordFile);
    EXPECT_EQ(ReadWholeFile(folder / "r.dat"), std::string("\x04\x03\x02\x01"
                                                           "ab",
                                                           6));
}

TEST_F(FileTest, ClosedHandlesReadAndWriteNothing) {
    FileHandle file;
    std::string line = "x";
    std::int32_t value = 3;
    EXPECT_EQ(ReadItem(file, TextFile, line), -1);
    EXPECT_EQ(ReadItem(file, TextFile, value), -1);
    EXPECT_EQ(WriteItem(file, TextFile, "text"), 0u);
    EXPECT_EQ(WriteItem(file, TextFile, 5), 0u);
    EXPECT_EQ(SeekFile(file, -1), -1);
    EXPECT_FALSE(ReadNumber(file).found);
}

TEST_F(FileTest, SeekMovesFromTheStartAndReports) {
    WriteWholeFile(folder / "s.txt", "abcdef\r\n");
    FileHandle file;
    ASSERT_EQ(OpenFile(file, TextFile, folder / "s.txt", "r"), 0);
    EXPECT_EQ(SeekFile(file, 3), 3);
    EXPECT_EQ(SeekFile(file, -1), 3);
    std::string line;
    ReadItem(file, TextFile, line);
    EXPECT_EQ(line, "def");
}

TEST_F(FileTest, CopyFileToReplacesUnlessAskedNotTo) {
    WriteWholeFile(folder / "vemo.dat", "new data");
    WriteWholeFile(folder / "vemo.bak", "old backup");
    EXPECT_TRUE(CopyFileTo(folder / "vemo.dat", folder / "vemo.bak", false));
    EXPECT_EQ(ReadWholeFile(folder / "vemo.bak"), "new data");
    WriteWholeFile(folder / "vemo.dat", "newer");
    EXPECT_FALSE(CopyFileTo(folder / "vemo.dat", folder / "vemo.bak", true));
    EXPECT_EQ(ReadWholeFile(folder / "vemo.bak"), "new data");
    EXPECT_FALSE(CopyFileTo(folder / "none.dat", folder / "vemo.bak", false));
    EXPECT_EQ(ReadWholeFile(folder / "vemo.bak"), "new data");
}

TEST_F(FileTest, MovedHandleOwnsTheFile) {
    FileHandle first;
    ASSERT_EQ(OpenFile(first, TextFile, folder / "m.txt", "w"), 0);
    FileHandle second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(WriteItem(second, TextFile, "moved"), 7u);
    {
        FileHandle scoped;
        ASSERT_EQ(OpenFile(scoped, TextFile, folder / "scoped.txt", "w"), 0);
    }
    // The scoped handle closed itself: the file can be opened for writing again.
    FileHandle again;
    EXPECT_EQ(OpenFile(again, TextFile, folder / "scoped.txt", "a"), 0);
}

}  // namespace
}  // namespace vemo
