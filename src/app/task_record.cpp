#include "app/task_record.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "runtime/text.h"

namespace vemo {

namespace {

using namespace record_field;

void PutText(RecordBuffer& buffer, std::size_t offset, std::size_t width, std::string_view text) {
    const std::string_view kept = text.substr(0, std::min(text.size(), width - 1));
    std::memcpy(buffer.data() + offset, kept.data(), kept.size());
    buffer[offset + kept.size()] = 0;
}

void PutInt(RecordBuffer& buffer, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) buffer[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetInt(const RecordBuffer& buffer, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(buffer[offset + i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

}  // namespace

void EncodeTaskRecord(const TaskRow& row, RecordBuffer& buffer) {
    EncodeTaskRecord(
        TaskRowView{row.text, row.priority, row.created, row.remind_date, row.time, row.state},
        buffer);
}

void EncodeTaskRecord(const TaskRowView& row, RecordBuffer& buffer) {
    double state = TextToNumber(row.state);
    if (state == 1) state = 2;  // a row alarmed today is stored as a passed reminder
    PutInt(buffer, kStateCode, RoundTo<std::int32_t>(state));
    PutInt(buffer, kPriority, RoundTo<std::int32_t>(TextToNumber(row.priority)));
    PutText(buffer, kTime, kTimeWidth, row.time);
    PutText(buffer, kRemindDate, kRemindDateWidth, row.remind_date);
    PutText(buffer, kCreated, kCreatedWidth, row.created);
    PutText(buffer, kText, kTextWidth, row.text);
}

TaskRow DecodeTaskRecord(const RecordBuffer& buffer) {
    std::string priority, state;
    const TaskRowView view = DecodeTaskRecord(buffer.data(), priority, state);
    return {std::string(view.text),        std::move(priority),    std::string(view.created),
            std::string(view.remind_date), std::string(view.time), std::move(state)};
}

TaskRowView DecodeTaskRecord(const std::uint8_t* record, std::string& priority,
                             std::string& state) {
    // The texts the columns hold: a record's text field holds a whole task
    // text, the others are cut at a text's capacity.
    auto text = [record](std::size_t offset, std::size_t width, std::size_t capacity) {
        const auto* first = reinterpret_cast<const char*>(record + offset);
        const auto* end = static_cast<const char*>(std::memchr(first, 0, width));
        const std::size_t length =
            end != nullptr ? static_cast<std::size_t>(end - first) : width - 1;
        return std::string_view(first, std::min(length, capacity));
    };
    auto number = [record](std::size_t offset) {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= static_cast<std::uint32_t>(record[offset + i]) << (8 * i);
        return static_cast<std::int32_t>(bits);
    };
    priority = NumberText(number(kPriority));
    state = NumberText(number(kStateCode));
    TaskRowView row;
    row.text = text(kText, kTextWidth, kTextWidth - 1);
    row.created = text(kCreated, kCreatedWidth, kTextCapacity);
    row.priority = priority;
    row.time = text(kTime, kTimeWidth, kTextCapacity);
    row.remind_date = text(kRemindDate, kRemindDateWidth, kTextCapacity);
    row.state = state;
    return row;
}

std::int32_t RecordCount(const RecordBuffer& buffer) {
    return GetInt(buffer, kCount);
}

void SetRecordCount(RecordBuffer& buffer, std::int32_t count) {
    PutInt(buffer, kCount, count);
}

std::string EncodeDatabase(const std::vector<TaskRow>& rows, RecordBuffer& buffer) {
    std::string file((rows.size() + 1) * TaskRecordSize, '\0');
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EncodeTaskRecord(rows[i], buffer);
        std::memcpy(file.data() + (i + 1) * TaskRecordSize, buffer.data(), TaskRecordSize);
    }
    SetRecordCount(buffer, static_cast<std::int32_t>(rows.size()));
    std::memcpy(file.data(), buffer.data(), TaskRecordSize);
    return file;
}

std::size_t RowsToLoad(const RecordBuffer& header, std::uint64_t file_size) {
    if (file_size < TaskRecordSize) return 0;
    const std::int32_t count = RecordCount(header);
    const std::uint64_t present = file_size / TaskRecordSize - 1;
    // A negative count is as damaged as one past the end: the tasks are all
    // still there, and loading none would save an empty list over them.
    const std::uint64_t wanted = count < 0 ? present : std::min<std::uint64_t>(count, present);
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(wanted, std::numeric_limits<std::size_t>::max()));
}

std::vector<TaskRow> DecodeDatabase(std::string_view file, RecordBuffer& buffer) {
    std::vector<TaskRow> rows;
    if (file.size() < TaskRecordSize) return rows;  // a new or empty file: no rows
    std::memcpy(buffer.data(), file.data(), TaskRecordSize);
    const std::size_t wanted = RowsToLoad(buffer, file.size());
    rows.reserve(wanted);
    for (std::size_t i = 0; i < wanted; ++i) {
        std::memcpy(buffer.data(), file.data() + (i + 1) * TaskRecordSize, TaskRecordSize);
        rows.push_back(DecodeTaskRecord(buffer));
    }
    return rows;
}

TaskRow MakeTaskRow(std::string_view text, std::string priority, std::string_view created,
                    std::string_view remind_date, std::string_view time) {
    TaskRow row;
    row.text = CutText(text, kTaskTextCapacity);
    row.priority = std::move(priority);
    row.created = std::string(created);
    row.remind_date = std::string(remind_date);
    row.time = std::string(time);
    row.state = " 6";
    return row;
}

}  // namespace vemo
