// This PC's list as one replica of a database other PCs write too (a synced
// folder): the edits made here since the last write, the merge before every
// write, and the tick's notice of a file changed on disk, shown as a reload
// or a merge. A task that no PC deleted is never lost: a row missing from
// one side is kept, and only deletion records remove a task.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "app/task_record.h"
#include "app/task_rows.h"
#include "app/task_store.h"
#include "runtime/win32.h"

namespace vemo {

// What the user did here, told by the task commands after the list changed.
// A task created here (Add, Change selected, the date or time Change, the
// import, another process's /add) that a live record would remove cancels
// that record.
void NoteTaskCreated(const TaskRowView& row);
// The same for many rows at once (a Clear All undone), with the list's
// copies counted and the records looked through once.
void NoteTasksCreated(const TaskRows& rows);
// Deleted, cleared, sent to the log or changed (the old version): a record
// of how many copies the list keeps, written after the next write.
void NoteTaskRemoved(const TaskRowView& row);
// "+" or "-" (priority) or "+/-" (the inactive mark): that attribute of the
// task follows this PC's row in merges until the next write.
void NoteAttributeChanged(const TaskRowView& row, bool priority);
inline void NoteTaskCreated(const TaskRow& row) {
    NoteTaskCreated(ViewOf(row));
}
inline void NoteTaskRemoved(const TaskRow& row) {
    NoteTaskRemoved(ViewOf(row));
}
// Edits here that no write holds yet.
bool HaveUnsavedEdits();

// The rows the load read, as the store read them, remembered; at the first
// load of a database in this process, this PC's last list is merged in.
// True when that merge added to the file: the list should be written.
bool RememberLoadedRows(TaskRows& rows);

// The save: the file as it is now merged into the list first (when it
// changed since it was last read or written), then the list written.
struct SharedSave {
    bool saved = false;
    // Tasks the merge before it changed in the list.
    std::size_t merged = 0;
    // The merge changed the list and so ended the user's undo steps.
    bool history_dropped = false;
};
SharedSave SaveSharedRows(RecordBuffer& buffer);

// /add with no Vemo running: the task appended to the file as found, then
// its records and this PC's last list written as any write writes them.
AppendResult AddToSharedDatabase(const std::function<TaskRow(std::size_t rows_before)>& make);

// The tick asks; the answer comes to `window` as `message`.
void AskAboutDatabase(HWND window, UINT message);
struct NoticeOutcome {
    enum class Kind { None, Reloaded, Merged } kind = Kind::None;
    std::size_t changed = 0;
    // The merged list may be written now: nothing unsaved here, the files
    // quiet for two ticks, and the list not this PC's last merge write.
    bool write_now = false;
    // The list shown changed, ending the user's undo steps.
    bool history_dropped = false;
};
// The message line after a reload or a merge of another PC's changes
// ("Reloaded: changed on another PC", "Merged: N tasks changed on another
// PC"); when it ended the user's undo steps, the note follows. Nothing is
// shown when there is nothing to say.
inline constexpr char kReloadedMessage[] = "Reloaded: changed on another PC";
inline constexpr char kHistoryDroppedNote[] = " - undo starts again";
void ShowChanges(const NoticeOutcome& outcome);
// After a save's merge.
void ShowChanges(const SharedSave& save);
NoticeOutcome TakeDatabaseNotice();
// A merge written at once is kept in "backups\" with the file as found.
bool WriteMergeNow(RecordBuffer& buffer);

}  // namespace vemo
