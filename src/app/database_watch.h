// Noticing that the database changed on disk (a sync client replaced it with
// another PC's version): what the store remembers of a file, the reads that
// compare against it, and the tick's look at it, which runs off the window's
// thread so that a slow or dead network drive never holds the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/deletion_records.h"
#include "app/task_record.h"
#include "app/task_rows.h"
#include "runtime/win32.h"

namespace vemo {

// A file as the store last read or wrote it.
struct FileStamp {
    bool present = false;
    std::uint64_t size = 0;
    std::uint64_t time = 0;  // last write, 100 ns since 1601 (UTC)
    std::uint64_t id = 0;    // volume and file index; 0 when not known
    // Taken at least two seconds after the file's last write: two saves in
    // one second (two on a FAT drive) may keep size and time, so a stamp
    // taken sooner is looked at again.
    bool settled = false;
    // Size and time, which the attributes give without opening the file.
    bool SameAttributes(const FileStamp& other) const {
        return present == other.present && size == other.size && time == other.time;
    }
    // And the file ID, when both know it: a file replaced by another of the
    // same size in the same second.
    bool SameFile(const FileStamp& other) const {
        return SameAttributes(other) && (id == 0 || other.id == 0 || id == other.id);
    }
};

inline constexpr std::uint64_t kUnsettledTime = 2 * 10'000'000ull;

// The file's size and time, opening nothing.
FileStamp QueryStamp(const std::string& path);
// The same and the file's ID, from the file opened with full sharing: the
// stamp of a file this PC has just written.
FileStamp OpenedStamp(const std::string& path);

// A read of the database, with full sharing (read, write, delete) so its
// writers never wait, in chunks.
struct DatabaseRead {
    enum class Status {
        Unchanged,  // the file is the one remembered: nothing read
        Read,
        Missing,
        NotYet,  // locked, unreadable, or (when whole files only) shorter than its header promises
    } status = Status::NotYet;
    TaskRows rows;
    RecordBuffer buffer{};  // the last record read (the header for no rows)
    FileStamp stamp;
    std::uint64_t hash = 0;  // ListHash of the rows
};
// Reads `path` unless the open file is `remembered` (settled, same size,
// time and ID). A file shorter than its header promises is NotYet when
// `whole_only`, else read as far as its whole records go.
DatabaseRead ReadDatabaseFile(const std::string& path, const FileStamp* remembered,
                              bool whole_only);

// A file's bytes read whole with full sharing, so that its writers never
// wait: "" for a missing one, none when it cannot be read (locked, larger
// than `largest`, a read error).
std::optional<std::string> ReadWholeShared(const std::string& path, std::uint64_t largest);

// A records file is a few lines per deleted task; more is not ours.
inline constexpr std::uint64_t kLargestRecordsFile = 16u << 20;

// The records files beside the database: every PC's, and a stamp of their
// names, sizes and times that changes when any of them does.
std::uint64_t QueryRecordsStamp(const std::string& database_path);
struct RecordsRead {
    std::vector<OwnedRecords> files;
    std::uint64_t stamp = 0;
    // Every file was read: one that could not be (a sync client holding it)
    // is read again next time.
    bool complete = true;
};
RecordsRead ReadRecordsFiles(const std::string& database_path);

// The tick's look, one at a time, answered by posting `message` to `window`.
struct NoticeQuery {
    std::string path;
    FileStamp stamp;  // remembered
    std::uint64_t records_stamp = 0;
    std::uint64_t generation = 0;  // answers to an older question are dropped
};
struct Notice {
    NoticeQuery query;
    DatabaseRead read;  // Unchanged, Read or NotYet
    std::vector<OwnedRecords> records;
    std::uint64_t records_stamp = 0;
};
// False while the last question is still out.
bool AskForNotice(HWND window, UINT message, NoticeQuery query);
std::optional<Notice> TakeNotice();

}  // namespace vemo
