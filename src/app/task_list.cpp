#include "app/task_list.h"

#include "app/ids.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

constexpr int kColumnsInDeleteOrder[] = {ids::TextColumn,       ids::CreatedColumn,
                                         ids::PriorityColumn,   ids::RemindDateColumn,
                                         ids::TimeColumn,       ids::StateColumn};

std::string Item(int column, int index) { return GetItemText(MainWindow(), column, index); }

}  // namespace

TaskRow ReadRow(int index) {
    return {Item(ids::TextColumn, index),       Item(ids::PriorityColumn, index),
            Item(ids::CreatedColumn, index),    Item(ids::RemindDateColumn, index),
            Item(ids::TimeColumn, index),       Item(ids::StateColumn, index)};
}

std::vector<TaskRow> ReadAllRows() {
    std::vector<TaskRow> rows;
    const int count = TaskList().RowCount;
    rows.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i) rows.push_back(ReadRow(i));
    return rows;
}

void AppendRow(const TaskRow& row) {
    DialogDefinition& window = MainWindow();
    AddItem(window, ids::TextColumn, row.text);
    AddItem(window, ids::CreatedColumn, row.created);
    AddItem(window, ids::PriorityColumn, row.priority);
    AddItem(window, ids::TimeColumn, row.time);
    AddItem(window, ids::RemindDateColumn, row.remind_date);
    AddItem(window, ids::StateColumn, row.state);
}

void DeleteRow(int index) {
    for (int column : kColumnsInDeleteOrder) DeleteItem(MainWindow(), column, index);
}

void ClearColumns() {
    for (int column : kColumnsInDeleteOrder) {
        if (HWND list = GetDlgItem(MainWindow().window, column)) {
            SendMessageA(list, LB_RESETCONTENT, 0, 0);
        }
    }
}

void LoadTaskList(const FileHandle& database) {
    TaskListState& list = TaskList();
    const std::vector<TaskRow> rows = DecodeDatabase(ReadWholeFile(database), list.Buffer);
    list.RowCount = static_cast<int>(rows.size());
    // One redraw for the whole load, not one per item.
    SendMessageA(MainWindow().window, WM_SETREDRAW, FALSE, 0);
    for (const TaskRow& row : rows) {
        AppendRow(row);
        if (TextToNumber(row.state) == 1) ++list.TodayCount;
    }
    SendMessageA(MainWindow().window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(MainWindow().window, nullptr, TRUE);
    SetControlText(MainWindow(), ids::MessageLine,
                   "Number of entries in the list: " + NumberText(list.RowCount));
}

void SaveData() {
    TaskListState& list = TaskList();
    const std::string bytes = EncodeDatabase(ReadAllRows(), list.Buffer);
    if (!ReplaceFileAtomically(SettingsOf().Values.database_path, bytes)) {
        ShowMessage(&MainWindow(), "Problem saving data", "Error...SaveData...", 0);
    }
    SaveSettings();
}

void SaveAndReload() {
    SaveData();
    TaskList().TodayCount = 0;
    Program().ReloadFlag = 1;
    Program().RunFlag = 0;
}

}  // namespace vemo
