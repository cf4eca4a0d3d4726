#include "app/task_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

// A task as the tests write it: "text" or "text p3" (priority 3) or
// "text p3 s6" (inactive); the dates and time are the same for all.
TaskRow Task(const std::string& shape) {
    TaskRow row{shape, " 2", "01-12-2026", "24-12-2026", "10:00", " 5"};
    const auto p = shape.find(" p");
    if (p != std::string::npos) {
        row.text = shape.substr(0, p);
        row.priority = " " + shape.substr(p + 2, 1);
        const auto s = shape.find(" s", p);
        if (s != std::string::npos) row.state = " " + shape.substr(s + 2, 1);
    }
    return row;
}

TaskRows Tasks(const std::vector<std::string>& shapes) {
    TaskRows rows;
    for (const std::string& shape : shapes) rows.Append(Task(shape));
    return rows;
}

std::vector<TaskRow> RowsOf(const TaskRows& rows) {
    std::vector<TaskRow> all;
    for (int i = 0; i < rows.Count(); ++i) all.push_back(rows.Row(i));
    return all;
}

// Two PCs' versions of one list merged: each case the rows here (a "+"
// before a shape: its priority changed here, a "!": its inactive mark, a
// "*": made here), the
// file the other PC wrote, the live deletion records, and what comes out.
TEST(TaskMerge, NoTaskThatNoPcDeletedIsLost) {
    struct Case {
        const char* name;
        std::vector<std::string> here, file, deleted;  // deleted: "text" or "text xN" (N left)
        std::vector<std::string> merged;
        bool equals_file;
        std::size_t changed;
    };
    const Case cases[] = {
        {"added on both sides",
         {"a", "b", "x"},
         {"a", "b", "y"},
         {},
         {"a", "b", "y", "x"},
         false,
         1},
        {"a version written before it saw the task added here",
         {"a", "b", "c"},
         {"a", "b"},
         {},
         {"a", "b", "c"},
         false,
         0},
        {"deleted there, with its record", {"a", "b", "c"}, {"a", "c"}, {"b"}, {"a", "c"}, true, 1},
        {"missing there, without a record",
         {"a", "b", "c"},
         {"a", "c"},
         {},
         {"a", "c", "b"},
         false,
         0},
        {"deleted here, the file not yet written", {"a"}, {"a", "b"}, {"b"}, {"a"}, false, 0},
        {"changed there: the old text's record, the new text",
         {"a", "b"},
         {"a", "b2"},
         {"b"},
         {"a", "b2"},
         true,
         2},
        // PC 1 changed b to b2, PC 2 changed it back: b's creation there
        // cancelled PC 1's record, and PC 2 recorded b2's removal.
        {"an edit undone on the other PC", {"a", "b2"}, {"a", "b"}, {"b2"}, {"a", "b"}, true, 2},
        {"duplicates with one deleted",
         {"a", "a", "b"},
         {"a", "a", "b"},
         {"a x1"},
         {"a", "b"},
         false,
         1},
        {"duplicates added on both sides", {"a", "a"}, {"a"}, {}, {"a", "a"}, false, 0},
        {"priority here, text there",
         {"+a p1", "b"},
         {"a p3", "b2"},
         {"b"},
         {"a p1", "b2"},
         false,
         2},
        {"priority there, nothing changed here",
         {"a p1", "b"},
         {"a p4", "b"},
         {},
         {"a p4", "b"},
         true,
         1},
        {"the inactive mark there against the tick's code here",
         {"a p2 s0", "b p2 s2"},
         {"a p2 s6", "b p2 s4"},
         {},
         {"a p2 s6", "b p2 s4"},
         true,
         1},
        {"the inactive mark switched here", {"!a p2 s5"}, {"a p2 s6"}, {}, {"a p2 s5"}, false, 0},
        {"switched here and still inactive there",
         {"!a p2 s6"},
         {"a p2 s6"},
         {},
         {"a p2 s6"},
         true,
         0},
        {"Clear All here against a task that arrived there",
         {"Vemo V009u - your tasks and reminders p1 s0"},
         {"a", "b", "new"},
         {"a", "b"},
         {"new", "Vemo V009u - your tasks and reminders p1 s0"},
         false,
         1},
        {"the same list", {"a", "b"}, {"b", "a"}, {}, {"b", "a"}, true, 0},
        // Away 31 days: b and c may have been deleted there with records
        // dropped since; only what was made or changed here comes along.
        {"a PC away for 31 days",
         {"a p1", "b", "c", "*new", "+a p1"},
         {"a p3", "a p3", "d"},
         {},
         {"a p1", "a p3", "d", "new"},
         false,
         3},
    };
    for (const Case& c : cases) {
        TaskRows here;
        std::vector<LocalFlags> flags;
        for (std::string shape : c.here) {
            LocalFlags f;
            if (shape[0] == '+' || shape[0] == '!' || shape[0] == '*') {
                f.priority_changed = shape[0] == '+';
                f.inactive_changed = shape[0] == '!';
                f.created = shape[0] == '*';
                shape.erase(0, 1);
            }
            here.Append(Task(shape));
            flags.push_back(f);
        }
        std::vector<DeletionRecord> records;
        for (const std::string& shape : c.deleted) {
            const auto copies = shape.find(" x");
            records.push_back(
                {IdentityOf(Task(shape.substr(0, copies))),
                 copies == std::string::npos ? 0u : std::stoul(shape.substr(copies + 2))});
        }
        const bool away = std::string(c.name).find("away") != std::string::npos;
        const MergedList merged = MergeTaskLists(here, flags, Tasks(c.file), records, away);
        EXPECT_EQ(RowsOf(merged.rows), RowsOf(Tasks(c.merged))) << c.name;
        EXPECT_EQ(merged.equals_file, c.equals_file) << c.name;
        EXPECT_EQ(merged.changed, c.changed) << c.name;
    }
}

// A task is what the record keeps of it: a text past its field, or with a
// zero in it, is the same task as the file's shorter one.
TEST(TaskMerge, TasksAreComparedAsTheRecordStoresThem) {
    TaskRow long_here = Task("x");
    long_here.text = std::string(300, 't');
    TaskRow stored = long_here;
    stored.text.resize(kTaskTextCapacity);
    TaskRow zero_here = Task("y");
    zero_here.text = std::string("call\0bob", 8);
    TaskRows here;
    here.Append(long_here);
    here.Append(zero_here);
    TaskRows file;
    file.Append(stored);
    file.Append(Task("call"));
    const MergedList merged = MergeTaskLists(here, {}, file, {});
    EXPECT_TRUE(merged.equals_file);
    EXPECT_EQ(merged.rows.Count(), 2);

    // Ten thousand rows, the same on both sides.
    TaskRows many;
    for (int i = 0; i < 10000; ++i) many.Append(Task("task " + std::to_string(i)));
    const MergedList same = MergeTaskLists(many, {}, many, {});
    EXPECT_TRUE(same.equals_file);
    EXPECT_EQ(same.changed, 0u);
    EXPECT_EQ(RowsOf(same.rows), RowsOf(many));
    EXPECT_EQ(ListHash(same.rows), ListHash(many));
}

}  // namespace
}  // namespace vemo
