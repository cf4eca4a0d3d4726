// The database file: fixed 1036-byte records, a header record whose count
// field gives the number of rows, then one record per row. Portable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

inline constexpr std::size_t TaskRecordSize = 1036;
using RecordBuffer = std::array<std::uint8_t, TaskRecordSize>;

// Field offsets and widths; each text field ends with a zero byte inside it,
// so a field of width w holds at most w - 1 characters.
namespace record_field {
inline constexpr std::size_t kTime = 0, kTimeWidth = 256;
inline constexpr std::size_t kStateCode = 256;
inline constexpr std::size_t kPriority = 260;
inline constexpr std::size_t kCount = 264;
inline constexpr std::size_t kRemindDate = 268, kRemindDateWidth = 255;
inline constexpr std::size_t kCreated = 523, kCreatedWidth = 255;
inline constexpr std::size_t kText = 778, kTextWidth = 258;
}  // namespace record_field

// The longest task text a record holds.
inline constexpr std::size_t kTaskTextCapacity = record_field::kTextWidth - 1;

// One row as the six list columns hold it.
struct TaskRow {
    std::string text;
    std::string priority;  // " 5"
    std::string created;   // "06-02-2004"
    std::string remind_date;
    std::string time;
    std::string state;  // " 0" ... " 6"

    bool operator==(const TaskRow&) const = default;
};

// The one builder of a new row (Add, the import, /add, another process's
// request, Clear All's default row): the text cut at the record's capacity,
// the state " 6" every new row starts with.
TaskRow MakeTaskRow(std::string_view text, std::string priority, std::string_view created,
                    std::string_view remind_date, std::string_view time);

// A row's six texts, borrowed: what a save reads out of the columns.
struct TaskRowView {
    std::string_view text, priority, created, remind_date, time, state;
};
inline TaskRowView ViewOf(const TaskRow& row) {
    return {row.text, row.priority, row.created, row.remind_date, row.time, row.state};
}

// Fills the buffer from the row: numbers rounded halves-to-even, a state code
// of 1 stored as 2, texts cut at their fields. Bytes after each text's zero
// keep what the buffer held, as only the text before it counts.
void EncodeTaskRecord(const TaskRowView& row, RecordBuffer& buffer);
void EncodeTaskRecord(const TaskRow& row, RecordBuffer& buffer);
TaskRow DecodeTaskRecord(const RecordBuffer& buffer);
// The same row borrowed from a record's bytes (TaskRecordSize of them); the
// two numbers' texts are made in `priority` and `state`.
TaskRowView DecodeTaskRecord(const std::uint8_t* record, std::string& priority, std::string& state);

std::int32_t RecordCount(const RecordBuffer& buffer);
void SetRecordCount(RecordBuffer& buffer, std::int32_t count);

// The whole file: header, then the rows. `buffer` is the shared record buffer:
// it passes through every row, and the header repeats its other bytes.
std::string EncodeDatabase(const std::vector<TaskRow>& rows, RecordBuffer& buffer);

// How many rows a file of `file_size` bytes with this header holds: the
// header's count, but no more than the complete records present, and all of
// them for a count below zero.
std::size_t RowsToLoad(const RecordBuffer& header, std::uint64_t file_size);

// The rows of a file image. A count below zero, or larger than the complete
// records present, loads the records present. `buffer` ends holding the last
// record read (the header for an empty list).
std::vector<TaskRow> DecodeDatabase(std::string_view file, RecordBuffer& buffer);

}  // namespace vemo
