#include "app/task_sync.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/database_watch.h"
#include "app/dates.h"
#include "app/deletion_records.h"
#include "app/message_line.h"
#include "app/state.h"
#include "app/task_commands.h"
#include "app/task_history.h"
#include "app/task_merge.h"
#include "app/task_model.h"
#include "app/task_store.h"
#include "runtime/atomic_file.h"
#include "runtime/paths.h"
#include "runtime/shell.h"
#include "runtime/text.h"

namespace vemo {

namespace {

// Why Ctrl+Z has nothing to take back after a reload or merge.
constexpr char kMergedWhy[] = "since another PC's changes came in";

bool Holds(const std::vector<TaskIdentity>& tasks, const TaskIdentity& task) {
    return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
}

void Note(std::vector<TaskIdentity>& tasks, TaskIdentity task) {
    if (!Holds(tasks, task)) tasks.push_back(std::move(task));
}

// The edits made here since the last write of the database.
struct LocalEdits {
    // The tasks whose priority or inactive mark changed here, and those made
    // here: a few, looked through in order.
    std::vector<TaskIdentity> priority, inactive, created;
    std::vector<RecordEntry> records;  // numbered when written
    std::vector<CancelEntry> cancels;
    bool Any() const {
        return !priority.empty() || !inactive.empty() || !created.empty() || !records.empty() ||
               !cancels.empty();
    }
};

struct Replica {
    std::string path;  // the database all this is of
    FileStamp stamp;   // the file as last read or written
    std::uint64_t hash = 0;
    std::uint64_t records_stamp = 0;
    std::vector<OwnedRecords> records;  // every PC's, as last read
    // Bumped at each read or write here: a tick's answer to an older
    // question is about a file this PC has since replaced.
    std::uint64_t generation = 0;
    std::int64_t last_contact = 0;  // the day of the last read or write
    int quiet_ticks = 0;
    // The list is a merge the file does not hold yet; kept for the copies
    // made before it is written: the file as found and the list before.
    bool merge_waiting = false;
    TaskRows found;
    TaskRows before;
    std::optional<std::uint64_t> last_merge_write;
    LocalEdits edits;
};

Replica& State() {
    static Replica replica;
    return replica;
}

std::int64_t Today() {
    const SYSTEMTIME now = CurrentLocalTime();
    return DaysFromCivil(now.wYear, now.wMonth, now.wDay);
}

int CopiesOf(const TaskRowView& task) {
    const TaskRows& rows = Tasks().Rows();
    int copies = 0;
    for (int row = 0; row < rows.Count(); ++row) copies += SameTask(rows.View(row), task) ? 1 : 0;
    return copies;
}

// Every PC's records as last read, with this PC's cancellations not yet
// written.
std::vector<OwnedRecords> RecordsNow() {
    const Replica& replica = State();
    std::vector<OwnedRecords> files = replica.records;
    files.push_back({ThisPcName(), RecordsFile{1, {}, replica.edits.cancels}});
    return files;
}

// Every PC's live records, with this PC's edits not yet written acting as
// records too.
std::vector<DeletionRecord> LiveRecordsNow() {
    const Replica& replica = State();
    std::vector<DeletionRecord> live = LiveRecords(RecordsNow());
    for (const RecordEntry& record : replica.edits.records) {
        live.push_back({record.task, record.remaining});
    }
    return live;
}

// The list here merged with the file's rows.
MergedList MergeWithFile(const TaskRows& file) {
    const Replica& replica = State();
    const LocalEdits& edits = replica.edits;
    const TaskRows& rows = Tasks().Rows();
    std::vector<LocalFlags> flags;
    if (edits.Any()) {
        flags.resize(static_cast<std::size_t>(rows.Count()));
        for (int i = 0; i < rows.Count(); ++i) {
            const TaskIdentity task = IdentityOf(rows.View(i));
            LocalFlags& f = flags[static_cast<std::size_t>(i)];
            f.priority_changed = Holds(edits.priority, task);
            f.inactive_changed = Holds(edits.inactive, task);
            f.created = Holds(edits.created, task);
        }
    }
    const bool away = Today() - replica.last_contact > kRecordDays;
    return MergeTaskLists(rows, flags, file, LiveRecordsNow(), away);
}

// Where a row stands: its task and which copy of it.
struct Place {
    TaskRow task;
    int copy = 0;
};

std::optional<Place> PlaceOf(const TaskRows& rows, int row) {
    if (!rows.Has(row)) return std::nullopt;
    Place place{rows.Row(row)};
    for (int before = 0; before < row; ++before) {
        place.copy += SameTask(rows.View(before), rows.View(row)) ? 1 : 0;
    }
    return place;
}

int RowOf(const TaskRows& rows, const std::optional<Place>& place) {
    if (!place) return -1;
    int copy = 0;
    for (int row = 0; row < rows.Count(); ++row) {
        if (SameTask(rows.View(row), ViewOf(place->task)) && copy++ == place->copy) return row;
    }
    return -1;
}

// The list shows `rows`; the top row, the selections and the chosen row
// stay on their tasks where those still exist, and are cleared where not.
// True when that ended the user's undo steps, which named rows of the list
// as it was; a save's merge keeps the step that save writes when it names
// its task.
bool ShowKeepingPlaces(TaskRows rows, bool saving = false) {
    TaskModel& tasks = Tasks();
    const std::optional<Place> top = PlaceOf(tasks.Rows(), tasks.TopRow());
    const std::optional<Place> chosen = PlaceOf(tasks.Rows(), ChosenRow());
    std::optional<Place> selected[kTaskFieldCount];
    for (std::size_t f = 0; f < kTaskFieldCount; ++f) {
        selected[f] = PlaceOf(tasks.Rows(), tasks.Selection(static_cast<TaskField>(f)));
    }
    tasks.Replace(std::move(rows));
    TaskList().RowsReplaced = true;
    for (std::size_t f = 0; f < kTaskFieldCount; ++f) {
        const int row = RowOf(tasks.Rows(), selected[f]);
        if (row >= 0) tasks.Select(static_cast<TaskField>(f), row);
    }
    const int chosen_row = RowOf(tasks.Rows(), chosen);
    if (chosen_row >= 0) {
        ChooseRow(chosen_row);
    } else {
        EndRowChoice();
    }
    const int top_row = RowOf(tasks.Rows(), top);
    if (top_row > 0) tasks.ScrollTo(top_row);
    return History().Restart(kMergedWhy, saving);
}

// The list and the file are one again (just loaded or written): no merge
// waits, the contact is today, and a tick's answer to an older question is
// dropped.
void FileInHand() {
    Replica& replica = State();
    replica.merge_waiting = false;
    replica.found = {};
    replica.before = {};
    replica.last_contact = Today();
    replica.quiet_ticks = 0;
    ++replica.generation;
}

// Every PC's records as they are now.
void ReadRecordsNow() {
    Replica& replica = State();
    RecordsRead read = ReadRecordsFiles(replica.path);
    replica.records = std::move(read.files);
    // A file that could not be read is read again at the next look.
    replica.records_stamp = read.complete ? read.stamp : 0;
}

// After each write of the database, this PC's records file: the records
// and cancellations of its edits added (numbered; its own records a
// cancellation names taken out), its old ones dropped. Failed when it could
// not be read or written: the edits stay, as records in this PC's merges,
// until a later write gets them there.
enum class Recorded { AsItWas, Written, Failed };
Recorded WriteRecordsOfEdits() {
    Replica& replica = State();
    const LocalEdits& edits = replica.edits;
    std::optional<RecordsFile> own = ReadOwnRecords();
    if (!own) return Recorded::Failed;
    const RecordsFile before = *own;
    for (RecordEntry record : edits.records) {
        record.number = own->next++;
        own->records.push_back(std::move(record));
    }
    ApplyCancels(*own, ThisPcName(), edits.cancels);
    DropOldRecords(*own, Today(), replica.records);
    if (*own == before) return Recorded::AsItWas;
    if (WriteOwnRecords(*own)) return Recorded::Written;
    TraceSaveFailure("Deletion records", GetLastError());
    return Recorded::Failed;
}

// After a write of the database: what it now is, this PC's records and its
// last list beside it, and no edit left unsaved.
void AfterWrite(const RecordBuffer& buffer) {
    Replica& replica = State();
    const TaskRows& rows = Tasks().Rows();
    replica.stamp = OpenedStamp(replica.path);
    replica.hash = ListHash(rows);
    const Recorded recorded = WriteRecordsOfEdits();
    if (!WriteLastList(rows, buffer)) TraceSaveFailure("Last list", GetLastError());
    // The records were read just before the write: again only when this PC's
    // changed.
    if (recorded == Recorded::Written) ReadRecordsNow();
    LocalEdits& edits = replica.edits;
    edits.priority.clear();
    edits.inactive.clear();
    edits.created.clear();
    if (recorded != Recorded::Failed) {
        edits.records.clear();
        edits.cancels.clear();
    }
    FileInHand();
}

// A merge now shown and not yet written.
void HoldMerge(TaskRows found) {
    Replica& replica = State();
    if (!replica.merge_waiting) replica.before = Tasks().Rows();
    replica.merge_waiting = true;
    replica.found = std::move(found);
}

}  // namespace

void ShowChanges(const NoticeOutcome& outcome) {
    std::string message;
    if (outcome.kind == NoticeOutcome::Kind::Reloaded) {
        message = kReloadedMessage;
    } else if (outcome.kind == NoticeOutcome::Kind::Merged) {
        message = "Merged: " + std::to_string(outcome.changed) + " tasks changed on another PC";
    } else if (outcome.history_dropped) {
        message = "Another PC's changes came in";
    }
    if (outcome.history_dropped) message += kHistoryDroppedNote;
    if (!message.empty()) Message().Show(message);
}

void ShowChanges(const SharedSave& save) {
    NoticeOutcome outcome;
    if (save.merged > 0) outcome.kind = NoticeOutcome::Kind::Merged;
    outcome.changed = save.merged;
    outcome.history_dropped = save.history_dropped;
    ShowChanges(outcome);
}

void NoteTaskCreated(const TaskRowView& row) {
    Replica& replica = State();
    LocalEdits& edits = replica.edits;
    const TaskIdentity task = IdentityOf(row);
    const auto copies = static_cast<std::size_t>(CopiesOf(row));
    Note(edits.created, task);
    // An edit undone: the record that would take this task away again goes.
    std::erase_if(edits.records, [&](const RecordEntry& record) {
        return record.task == task && record.remaining < copies;
    });
    for (CancelEntry& cancel : CancelsFor(task, copies, RecordsNow(), Today())) {
        edits.cancels.push_back(std::move(cancel));
    }
}

void NoteTasksCreated(const TaskRows& rows) {
    LocalEdits& edits = State().edits;
    // Every task of the list hashed and sorted: the copies each keeps.
    const TaskRows& list = Tasks().Rows();
    CreatedCopies shown;
    shown.reserve(static_cast<std::size_t>(list.Count()));
    for (int row = 0; row < list.Count(); ++row)
        shown.emplace_back(IdentityHash(list.View(row)), 0);
    std::sort(shown.begin(), shown.end());
    CreatedCopies created;
    const auto known = static_cast<std::ptrdiff_t>(edits.created.size());
    for (int row = 0; row < rows.Count(); ++row) {
        const std::uint64_t hash = IdentityHash(rows.View(row));
        auto first = std::lower_bound(shown.begin(), shown.end(), std::pair(hash, std::size_t{0}));
        std::size_t copies = 0;
        for (; first != shown.end() && first->first == hash; ++first) ++copies;
        created.emplace_back(hash, copies);
        TaskIdentity task = IdentityOf(rows.View(row));
        const auto end = edits.created.begin() + known;
        if (std::find(edits.created.begin(), end, task) == end)
            edits.created.push_back(std::move(task));
    }
    std::sort(created.begin(), created.end());
    // Edits undone: the records that would take these tasks away again go.
    std::erase_if(edits.records, [&](const RecordEntry& record) {
        return record.remaining < CopiesIn(created, IdentityHash(record.task));
    });
    for (CancelEntry& cancel : CancelsFor(created, RecordsNow(), Today())) {
        edits.cancels.push_back(std::move(cancel));
    }
}

void NoteTaskRemoved(const TaskRowView& row) {
    RecordEntry record;
    record.day = Today();
    record.remaining = static_cast<std::size_t>(CopiesOf(row));
    record.task = IdentityOf(row);
    State().edits.records.push_back(std::move(record));
}

void NoteAttributeChanged(const TaskRowView& row, bool priority) {
    LocalEdits& edits = State().edits;
    Note(priority ? edits.priority : edits.inactive, IdentityOf(row));
}

bool HaveUnsavedEdits() {
    return State().edits.Any();
}

bool RememberLoadedRows(TaskRows& rows) {
    Replica& replica = State();
    const std::string path = DatabasePath();
    const FileStamp loaded = OpenedStamp(path);
    // The file this PC last wrote (a Refresh) holds its last list already.
    const bool written_here =
        SameFileName(replica.path, path) && replica.stamp.present && replica.stamp.SameFile(loaded);
    if (!SameFileName(replica.path, path)) replica.last_merge_write.reset();
    replica.path = path;
    // Looked at again by the first tick: a writer may have been busy.
    replica.stamp = loaded;
    replica.stamp.settled = false;
    replica.hash = ListHash(rows);
    ReadRecordsNow();
    replica.edits = {};
    FileInHand();
    if (written_here) return false;
    // A writer that does not merge may have dropped a task this PC saved.
    const std::optional<TaskRows> last = ReadLastList(kRecordDays);
    if (!last || ListHash(*last) == replica.hash) return false;
    MergedList merged = MergeTaskLists(*last, {}, rows, LiveRecordsNow());
    if (merged.equals_file) return false;
    rows = std::move(merged.rows);
    return true;
}

SharedSave SaveSharedRows(RecordBuffer& buffer) {
    Replica& replica = State();
    SharedSave result;
    if (!SameFileName(replica.path, DatabasePath())) {
        replica.path = DatabasePath();
        replica.stamp = {};
        replica.hash = 0;
        replica.last_merge_write.reset();
    }
    // The records as they are now; changed, they are merged in even when
    // the database is the one last read or written.
    const std::uint64_t records_before = replica.records_stamp;
    ReadRecordsNow();
    const bool records_changed = replica.records_stamp != records_before;
    // The file as it is now, unless it is the one last read or written; a
    // short one as far as its whole records go.
    DatabaseRead found =
        ReadDatabaseFile(replica.path, records_changed ? nullptr : &replica.stamp, false);
    if (found.status == DatabaseRead::Status::Read &&
        (found.hash != replica.hash || records_changed)) {
        replica.stamp = found.stamp;
        replica.hash = found.hash;
        MergedList merged = MergeWithFile(found.rows);
        const bool list_changes = ListHash(merged.rows) != ListHash(Tasks().Rows());
        if (list_changes || !merged.equals_file) HoldMerge(std::move(found.rows));
        if (list_changes) {
            result.history_dropped = ShowKeepingPlaces(std::move(merged.rows), true);
            result.merged = merged.changed;
        }
    }
    if (replica.merge_waiting) KeepMergeBackups(replica.found, replica.before);
    const TaskModel& tasks = Tasks();
    result.saved = SaveDatabase(tasks.Rows(), tasks.Count(), buffer);
    if (result.saved) AfterWrite(buffer);
    return result;
}

AppendResult AddToSharedDatabase(const std::function<TaskRow(std::size_t rows_before)>& make) {
    // This PC's last list, before the write replaces it: the tasks it saved
    // that a writer which does not merge may have dropped stay in it.
    const std::optional<TaskRows> last = ReadLastList(kRecordDays);
    AppendResult added = AppendToDatabase(make);
    if (added.status != AppendResult::Status::Added) return added;
    // As any write: the records the new task cancels, and this PC's last list.
    const TaskRowView task = ViewOf(added.row);
    TaskRows written;
    for (const TaskRow& row : added.rows) written.Append(row);
    std::size_t copies = 0;
    for (int row = 0; row < written.Count(); ++row) copies += SameTask(written.View(row), task);
    const RecordsRead records = ReadRecordsFiles(DatabasePath());
    const std::vector<CancelEntry> cancels =
        CancelsFor(IdentityOf(added.row), copies, records.files, Today());
    std::optional<RecordsFile> own = ReadOwnRecords();
    if (!cancels.empty() && own) {
        ApplyCancels(*own, ThisPcName(), cancels);
        DropOldRecords(*own, Today(), records.files);
        if (!WriteOwnRecords(*own)) TraceSaveFailure("Deletion records", GetLastError());
    }
    std::vector<OwnedRecords> files = records.files;
    files.push_back({ThisPcName(), RecordsFile{1, {}, cancels}});
    if (last) written = MergeTaskLists(*last, {}, written, LiveRecords(files)).rows;
    if (!WriteLastList(written, added.buffer)) TraceSaveFailure("Last list", GetLastError());
    return added;
}

bool WriteMergeNow(RecordBuffer& buffer) {
    const bool saved = SaveSharedRows(buffer).saved;
    if (saved) State().last_merge_write = TaskSetHash(Tasks().Rows());
    return saved;
}

void AskAboutDatabase(HWND window, UINT message) {
    const Replica& replica = State();
    if (replica.path.empty()) return;
    AskForNotice(window, message,
                 {replica.path, replica.stamp, replica.records_stamp, replica.generation});
}

NoticeOutcome TakeDatabaseNotice() {
    Replica& replica = State();
    NoticeOutcome outcome;
    std::optional<Notice> notice = TakeNotice();
    if (!notice || notice->query.generation != replica.generation ||
        !SameFileName(notice->query.path, replica.path)) {
        return outcome;
    }
    DatabaseRead& read = notice->read;
    // A merge shown and not written goes to the file once nothing here is
    // unsaved and the files have been quiet for two ticks, unless it is
    // what this PC last wrote for a merge: two PCs never write back and forth.
    const auto quiet = [&] {
        ++replica.quiet_ticks;
        outcome.write_now = replica.merge_waiting && replica.quiet_ticks >= 2 &&
                            !HaveUnsavedEdits() &&
                            replica.last_merge_write != TaskSetHash(Tasks().Rows());
        return outcome;
    };
    if (read.status == DatabaseRead::Status::Unchanged) {
        replica.last_contact = Today();  // the file is still the one last read
        return quiet();
    }
    // Missing, locked, half written: not yet, never an empty or short list.
    if (read.status != DatabaseRead::Status::Read) {
        replica.quiet_ticks = 0;
        return outcome;
    }
    const bool records_changed = notice->records_stamp != replica.records_stamp;
    replica.records = std::move(notice->records);
    replica.records_stamp = notice->records_stamp;
    const bool file_changed = read.hash != replica.hash;
    replica.stamp = read.stamp;
    replica.hash = read.hash;
    if (file_changed || records_changed) replica.quiet_ticks = 0;
    if (!file_changed && !records_changed) {  // touched, or looked at again
        replica.last_contact = Today();
        return quiet();
    }

    const std::uint64_t shown = ListHash(Tasks().Rows());
    // Merged as a PC away, when it has been: before the contact is noted.
    MergedList merged = MergeWithFile(read.rows);
    replica.last_contact = Today();
    if (merged.equals_file) {
        // The file holds everything here: shown as it is, in its order.
        replica.merge_waiting = false;
        replica.found = {};
        replica.before = {};
        LocalEdits& edits = replica.edits;
        edits.priority.clear();
        edits.inactive.clear();
        edits.created.clear();
        if (shown == read.hash) return outcome;
        outcome.history_dropped = ShowKeepingPlaces(std::move(read.rows));
        TaskList().Buffer = read.buffer;
        outcome.kind = NoticeOutcome::Kind::Reloaded;
        return outcome;
    }
    HoldMerge(std::move(read.rows));
    if (ListHash(merged.rows) != shown) {
        outcome.history_dropped = ShowKeepingPlaces(std::move(merged.rows));
    }
    if (merged.changed > 0) {
        outcome.kind = NoticeOutcome::Kind::Merged;
        outcome.changed = merged.changed;
    }
    return outcome;
}

}  // namespace vemo
