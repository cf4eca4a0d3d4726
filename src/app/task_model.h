// The task list: the rows in memory (the one copy the program reads) and the
// six list columns of the main window that show them. Only this model writes
// the columns; the columns' selections stay the list boxes' own, as the user
// makes them.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "app/task_rows.h"
#include "runtime/list_box.h"
#include "runtime/win32.h"

namespace vemo {

namespace ids {
// The six list columns of the main window, aligned by index.
inline constexpr int TextColumn = 1;
inline constexpr int PriorityColumn = 9;
inline constexpr int CreatedColumn = 11;
inline constexpr int RemindDateColumn = 20;
inline constexpr int TimeColumn = 39;
inline constexpr int StateColumn = 46;
}  // namespace ids

// The one column table: the list box that shows each field.
struct TaskColumn {
    TaskField field;
    int id;
};
inline constexpr TaskColumn kTaskColumns[kTaskFieldCount] = {
    {TaskField::Text, ids::TextColumn},
    {TaskField::Created, ids::CreatedColumn},
    {TaskField::Priority, ids::PriorityColumn},
    {TaskField::Time, ids::TimeColumn},
    {TaskField::RemindDate, ids::RemindDateColumn},
    {TaskField::State, ids::StateColumn}};
int ColumnId(TaskField field);

class TaskModel {
  public:
    // The list boxes of `window` become the view of the rows, looked up once.
    // The rows live as long as their view: detaching (null) empties them.
    void Attach(HWND window);
    HWND Window() const { return window_; }

    const TaskRows& Rows() const { return rows_; }
    int Count() const { return rows_.Count(); }
    std::string_view Cell(int row, TaskField field) const { return rows_.Cell(row, field); }
    TaskRow Row(int row) const { return rows_.Row(row); }

    // Every change goes to the rows and their view together; an index
    // outside the rows changes neither.
    void Append(const TaskRow& row);
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

  private:
    ListBoxView Box(TaskField field) const { return boxes_[static_cast<std::size_t>(field)]; }
    void Fill();
    HWND window_ = nullptr;
    ListBoxView boxes_[kTaskFieldCount];  // by TaskField
    TaskRows rows_;
};

TaskModel& Tasks();

}  // namespace vemo
