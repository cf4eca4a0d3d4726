// Two versions of the task list merged: the rows here and the rows a file
// holds that another PC wrote (a database in a synced folder). A task is its
// text, created date, remind date and time as the record stores them; its
// priority and inactive mark are attributes; state codes, which every tick
// rewrites, are never compared. A task missing from one side is never a
// deletion by itself: only a deletion record removes it. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/task_record.h"
#include "app/task_rows.h"

namespace vemo {

// A task as the record stores it: each text cut at its field and at a zero.
struct TaskIdentity {
    std::string text, created, remind_date, time;
    auto operator<=>(const TaskIdentity&) const = default;
};
TaskIdentity IdentityOf(const TaskRow& row);
TaskIdentity IdentityOf(const TaskRowView& row);
// Whether two rows are one task, compared as the record stores them.
bool SameTask(const TaskRowView& a, const TaskRowView& b);
// A task's four texts hashed as the record stores them: one task, one hash.
std::uint64_t IdentityHash(const TaskRowView& row);
std::uint64_t IdentityHash(const TaskIdentity& task);

// What the user changed on a row here since the last read or write of the
// file: those attributes follow this row, the others the file's.
struct LocalFlags {
    bool priority_changed = false;  // "+" or "-"
    bool inactive_changed = false;  // "+/-"
    bool created = false;           // made here since: not in the file yet
};

// A PC deleted, cleared, sent to the log or changed a task: at most
// `remaining` copies of it are left (0 for the last). Only live records
// (not cancelled by the task's creation since) are given to the merge.
struct DeletionRecord {
    TaskIdentity task;
    std::size_t remaining = 0;
};

// What a list holds, in its order: each task with its priority and
// inactive mark (state codes left out, as the tick rewrites them). A file
// read twice unchanged, or a list written and read back, gives the same.
std::uint64_t ListHash(const TaskRows& rows);
// The same in any order: two lists that hold the same tasks, in the same
// numbers, with the same attributes, give the same.
std::uint64_t TaskSetHash(const TaskRows& rows);

struct MergedList {
    // The file's tasks in the file's order, then the tasks only here in
    // their order here.
    TaskRows rows;
    // The merged list holds the file's tasks, in their numbers, with their
    // attributes: showing the file is a reload, not a merge.
    bool equals_file = false;
    // Tasks the merge changed in the list shown here: added, removed, or
    // given the other side's priority or inactive mark.
    std::size_t changed = 0;
};

// Each task as many times as the side that has more, less what the live
// records remove. `flags` is empty (nothing changed here) or one per row
// here. A PC away longer than records are kept brings only its edits
// (`edits_only`): its other rows may be tasks deleted elsewhere whose
// records are gone.
MergedList MergeTaskLists(const TaskRows& here, std::span<const LocalFlags> flags,
                          const TaskRows& file, std::span<const DeletionRecord> live_records,
                          bool edits_only = false);

}  // namespace vemo
