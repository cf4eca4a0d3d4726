#include "app/task_list.h"

#include "app/ids.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/list_box.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

// The six columns and the field of a row each shows, in the order rows are
// loaded and appended.
struct Column {
    int id;
    std::string TaskRow::*field;
};
constexpr Column kColumns[] = {
    {ids::TextColumn, &TaskRow::text},
    {ids::CreatedColumn, &TaskRow::created},
    {ids::PriorityColumn, &TaskRow::priority},
    {ids::TimeColumn, &TaskRow::time},
    {ids::RemindDateColumn, &TaskRow::remind_date},
    {ids::StateColumn, &TaskRow::state},
};

// Rows are deleted text first and created second, the order the delete
// command has always used.
constexpr int kColumnsInDeleteOrder[] = {ids::TextColumn,     ids::CreatedColumn,
                                         ids::PriorityColumn, ids::RemindDateColumn,
                                         ids::TimeColumn,     ids::StateColumn};

ListBoxView ColumnBox(int id) {
    return ListBoxView(MainWindow().window != nullptr ? GetDlgItem(MainWindow().window, id)
                                                      : nullptr);
}

}  // namespace

TaskRow ReadRow(int index) {
    TaskRow row;
    std::string buffer;
    for (const Column& column : kColumns) {
        row.*column.field = ColumnBox(column.id).TextOf(index, buffer);
    }
    return row;
}

std::vector<TaskRow> ReadAllRows() {
    std::vector<TaskRow> rows;
    const int count = TaskList().RowCount;
    if (MainWindow().window == nullptr || count <= 0) return rows;
    rows.resize(static_cast<std::size_t>(count));
    std::string buffer;
    // Column by column: each list box is looked up once, not once per item.
    for (const Column& column : kColumns) {
        const ListBoxView box = ColumnBox(column.id);
        for (int i = 0; i < count; ++i) {
            rows[static_cast<std::size_t>(i)].*column.field = box.TextOf(i, buffer);
        }
    }
    return rows;
}

void AppendRow(const TaskRow& row) {
    for (const Column& column : kColumns) ColumnBox(column.id).Add(row.*column.field);
}

void DeleteRow(int index) {
    for (int column : kColumnsInDeleteOrder) ColumnBox(column).Delete(index);
}

void ReplaceCell(int column, int index, const std::string& text) {
    const ListBoxView box = ColumnBox(column);
    box.Delete(index);
    box.Insert(index, text);
}

void SelectRowInColumns(int index, std::initializer_list<int> columns) {
    for (int column : columns) ColumnBox(column).Select(index);
}

void ClearColumns() {
    for (int column : kColumnsInDeleteOrder) ColumnBox(column).Reset();
}

bool LoadTaskList(const FileHandle& database) {
    TaskListState& list = TaskList();
    std::string bytes;
    if (!ReadWholeFile(database, bytes)) return false;
    const std::vector<TaskRow> rows = DecodeDatabase(bytes, list.Buffer);
    list.RowCount = static_cast<int>(rows.size());
    for (const Column& column : kColumns) {
        const ListBoxView box = ColumnBox(column.id);
        // Room for every item at once, and one repaint at the end, not one per item.
        box.Reserve(rows.size(), rows.size() * 16);
        const ScopedRedraw quiet(box.get());
        for (const TaskRow& row : rows) box.Add(row.*column.field);
    }
    for (const TaskRow& row : rows) {
        if (TextToNumber(row.state) == 1) ++list.TodayCount;
    }
    SetControlText(MainWindow(), ids::MessageLine,
                   "Number of entries in the list: " + NumberText(list.RowCount));
    return true;
}

bool SaveData(SaveReport report) {
    TaskListState& list = TaskList();
    // The rows live in the window: with it closed there are none to write,
    // and the file keeps the ones it has.
    bool saved = true;
    if (MainWindow().window != nullptr) {
        const std::string bytes = EncodeDatabase(ReadAllRows(), list.Buffer);
        saved = ReplaceFileAtomically(SettingsOf().Values.database_path, bytes);
        if (saved) Program().ExitSaveFailed = false;
        if (!saved) {
            TraceSaveFailure("SaveData", GetLastError());
            if (report == SaveReport::Show) {
                ShowMessage(&MainWindow(), "Problem saving data", "Error...SaveData...", 0);
            }
        }
    }
    SaveSettings();
    return saved;
}

bool SaveBeforeLeaving() {
    ProgramState& program = Program();
    if (SaveData() || program.ExitSaveFailed) {
        program.ExitSaveFailed = false;
        return true;
    }
    // The rows are not on disk: stay on them, so the user can make the file
    // writable or copy the tasks. Asking again right after goes on.
    program.ExitSaveFailed = true;
    return false;
}

void SaveAndReload() {
    if (!SaveBeforeLeaving()) return;
    TaskList().TodayCount = 0;
    Program().ReloadFlag = 1;
    Program().RunFlag = 0;
}

}  // namespace vemo
