// The task database file's one door: every read and write of it passes
// here, and no other code opens it. Each way in keeps the open mode it has
// always had: the start opens it with "a" (a missing file is created), the
// command line reads it with full sharing and never creates it, saves
// replace it whole through the crash-safe write.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/deletion_records.h"
#include "app/task_record.h"
#include "app/task_rows.h"

namespace vemo {

// The start: the settings' database opened with mode "a" and its rows read
// into `rows`, the record buffer ending as the last record read left it.
// False, with `rows` untouched, when the file cannot be created, opened or
// read whole: a part of a list is no list.
bool LoadDatabase(TaskRows& rows, RecordBuffer& buffer);
// The first `count` rows written over the database, crash-safe. False, the
// old file kept and the platform's last error saying why, when not written.
bool SaveDatabase(const TaskRows& rows, int count, RecordBuffer& buffer);

// The start's copies: "vemo.bak" in the current folder (false when it could
// not be made; true when there is no database yet), then the day's dated
// copy in "backups\" beside the database, one a day, the newest 14 kept;
// that one is quiet, a failure leaves only a trace.
bool BackUpDatabase();
// Clear All's copy in "backups\", named for the date and second and never
// over an earlier one: the rows as the list shows them, edits not yet saved
// included. False, with the platform's last error saying why, when not made.
bool KeepClearAllCopy(const TaskRows& rows, int count, const RecordBuffer& buffer);
// The temporary file a crashed save may have left beside the database.
void RemoveLeftoverDatabaseSave();

// The command line, with no window: the rows of the settings' database, read
// with full sharing (a running Vemo must still be able to save) and never
// created; a missing file is an empty database. None when it cannot be read.
std::optional<std::vector<TaskRow>> ReadDatabaseRows();
// /add with no Vemo running: the row `make` builds from the count of rows
// already there goes after them, and the file is written back crash-safe.
struct AppendResult {
    enum class Status { Added, Unreadable, Unsaved } status = Status::Added;
    TaskRow row;
    std::vector<TaskRow> rows;  // as written
    RecordBuffer buffer{};
};
AppendResult AppendToDatabase(const std::function<TaskRow(std::size_t rows_before)>& make);

// Beside a database other PCs write too, this PC's own files.
// Its deletion records, "<database>.<COMPUTER>-<user>.del": as on disk now
// (empty when there is none; none when it cannot be read, and then it must
// not be written over), and written crash-safe.
std::optional<RecordsFile> ReadOwnRecords();
bool WriteOwnRecords(const RecordsFile& file);
// The list this PC last wrote, "<database>.<COMPUTER>-<user>.last": what
// the next start merges into the file, in case a writer that does not merge
// dropped a task of it. None when there is none, or it is older than
// `max_days` (its deletions' records are gone by then).
bool WriteLastList(const TaskRows& rows, const RecordBuffer& buffer);
std::optional<TaskRows> ReadLastList(std::int64_t max_days);
// Before a merge is written: the file as found and this PC's list before
// the merge in "backups", the newest 14 pairs of this computer kept. Quiet:
// a failure leaves only a trace.
void KeepMergeBackups(const TaskRows& found, const TaskRows& here);

// The database's path, as the settings give it.
const std::string& DatabasePath();
// Whether `path` names the database file (however it is spelled): nothing
// but the store writes there.
bool IsDatabaseFile(const std::string& path);

}  // namespace vemo
