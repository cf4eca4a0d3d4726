#include "app/task_model.h"

#include <utility>

#include "runtime/scroll_together.h"

namespace vemo {

namespace {

// Rows are deleted text first and created second, the order the delete
// command has always used.
constexpr TaskField kDeleteOrder[] = {TaskField::Text,     TaskField::Created,
                                      TaskField::Priority, TaskField::RemindDate,
                                      TaskField::Time,     TaskField::State};

}  // namespace

void TaskModel::Attach(HWND window, const TaskColumns& columns) {
    window_ = window;
    if (window != nullptr) columns_ = columns;
    for (const TaskColumn& column : columns_) {
        boxes_[static_cast<std::size_t>(column.field)] =
            ListBoxView(window != nullptr ? GetDlgItem(window, column.id) : nullptr);
    }
    if (window == nullptr) {
        rows_.Clear();
        return;
    }
    HWND boxes[kTaskFieldCount] = {};
    for (std::size_t k = 0; k < kTaskFieldCount; ++k) boxes[k] = boxes_[k].get();
    ScrollTogether(boxes);
}

void TaskModel::Append(const TaskRow& row) {
    rows_.Append(row);
    const int index = rows_.Count() - 1;
    for (const TaskColumn& column : columns_) {
        Box(column.field).Add(rows_.CellText(index, column.field));
    }
}

void TaskModel::Insert(int row, const TaskRow& task) {
    if (!rows_.Has(row)) {
        Append(task);
        return;
    }
    rows_.Insert(row, task);
    for (const TaskColumn& column : columns_) {
        Box(column.field).Insert(row, rows_.CellText(row, column.field));
    }
}

void TaskModel::Delete(int row) {
    if (!rows_.Has(row)) return;
    rows_.Erase(row);
    for (const TaskField field : kDeleteOrder) Box(field).Delete(row);
}

void TaskModel::ReplaceCell(TaskField field, int row, std::string_view text) {
    if (!rows_.Has(row)) return;
    rows_.Set(row, field, text);
    const ListBoxView box = Box(field);
    box.Delete(row);
    box.Insert(row, rows_.CellText(row, field));
}

void TaskModel::ReplaceCells(TaskField field, std::span<const CellWrite> writes) {
    if (writes.empty()) return;
    const ListBoxView box = Box(field);
    const ScopedRedraw quiet(box.get());
    for (const CellWrite& write : writes) {
        if (!rows_.Has(write.row)) continue;
        rows_.Set(write.row, field, write.text);
        box.Delete(write.row);
        box.Insert(write.row, rows_.CellText(write.row, field));
    }
}

void TaskModel::Replace(TaskRows rows) {
    rows_ = std::move(rows);
    Fill();
}

void TaskModel::Clear() {
    rows_.Clear();
    for (const TaskField field : kDeleteOrder) Box(field).Reset();
}

void TaskModel::ScrollTo(int row) const {
    for (const ListBoxView& box : boxes_) box.SetTopIndex(row);
}

void TaskModel::SelectIn(int row, std::initializer_list<TaskField> fields) const {
    for (const TaskField field : fields) Select(field, row);
}

// Column by column: the list boxes fill fastest, and smallest, one at a time;
// each has room for every item at once and is drawn once.
void TaskModel::Fill() {
    const auto count = static_cast<std::size_t>(rows_.Count());
    for (const TaskColumn& column : columns_) {
        const ListBoxView box = Box(column.field);
        const ScopedRedraw quiet(box.get());
        box.Reset();
        box.Reserve(count, count * 16);
        for (int row = 0; row < rows_.Count(); ++row) box.Add(rows_.CellText(row, column.field));
    }
}

TaskModel& Tasks() {
    static TaskModel model;
    return model;
}

}  // namespace vemo
