// The task rows in memory: the one copy of the six texts of every row that
// the program reads. All texts of all rows sit in one buffer, each row keeping
// where its six cells start and how long they are, so a large list costs
// little more than its characters. Portable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/task_record.h"

namespace vemo {

// The six columns, in the order rows are loaded and appended.
enum class TaskField : std::uint8_t { Text, Created, Priority, Time, RemindDate, State };
inline constexpr std::size_t kTaskFieldCount = 6;
inline constexpr std::array<TaskField, kTaskFieldCount> kTaskFields = {
    TaskField::Text, TaskField::Created,    TaskField::Priority,
    TaskField::Time, TaskField::RemindDate, TaskField::State};

std::string_view FieldOf(const TaskRowView& row, TaskField field);
std::string_view& FieldOf(TaskRowView& row, TaskField field);
std::string& FieldOf(TaskRow& row, TaskField field);

// One cell to rewrite, for changes made many at a time (the state codes a
// tick decides).
struct CellWrite {
    int row = 0;
    std::string_view text;
    bool operator==(const CellWrite&) const = default;
};

class TaskRows {
  public:
    int Count() const { return static_cast<int>(cells_.size()); }
    bool Has(int row) const { return row >= 0 && row < Count(); }

    // Valid until the next change of the rows. Each cell is followed by a
    // zero byte, so CellText hands it to the platform without a copy.
    std::string_view Cell(int row, TaskField field) const;
    const char* CellText(int row, TaskField field) const;
    TaskRowView View(int row) const;
    TaskRow Row(int row) const;
    // The chosen columns of every row, borrowed like Cell.
    template <std::size_t N>
    std::vector<std::array<std::string_view, N>> Snapshot(
        const std::array<TaskField, N>& fields) const {
        std::vector<std::array<std::string_view, N>> snapshot(cells_.size());
        for (std::size_t row = 0; row < cells_.size(); ++row) {
            for (std::size_t k = 0; k < N; ++k) {
                const auto field = static_cast<std::size_t>(fields[k]);
                snapshot[row][k] = {texts_.data() + cells_[row].offset[field],
                                    cells_[row].length[field]};
            }
        }
        return snapshot;
    }

    void Append(const TaskRowView& row);
    void Append(const TaskRow& row);
    // Before `row`; past the end, after the last.
    void Insert(int row, const TaskRow& row_texts);
    // Indexes outside the rows change nothing.
    void Erase(int row);
    void Set(int row, TaskField field, std::string_view text);
    void Clear();
    void Reserve(std::size_t rows, std::size_t text_bytes);
    // What the texts take, their zeros included: room for a copy.
    std::size_t TextBytes() const { return texts_.size(); }

  private:
    struct Cells {
        std::array<std::uint32_t, kTaskFieldCount> offset{};
        std::array<std::uint16_t, kTaskFieldCount> length{};
    };
    std::uint32_t Store(std::string_view text);
    void DropGarbage();

    std::vector<Cells> cells_;
    std::string texts_;
    std::size_t garbage_ = 0;  // bytes of texts_ no cell points at any more
};

}  // namespace vemo
