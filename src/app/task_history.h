// The user's changes to the list, kept so that Ctrl+Z takes them back and
// Ctrl+Y makes them again. Each step is an operation on tasks (the row it
// added or removed, the cell it rewrote, the sort's order, the rows Clear
// All cleared), not a copy of the list, so the tasks that arrive from
// outside in between (the import, /add) and the tick's state codes are kept
// through an undo. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/task_record.h"
#include "app/task_rows.h"

namespace vemo {

enum class StepKind : std::uint8_t { Insert, Remove, Rewrite, Reorder, ClearAll };

struct TaskStep {
    StepKind kind = StepKind::Insert;
    // The command, as the message line names it ("Delete", "Sort", ...).
    const char* name = "";
    // The command saved at once: so does its undo and its redo.
    bool saves = false;
    // Insert, Remove, Rewrite: where the row was or went.
    int row = 0;
    // Rewrite: the cell, and its text before.
    TaskField field = TaskField::Text;
    std::string before;
    // Insert, Remove: the row; Rewrite: the row after; Clear All: the one
    // default row it left.
    TaskRow task;
    // Clear All: the rows it cleared, in their order.
    TaskRows rows;
    // Sort: for each row after it, the row it was before.
    std::vector<int> order;

    // What the step keeps in memory, near enough.
    std::size_t Bytes() const;
};

// The newest steps that fit in 1 MB are kept (the newest always): some
// thousands of steps on one row each, fewer of Sort and Clear All on a long
// list.
inline constexpr std::size_t kHistoryBytes = std::size_t{1} << 20;

class TaskHistory {
  public:
    // A step the user has just made: the steps undone before it are gone.
    void Record(TaskStep step);
    // The step Ctrl+Z would take back, and the one Ctrl+Y would make again;
    // null when there is none.
    const TaskStep* ToUndo() const;
    const TaskStep* ToRedo() const;
    void Undone();
    void Redone();
    // The list was loaded or merged again: the steps no longer fit its rows.
    // `why` ends "Nothing to undo" until the next step (when steps were
    // dropped now or by an earlier start since); true when steps were
    // dropped. A merge made by the save of the user's newest step keeps
    // that step when it names its task (Add, Delete, Send to log), which a
    // merge leaves in the list.
    bool Restart(const char* why, bool keep_newest_task = false);
    const char* WhyEmpty() const { return why_; }
    // Counts every step made, undone or redone and every start: the entry
    // fields' own undo ends when it moves.
    std::uint64_t Generation() const { return generation_; }

    std::size_t Steps() const { return steps_.size(); }
    std::size_t Bytes() const { return bytes_; }

  private:
    std::vector<TaskStep> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
    std::size_t bytes_ = 0;
    const char* why_ = nullptr;
    std::uint64_t generation_ = 0;
};

TaskHistory& History();

}  // namespace vemo
