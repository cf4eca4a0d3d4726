#include "app/task_rows.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace vemo {

namespace {

// A cell longer than this is no text a column can show; the list boxes and
// the record fields hold far less.
constexpr std::size_t kLongestCell = std::numeric_limits<std::uint16_t>::max();

std::string_view Bounded(std::string_view text) {
    return text.substr(0, std::min(text.size(), kLongestCell));
}

}  // namespace

namespace {

// The field's member, in a row or in a borrowed row alike.
template <class Row>
auto& Member(Row& row, TaskField field) {
    switch (field) {
        case TaskField::Text: return row.text;
        case TaskField::Created: return row.created;
        case TaskField::Priority: return row.priority;
        case TaskField::Time: return row.time;
        case TaskField::RemindDate: return row.remind_date;
        case TaskField::State: break;
    }
    return row.state;
}

}  // namespace

std::string_view FieldOf(const TaskRowView& row, TaskField field) {
    return Member(row, field);
}

std::string_view& FieldOf(TaskRowView& row, TaskField field) {
    return Member(row, field);
}

std::string& FieldOf(TaskRow& row, TaskField field) {
    return Member(row, field);
}

std::string_view TaskRows::Cell(int row, TaskField field) const {
    if (!Has(row)) return {};
    const Cells& cells = cells_[static_cast<std::size_t>(row)];
    const auto k = static_cast<std::size_t>(field);
    return {texts_.data() + cells.offset[k], cells.length[k]};
}

const char* TaskRows::CellText(int row, TaskField field) const {
    if (!Has(row)) return "";
    const Cells& cells = cells_[static_cast<std::size_t>(row)];
    return texts_.data() + cells.offset[static_cast<std::size_t>(field)];
}

TaskRowView TaskRows::View(int row) const {
    if (!Has(row)) return {};
    // Every tick and every save asks this of every row: one lookup of the row.
    const Cells& cells = cells_[static_cast<std::size_t>(row)];
    const char* const texts = texts_.data();
    const auto cell = [&cells, texts](TaskField field) {
        const auto k = static_cast<std::size_t>(field);
        return std::string_view(texts + cells.offset[k], cells.length[k]);
    };
    TaskRowView view;
    view.text = cell(TaskField::Text);
    view.created = cell(TaskField::Created);
    view.priority = cell(TaskField::Priority);
    view.time = cell(TaskField::Time);
    view.remind_date = cell(TaskField::RemindDate);
    view.state = cell(TaskField::State);
    return view;
}

TaskRow TaskRows::Row(int row) const {
    TaskRow copy;
    for (const TaskField field : kTaskFields) FieldOf(copy, field) = std::string(Cell(row, field));
    return copy;
}

std::uint32_t TaskRows::Store(std::string_view text) {
    const auto offset = static_cast<std::uint32_t>(texts_.size());
    texts_.append(text);
    texts_.push_back('\0');
    return offset;
}

void TaskRows::Append(const TaskRowView& row) {
    // A row borrowed from these very rows is copied first: the buffer may
    // move while its texts go in.
    const char* const begin = texts_.data();
    const char* const end = begin + texts_.size();
    const std::less<const char*> before;
    for (const TaskField field : kTaskFields) {
        const std::string_view text = FieldOf(row, field);
        if (!text.empty() && !before(text.data(), begin) && before(text.data(), end)) {
            TaskRow copy;
            for (const TaskField each : kTaskFields) FieldOf(copy, each) = FieldOf(row, each);
            Append(copy);
            return;
        }
    }
    Cells cells;
    for (std::size_t k = 0; k < kTaskFieldCount; ++k) {
        const std::string_view text = Bounded(FieldOf(row, kTaskFields[k]));
        cells.offset[k] = Store(text);
        cells.length[k] = static_cast<std::uint16_t>(text.size());
    }
    cells_.push_back(cells);
}

void TaskRows::Append(const TaskRow& row) {
    Append(ViewOf(row));
}

void TaskRows::Insert(int row, const TaskRow& row_texts) {
    Append(row_texts);
    if (row >= 0 && row < Count() - 1)
        std::rotate(cells_.begin() + row, cells_.end() - 1, cells_.end());
}

void TaskRows::Erase(int row) {
    if (!Has(row)) return;
    const auto at = cells_.begin() + row;
    for (const std::uint16_t length : at->length) garbage_ += length + 1u;
    cells_.erase(at);
    DropGarbage();
}

void TaskRows::Set(int row, TaskField field, std::string_view text) {
    if (!Has(row)) return;
    const std::string copy(Bounded(text));
    Cells& cells = cells_[static_cast<std::size_t>(row)];
    const auto k = static_cast<std::size_t>(field);
    garbage_ += cells.length[k] + 1u;
    cells.offset[k] = Store(copy);
    cells.length[k] = static_cast<std::uint16_t>(copy.size());
    DropGarbage();
}

void TaskRows::Clear() {
    cells_.clear();
    texts_.clear();
    garbage_ = 0;
}

void TaskRows::Reserve(std::size_t rows, std::size_t text_bytes) {
    cells_.reserve(rows);
    texts_.reserve(text_bytes);
}

// The state codes change every few ticks: once half the buffer is texts no
// cell uses, the rest is packed again.
void TaskRows::DropGarbage() {
    if (garbage_ < 4096 || garbage_ * 2 < texts_.size()) return;
    std::string packed;
    packed.reserve(texts_.size() - garbage_);
    for (Cells& cells : cells_) {
        for (std::size_t k = 0; k < kTaskFieldCount; ++k) {
            const auto offset = static_cast<std::uint32_t>(packed.size());
            packed.append(texts_, cells.offset[k], cells.length[k] + 1u);
            cells.offset[k] = offset;
        }
    }
    texts_ = std::move(packed);
    garbage_ = 0;
}

}  // namespace vemo
