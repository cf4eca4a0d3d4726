#include "app/task_list.h"

#include "app/ids.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

constexpr int kColumnsInDeleteOrder[] = {ids::TextColumn,     ids::CreatedColumn,
                                         ids::PriorityColumn, ids::RemindDateColumn,
                                         ids::TimeColumn,     ids::StateColumn};

std::string Item(int column, int index) {
    return GetItemText(MainWindow(), column, index);
}

// Loading and saving touch every item of every column: they address the six
// list boxes once and talk to them directly, not through a class check per item.
struct ColumnHandles {
    HWND text, priority, created, remind_date, time, state;
};

ColumnHandles Columns() {
    HWND window = MainWindow().window;
    return {GetDlgItem(window, ids::TextColumn),    GetDlgItem(window, ids::PriorityColumn),
            GetDlgItem(window, ids::CreatedColumn), GetDlgItem(window, ids::RemindDateColumn),
            GetDlgItem(window, ids::TimeColumn),    GetDlgItem(window, ids::StateColumn)};
}

std::string ListText(HWND list, int index, std::string& scratch) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    scratch.assign(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(scratch.data()));
    return copied > 0 ? scratch.substr(0, static_cast<std::size_t>(copied)) : std::string();
}

void AddText(HWND list, const std::string& text) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

TaskRow ReadRow(int index) {
    return {Item(ids::TextColumn, index),    Item(ids::PriorityColumn, index),
            Item(ids::CreatedColumn, index), Item(ids::RemindDateColumn, index),
            Item(ids::TimeColumn, index),    Item(ids::StateColumn, index)};
}

std::vector<TaskRow> ReadAllRows() {
    std::vector<TaskRow> rows;
    const int count = TaskList().RowCount;
    if (MainWindow().window == nullptr || count <= 0) return rows;
    const ColumnHandles columns = Columns();
    std::string scratch;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back({ListText(columns.text, i, scratch), ListText(columns.priority, i, scratch),
                        ListText(columns.created, i, scratch),
                        ListText(columns.remind_date, i, scratch),
                        ListText(columns.time, i, scratch), ListText(columns.state, i, scratch)});
    }
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

void ReplaceCell(int column, int index, const std::string& text) {
    DeleteItem(MainWindow(), column, index);
    InsertItem(MainWindow(), column, index, text);
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
    const ColumnHandles columns = Columns();
    const HWND all[] = {columns.text, columns.priority,    columns.created,
                        columns.time, columns.remind_date, columns.state};
    for (HWND column : all) {
        // Room for every item at once, and one redraw at the end, not one per item.
        SendMessageA(column, LB_INITSTORAGE, rows.size(), rows.size() * 16);
        SendMessageA(column, WM_SETREDRAW, FALSE, 0);
    }
    for (const TaskRow& row : rows) {
        AddText(columns.text, row.text);
        AddText(columns.created, row.created);
        AddText(columns.priority, row.priority);
        AddText(columns.time, row.time);
        AddText(columns.remind_date, row.remind_date);
        AddText(columns.state, row.state);
        if (TextToNumber(row.state) == 1) ++list.TodayCount;
    }
    for (HWND column : all) {
        SendMessageA(column, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(column, nullptr, TRUE);
    }
    SetControlText(MainWindow(), ids::MessageLine,
                   "Number of entries in the list: " + NumberText(list.RowCount));
}

bool SaveData() {
    TaskListState& list = TaskList();
    const std::string bytes = EncodeDatabase(ReadAllRows(), list.Buffer);
    const bool saved = ReplaceFileAtomically(SettingsOf().Values.database_path, bytes);
    if (!saved) ShowMessage(&MainWindow(), "Problem saving data", "Error...SaveData...", 0);
    SaveSettings();
    return saved;
}

void SaveAndReload() {
    SaveData();
    TaskList().TodayCount = 0;
    Program().ReloadFlag = 1;
    Program().RunFlag = 0;
}

}  // namespace vemo
