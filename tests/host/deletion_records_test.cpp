#include "app/deletion_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dates.h"

namespace vemo {
namespace {

TaskIdentity Task(const std::string& text) {
    return {text, "01-12-2026", "24-12-2026", "10:00"};
}

const std::int64_t kToday = DaysFromCivil(2026, 12, 7);

// What a PC writes it reads back, whatever the texts hold; a damaged file
// keeps its whole lines, and a number once given is never given again.
TEST(DeletionRecords, ReadBackAsWrittenAndDamageCostsOnlyItsLines) {
    RecordsFile file;
    file.next = 9;
    file.records = {
        {3, kToday, 0, Task("tab\there, 100% sure\r\nnext line")},
        {7, kToday - 30, 2, {std::string("\x01\x7F\xE9t\xE9", 5), "", "--Mon", ":30"}},
    };
    file.cancels = {{"OFFICE-anna", 12, kToday}};
    const std::string bytes = EncodeRecords(file);
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    EXPECT_EQ(DecodeRecords(bytes), file);

    // One record line cut in half, one broken escape, one bad date, garbage:
    // each line alone is lost, and "next" never falls below a record's number.
    std::string damaged = bytes;
    damaged.insert(damaged.find("D\t7"),
                   "D\t20\t2026-12-07\t0\ttext%G1\tc\tr\tt\r\n"
                   "D\t21\t2026-02-30\t0\ta\tb\tc\td\r\n"
                   "\xFF\xFE garbage\r\nC\t\t5\t2026-12-07\r\n");
    damaged.replace(damaged.find("next\t9"), 6, "next\t2");
    damaged.resize(damaged.size() - 20);  // the cancellation's line cut
    const RecordsFile read = DecodeRecords(damaged);
    EXPECT_EQ(read.records, file.records);
    EXPECT_TRUE(read.cancels.empty());
    EXPECT_EQ(read.next, 8u);

    // A text past its record field is cut where the record cuts it.
    RecordsFile overlong;
    overlong.records = {{1, kToday, 0, {std::string(400, 'x'), "c", "r", "t"}}};
    EXPECT_EQ(DecodeRecords(EncodeRecords(overlong)).records[0].task.text.size(), 257u);
    EXPECT_EQ(DecodeRecords("").records.size(), 0u);
}

TEST(DeletionRecords, FileNamesNameTheirOwner) {
    EXPECT_EQ(RecordsFileName("vemo.dat", "HOME-bob"), "vemo.dat.HOME-bob.del");
    const struct {
        const char* name;
        const char* owner;
    } cases[] = {
        {"vemo.dat.HOME-bob.del", "HOME-bob"},
        {"VEMO.DAT.office-anna.DEL", "office-anna"},
        {"vemo.dat.a.b.del", "a.b"},
        {"vemo.dat..del", ""},
        {"vemo.dat.HOME-bob.last", ""},
        {"vemo.bak.HOME-bob.del", ""},
        {"vemo.datx.HOME.del", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RecordsOwnerOf(c.name, "vemo.dat"), c.owner) << c.name;
}

// Which records remove a task: every PC's, less the ones any PC cancelled
// by creating the task again; a creation cancels only records that would
// remove one of its copies; only the owner drops its own, after 30 days.
TEST(DeletionRecords, LiveRecordsCancellationsAndTheThirtyDays) {
    std::vector<OwnedRecords> files = {
        {"HOME-bob",
         {4,
          {{1, kToday, 0, Task("a")}, {2, kToday, 1, Task("b")}, {3, kToday, 0, Task("c")}},
          {}}},
        {"OFFICE-anna", {2, {{1, kToday, 0, Task("d")}}, {{"home-BOB", 3, kToday}}}},
    };
    const std::vector<DeletionRecord> live = LiveRecords(files);
    ASSERT_EQ(live.size(), 3u);  // c was created again on OFFICE
    EXPECT_EQ(live[0].task, Task("a"));
    EXPECT_EQ(live[1].remaining, 1u);
    EXPECT_EQ(live[2].task, Task("d"));

    // b with one copy left is no removal of one copy; two are.
    EXPECT_TRUE(CancelsFor(Task("b"), 1, files, kToday).empty());
    EXPECT_EQ(CancelsFor(Task("b"), 2, files, kToday),
              (std::vector<CancelEntry>{{"HOME-bob", 2, kToday}}));
    EXPECT_TRUE(CancelsFor(Task("c"), 1, files, kToday).empty());  // cancelled already
    EXPECT_TRUE(CancelsFor(Task("z"), 1, files, kToday).empty());

    // Applied by HOME: its own record goes, OFFICE's is kept as a cancellation.
    RecordsFile home = files[0].file;
    ApplyCancels(home, "home-bob",
                 std::vector<CancelEntry>{{"HOME-BOB", 1, kToday}, {"OFFICE-anna", 1, kToday}});
    EXPECT_EQ(home.records.size(), 2u);
    EXPECT_EQ(home.records[0].number, 2u);
    EXPECT_EQ(home.cancels, (std::vector<CancelEntry>{{"OFFICE-anna", 1, kToday}}));

    // A cancellation outlives 30 days while the record it names is still in
    // its owner's file (an owner that has not written since keeps it).
    RecordsFile aging;
    aging.records = {{1, kToday - 30, 0, Task("kept")}, {2, kToday - 31, 0, Task("gone")}};
    aging.cancels = {{"X", 1, kToday - 31}, {"X", 2, kToday}, {"home-bob", 1, kToday - 40}};
    DropOldRecords(aging, kToday, files);
    ASSERT_EQ(aging.records.size(), 1u);
    EXPECT_EQ(aging.records[0].task.text, "kept");
    EXPECT_EQ(aging.cancels,
              (std::vector<CancelEntry>{{"X", 2, kToday}, {"home-bob", 1, kToday - 40}}));
}

}  // namespace
}  // namespace vemo
