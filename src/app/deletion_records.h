// A PC's deletion records: the file "<database name>.<COMPUTER>-<user>.del"
// beside a shared database, which only that PC writes. Each record says the
// PC deleted, cleared, sent to the log or changed a task, and how many
// copies of it it left; each cancellation says a record (of any PC) no
// longer counts, because the user created that task here again. The merge
// removes what the live records remove, and nothing else. Portable.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/task_merge.h"

namespace vemo {

// Records and cancellations older than this, by the owner's clock, are
// dropped by the owner at its next write.
inline constexpr std::int64_t kRecordDays = 30;

struct RecordEntry {
    std::uint32_t number = 0;
    std::int64_t day = 0;  // days since 1970-01-01 by the owner's clock
    std::size_t remaining = 0;
    TaskIdentity task;
    bool operator==(const RecordEntry&) const = default;
};

struct CancelEntry {
    std::string owner;  // "<COMPUTER>-<user>", as in the records file's name
    std::uint32_t number = 0;
    std::int64_t day = 0;
    bool operator==(const CancelEntry&) const = default;
};

struct RecordsFile {
    std::uint32_t next = 1;  // numbers are never given twice
    std::vector<RecordEntry> records;
    std::vector<CancelEntry> cancels;
    bool operator==(const RecordsFile&) const = default;
};

// One PC's file, named by its owner.
struct OwnedRecords {
    std::string owner;
    RecordsFile file;
};

std::string EncodeRecords(const RecordsFile& file);
// Any bytes: a line that is not a whole record or cancellation is skipped;
// texts are cut at their record fields.
RecordsFile DecodeRecords(std::string_view bytes);

// The owner of "<database name>.<owner>.del", or "" when `file_name` is no
// records file of that database (compared as Windows compares names).
std::string RecordsOwnerOf(std::string_view file_name, std::string_view database_name);
// "<database name>.<owner>.del".
std::string RecordsFileName(std::string_view database_name, std::string_view owner);

// Every record of every PC that no PC's cancellation names.
std::vector<DeletionRecord> LiveRecords(std::span<const OwnedRecords> files);
// The cancellations a task created here makes, with `copies` of it in the
// list: one for each live record of it that would leave fewer.
std::vector<CancelEntry> CancelsFor(const TaskIdentity& task, std::size_t copies,
                                    std::span<const OwnedRecords> files, std::int64_t today);
// The same for many tasks created at once: each task's IdentityHash with
// its copies in the list, sorted; what a task not there has is 0.
using CreatedCopies = std::vector<std::pair<std::uint64_t, std::size_t>>;
std::size_t CopiesIn(const CreatedCopies& created, std::uint64_t hash);
std::vector<CancelEntry> CancelsFor(const CreatedCopies& created,
                                    std::span<const OwnedRecords> files, std::int64_t today);
// The owner's file after its cancellations: its own records named go, the
// others' are kept as cancellations.
void ApplyCancels(RecordsFile& own, std::string_view owner, std::span<const CancelEntry> cancels);
// The owner's own housekeeping at each write: its records older than
// kRecordDays before `today` go; a cancellation that old goes once the
// record it names is in none of `files` (every PC's, as last read), since
// its owner may keep it longer.
void DropOldRecords(RecordsFile& file, std::int64_t today, std::span<const OwnedRecords> files);

}  // namespace vemo
