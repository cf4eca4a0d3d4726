// One database, two PCs: the other PC's versions arrive as a sync client
// brings them (written beside, then moved over the database) under the real
// main window, whose tick looks at the file off its thread.
#include <gtest/gtest.h>

#include "app/dates.h"
#include "app/deletion_records.h"
#include "app/message_line.h"
#include "app/task_commands.h"
#include "app/task_merge.h"
#include "app/task_sync.h"
#include "mainwin/shared_database.h"
#include "runtime/colours.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
using Texts = std::vector<std::string>;

constexpr char kReloaded[] = "Reloaded: changed on another PC";

class SharedDatabase : public ProgramTest {
  protected:
    std::string Database() { return folder / "vemo.dat"; }
    void Arrive(const std::string& bytes) {
        const std::string incoming = folder / "incoming.tmp";
        WriteWholeFile(incoming, bytes);
        ASSERT_TRUE(MoveFileExA(incoming.c_str(), Database().c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    void Arrive(const std::vector<TaskRow>& rows) {
        RecordBuffer buffer{};
        Arrive(EncodeDatabase(rows, buffer));
    }
    // One tick, and the window handling the answer of its look at the file.
    void Tick() {
        OnProgramTimer();
        for (int wait = 0; wait < 1000; ++wait) {
            MSG msg;
            if (PeekMessageA(&msg, MainWindow().window, kDatabaseNotice, kDatabaseNotice,
                             PM_REMOVE)) {
                DispatchMessageA(&msg);
                return;
            }
            Sleep(2);
        }
        ADD_FAILURE() << "the look at the database never answered";
    }
    Texts Shown() { return Column(ids::TextColumn); }
    Texts Saved() {
        Texts texts;
        for (const TaskRow& row : SavedRows()) texts.push_back(row.text);
        return texts;
    }
    std::string Line() { return GetControlText(MainWindow(), ids::MessageLine); }
    FILETIME WriteTime() {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(Database().c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }
    bool WrittenSince(const FILETIME& before) {
        const FILETIME now = WriteTime();
        return CompareFileTime(&now, &before) != 0;
    }
    RecordsFile Records(const std::string& owner) {
        return DecodeRecords(ReadWholeFile(folder / RecordsFileName("vemo.dat", owner)));
    }
    static TaskRow Row(const char* text, const char* priority = " 2") {
        return {text, priority, "01-12-2026", "24-12-2026", "10:00", " 5"};
    }
};

// A version from another PC is shown at the next tick with no box, the
// user's choices staying on their tasks; a file half written, missing or
// touched without a change is no change at all.
TEST_F(SharedDatabase, AChangedFileIsShownAtTheNextTickOnceItIsWhole) {
    Start(Rows({"a", "b", "c"}));
    Tick();
    ChooseRow(1);                            // b
    Tasks().Select(TaskField::Priority, 2);  // c
    Arrive(Rows({"x", "b", "c", "a"}));
    Tick();
    EXPECT_EQ(Shown(), (Texts{"x", "b", "c", "a"}));
    EXPECT_EQ(Line(), kReloaded);
    EXPECT_EQ(ChosenRow(), 1);
    EXPECT_EQ(Tasks().Selection(TaskField::Priority), 2);
    EXPECT_EQ(Column(ids::PriorityColumn)[3], " 4");  // the file's priority
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Saved(), (Texts{"x", "b", "c", "a"}));

    // The chosen task deleted there, with its record: the choice goes too.
    RecordsFile office;
    office.records = {{1, DaysFromCivil(2026, 12, 7), 0, IdentityOf(Rows({"b"})[0])}};
    WriteWholeFile(folder / RecordsFileName("vemo.dat", "OFFICE-anna"), EncodeRecords(office));
    Arrive(Rows({"x", "c", "a"}));
    Tick();
    EXPECT_EQ(ChosenRow(), -1);

    RecordBuffer buffer{};
    const std::string five = EncodeDatabase(Rows({"x", "c", "a", "d", "e"}), buffer);
    const struct {
        const char* name;
        std::function<void()> change;
    } not_yet[] = {
        {"half written", [&] { Arrive(five.substr(0, 4 * TaskRecordSize)); }},
        {"deleted", [&] { ASSERT_TRUE(DeleteFileA(Database().c_str())); }},
        {"back, touched without a change",
         [&] {
             Arrive(Rows({"x", "c", "a"}));
             Tick();
             vemo::Message().Show("quiet");
             const std::string same = ReadWholeFile(Database());
             Arrive(same);
         }},
    };
    for (const auto& step : not_yet) {
        step.change();
        Tick();
        EXPECT_EQ(Shown(), (Texts{"x", "c", "a"})) << step.name;
        EXPECT_NE(Line(), kReloaded) << step.name;
    }
    Arrive(five);
    Tick();
    EXPECT_EQ(Shown(), (Texts{"x", "c", "a", "d", "e"}));
    EXPECT_TRUE(messages.empty());
}

// Edits on both sides are merged; an unsaved edit here waits for the next
// save, and a merge with nothing unsaved is written once both files have
// been quiet for two ticks, with the file as found and the list before kept
// in "backups\", and never written again for the same list.
TEST_F(SharedDatabase, EditsOnBothSidesAreMergedAndWrittenWhenQuiet) {
    Start({Row("a", " 1"), Row("b", " 2")});
    Tick();
    Tasks().Select(TaskField::Priority, 1);
    ApplyCommand(PriorityUp());  // b: 1 here, not saved
    Arrive({Row("a", " 1"), Row("b", " 2"), Row("c", " 3")});
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Column(ids::PriorityColumn), (Texts{" 1", " 1", " 3"}));
    // The user's undo steps named rows of the list before the merge.
    EXPECT_EQ(Line(), "Merged: 1 tasks changed on another PC - undo starts again");
    const FILETIME arrived = WriteTime();
    for (int tick = 0; tick < 3; ++tick) Tick();
    EXPECT_FALSE(WrittenSince(arrived)) << "unsaved edits wait for the next save";
    ASSERT_TRUE(SaveData());
    EXPECT_EQ(SavedRows()[1].priority, " 1");
    RecordBuffer buffer{};
    EXPECT_EQ(
        DecodeDatabase(ReadWholeFile(folder / ("vemo.dat." + ThisPcName() + ".last")), buffer),
        SavedRows());
    Texts pair;
    for (const std::string& name : NamesIn(folder / "backups\\")) {
        if (name.find(".found.dat") != std::string::npos ||
            name.find(".here.dat") != std::string::npos) {
            pair.push_back(name);
        }
    }
    EXPECT_EQ(pair.size(), 2u) << ::testing::PrintToString(NamesIn(folder / "backups\\"));

    // The other PC wrote before it saw the task added here.
    ApplyCommand(AddTaskRow(Row("d")));
    std::vector<TaskRow> other = SavedRows();
    other.pop_back();
    other.push_back(Row("e"));
    Arrive(other);
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a", "b", "c", "e", "d"}));
    const FILETIME found = WriteTime();
    Tick();
    EXPECT_FALSE(WrittenSince(found));
    Tick();
    EXPECT_EQ(Saved(), (Texts{"a", "b", "c", "e", "d"}));
    const FILETIME merged = WriteTime();
    for (int tick = 0; tick < 3; ++tick) Tick();
    EXPECT_FALSE(WrittenSince(merged));
}

// Only deletion records remove a task: a version written before it saw a
// deletion here brings nothing back, the other PC's record removes its
// task here, and a task made here again cancels the record that would
// remove it.
TEST_F(SharedDatabase, OnlyDeletionRecordsRemoveTasks) {
    Start({Row("a"), Row("b"), Row("c")});
    Tick();
    ChooseRow(1);
    Command(ids::DeleteCommand);
    EXPECT_EQ(Saved(), (Texts{"a", "c"}));
    const RecordsFile mine = Records(ThisPcName());
    ASSERT_EQ(mine.records.size(), 1u);
    EXPECT_EQ(mine.records[0].task.text, "b");
    EXPECT_EQ(mine.records[0].remaining, 0u);

    Arrive({Row("a"), Row("b"), Row("c"), Row("x")});
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a", "c", "x"}));
    Tick();
    Tick();
    EXPECT_EQ(Saved(), (Texts{"a", "c", "x"}));

    RecordsFile other;
    other.records = {{1, DaysFromCivil(2026, 12, 7), 0, IdentityOf(Row("a"))}};
    WriteWholeFile(folder / RecordsFileName("vemo.dat", "OFFICE-anna"), EncodeRecords(other));
    Arrive({Row("c"), Row("x")});
    Tick();
    EXPECT_EQ(Shown(), (Texts{"c", "x"}));
    EXPECT_EQ(Line(), kReloaded);

    // "c" changed to "a": the old version recorded, OFFICE's record cancelled.
    ChooseRow(0);
    ApplyCommand(ChangeText("a"));
    ASSERT_TRUE(SaveData());
    EXPECT_EQ(Records(ThisPcName()).cancels,
              (std::vector<CancelEntry>{{"OFFICE-anna", 1, DaysFromCivil(2026, 12, 7)}}));
    // OFFICE's records file changes: its cancelled record removes nothing.
    other.records.push_back({2, DaysFromCivil(2026, 12, 7), 0, IdentityOf(Row("zz"))});
    WriteWholeFile(folder / RecordsFileName("vemo.dat", "OFFICE-anna"), EncodeRecords(other));
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a", "x"}));
}

// A deletion taken back with Ctrl+Z takes its record back too, so another
// PC's version from before the deletion keeps the task; that merge starts a
// new history, and says so.
TEST_F(SharedDatabase, AnUndoneDeletionStaysUndoneThroughTheNextMerge) {
    Start({Row("a"), Row("b"), Row("c")});
    Tick();
    ChooseRow(1);
    Command(ids::DeleteCommand);
    ASSERT_EQ(Records(ThisPcName()).records.size(), 1u);
    Command(ids::TextColumn, kUndoKey);
    EXPECT_EQ(Saved(), (Texts{"a", "b", "c"}));
    EXPECT_TRUE(Records(ThisPcName()).records.empty());  // its own record goes

    Arrive({Row("a"), Row("b"), Row("c"), Row("x")});
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a", "b", "c", "x"}));
    EXPECT_EQ(Line(), std::string(kReloaded) + " - undo starts again");
    Command(ids::TextColumn, kUndoKey);
    EXPECT_EQ(Line(), "Nothing to undo since another PC's changes came in");

    // A deletion whose own save brings in another PC's task stays undoable.
    Arrive({Row("a"), Row("b"), Row("c"), Row("x"), Row("y")});
    ChooseRow(1);
    Command(ids::DeleteCommand);
    EXPECT_EQ(Shown(), (Texts{"a", "c", "x", "y"}));
    Command(ids::TextColumn, kUndoKey);
    EXPECT_EQ(Shown(), (Texts{"a", "b", "c", "x", "y"}));
    EXPECT_EQ(Saved(), Shown());
}

// A records file held by a sync client: the deletion waits, acting here as
// a record, and goes into the file with the next save.
TEST_F(SharedDatabase, ARecordThatCannotBeWrittenWaitsForTheNextSave) {
    Start({Row("a"), Row("b")});
    const std::string own = folder / RecordsFileName("vemo.dat", ThisPcName());
    WriteWholeFile(own, "");
    const HANDLE held =
        CreateFileA(own.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ChooseRow(1);
    Command(ids::DeleteCommand);
    CloseHandle(held);
    EXPECT_EQ(Saved(), (Texts{"a"}));
    EXPECT_TRUE(Records(ThisPcName()).records.empty());
    Arrive({Row("a"), Row("b")});  // written before the other PC saw the deletion
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a"}));
    ASSERT_TRUE(SaveData());
    ASSERT_EQ(Records(ThisPcName()).records.size(), 1u);
    EXPECT_EQ(Records(ThisPcName()).records[0].task.text, "b");
}

// Back after 31 days (a laptop asleep with Vemo open): the records of what
// the other PC deleted meanwhile may be gone, so the file is taken as found
// and only the edits here are added to it.
TEST_F(SharedDatabase, APcAwayForThirtyOneDaysTakesTheFileAsFound) {
    Start({Row("a"), Row("b")});
    Tick();
    SYSTEMTIME later = Seams().clock.value_or(SYSTEMTIME{});
    later.wYear = 2027;
    later.wMonth = 1;
    later.wDay = 8;
    later.wDayOfWeek = 5;
    Seams().clock = later;
    Arrive({Row("a"), Row("c")});
    Tick();
    EXPECT_EQ(Shown(), (Texts{"a", "c"}));
    EXPECT_EQ(Line(), kReloaded);
}

// Clear All clears the rows the user saw; a task that arrived since the last
// tick is kept.
TEST_F(SharedDatabase, ClearAllKeepsATaskThatArrivedUnseen) {
    Start({Row("a"), Row("b")});
    Tick();
    Arrive({Row("a"), Row("b"), Row("new")});
    Command(ids::ClearAllCommand);
    EXPECT_EQ(Saved(), (Texts{"new"}));
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0], "new");
    EXPECT_EQ(Records(ThisPcName()).records.size(), 2u);
}

// A writer that does not merge drops a task this PC saved: the next start
// brings it back, unless this PC's last list is older than the records.
TEST_F(SharedDatabase, TheNextStartBringsBackWhatAWriterThatDoesNotMergeDropped) {
    Start({Row("a"), Row("b")});
    ASSERT_TRUE(SaveData());
    CloseDialog(MainWindow(), 0);
    WaitForEvents(1);
    Arrive({Row("a")});
    Start();
    EXPECT_EQ(Shown(), (Texts{"a", "b"}));
    EXPECT_EQ(Saved(), (Texts{"a", "b"}));
    CloseDialog(MainWindow(), 0);
    WaitForEvents(1);

    // Dropped again, then /add with no Vemo running: its own write keeps
    // the dropped task in this PC's last list.
    Arrive({Row("a")});
    ASSERT_EQ(AddToSharedDatabase([](std::size_t) { return Row("c"); }).status,
              AppendResult::Status::Added);
    EXPECT_EQ(Saved(), (Texts{"a", "c"}));
    Start();
    EXPECT_EQ(Shown(), (Texts{"a", "c", "b"}));
    CloseDialog(MainWindow(), 0);
    WaitForEvents(1);

    // Written 31 days ago: a task deleted elsewhere since may be in it.
    const std::string last = folder / ("vemo.dat." + ThisPcName() + ".last");
    const HANDLE file =
        CreateFileA(last.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= 31ull * 24 * 60 * 60 * 10'000'000;
    const FILETIME old{time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
    Arrive({Row("a")});
    Start();
    EXPECT_EQ(Shown(), (Texts{"a"}));
}

}  // namespace
}  // namespace vemo
