// The task list: the rows in memory (the one copy the program reads) and the
// six list columns of the main window that show them. Only this model writes
// the columns; the columns' selections stay the list boxes' own, as the user
// makes them.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "app/task_rows.h"
#include "runtime/list_box.h"
#include "runtime/win32.h"

namespace vemo {

// The list box of a window that shows a field. The window names its own
// (mainwin/ids.h); the model fills them in the order given.
struct TaskColumn {
    TaskField field;
    int id;
};
using TaskColumns = std::array<TaskColumn, kTaskFieldCount>;

class TaskModel {
  public:
    // The list boxes of `window` become the view of the rows, looked up once,
    // and keep one top row whatever scrolls one of them. The rows live as
    // long as their view: detaching (null) empties them.
    void Attach(HWND window, const TaskColumns& columns = {});
    HWND Window() const { return window_; }

    const TaskRows& Rows() const { return rows_; }
    int Count() const { return rows_.Count(); }
    std::string_view Cell(int row, TaskField field) const { return rows_.Cell(row, field); }
    TaskRow Row(int row) const { return rows_.Row(row); }

    // Every change goes to the rows and their view together; an index
    // outside the rows changes neither.
    void Append(const TaskRow& row);
    // Before `row`, or after the last when `row` is past the end.
    void Insert(int row, const TaskRow& task);
    void Delete(int row);
    // Rewrites one cell in place: its item is deleted and inserted again,
    // which drops a selection on it, as the columns always have.
    void ReplaceCell(TaskField field, int row, std::string_view text);
    // Many cells of one column, with its drawing held until all are in.
    void ReplaceCells(TaskField field, std::span<const CellWrite> writes);
    // All rows at once (a load, the sort): each column refilled under its own
    // redraw guard.
    void Replace(TaskRows rows);
    void Clear();

    // The view's own selections.
    int Selection(TaskField field) const { return Box(field).Selection(); }
    void Select(TaskField field, int row) const { Box(field).Select(row); }
    // Selects the row in each of the columns, in the order given.
    void SelectIn(int row, std::initializer_list<TaskField> fields) const;
    bool IsSelected(TaskField field, int row) const { return Box(field).IsSelected(row); }
    // The text column's first visible row, and every column scrolled to one.
    int TopRow() const { return Box(TaskField::Text).TopIndex(); }
    void ScrollTo(int row) const;

  private:
    ListBoxView Box(TaskField field) const { return boxes_[static_cast<std::size_t>(field)]; }
    void Fill();
    HWND window_ = nullptr;
    TaskColumns columns_{};
    ListBoxView boxes_[kTaskFieldCount];  // by TaskField
    TaskRows rows_;
};

TaskModel& Tasks();

}  // namespace vemo
