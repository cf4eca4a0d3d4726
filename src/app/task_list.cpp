#include "app/task_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

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
    std::string_view TaskRowView::*view;  // the same field, borrowed
};
constexpr Column kColumns[] = {
    {ids::TextColumn, &TaskRow::text, &TaskRowView::text},
    {ids::CreatedColumn, &TaskRow::created, &TaskRowView::created},
    {ids::PriorityColumn, &TaskRow::priority, &TaskRowView::priority},
    {ids::TimeColumn, &TaskRow::time, &TaskRowView::time},
    {ids::RemindDateColumn, &TaskRow::remind_date, &TaskRowView::remind_date},
    {ids::StateColumn, &TaskRow::state, &TaskRowView::state},
};
constexpr std::size_t kColumnCount = std::size(kColumns);

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

int ChosenRow() {
    const TaskListState& list = TaskList();
    if (list.RowSelected != 1 || list.SelectedRow < 0 || list.SelectedRow >= list.RowCount) {
        return -1;
    }
    return list.SelectedRow;
}

namespace {

// Rows go to and from the file this many at a time: a large database is
// never held whole in memory, whose fresh pages cost more than the reading.
constexpr std::size_t kChunkRows = 64;

// The database's bytes, written from the columns a chunk of records at a
// time; the header, which repeats the last record's bytes with the count,
// goes in last.
bool WriteDatabase(ContentWriter& out, RecordBuffer& buffer, int count) {
    const std::string empty_header(TaskRecordSize, '\0');
    if (!out.Write(empty_header)) return false;
    struct Cell {
        std::size_t offset, length;
    };
    ListBoxView boxes[kColumnCount];  // looked up once: each lookup asks the window manager
    for (std::size_t k = 0; k < kColumnCount; ++k) boxes[k] = ColumnBox(kColumns[k].id);
    std::vector<Cell> cells(kChunkRows * kColumnCount);
    std::string texts;
    std::string chunk;
    chunk.reserve(kChunkRows * TaskRecordSize);
    for (int first = 0; first < count; first += static_cast<int>(kChunkRows)) {
        const int rows = std::min(static_cast<int>(kChunkRows), count - first);
        // Column by column, as the list boxes answer fastest.
        texts.clear();
        for (std::size_t k = 0; k < kColumnCount; ++k) {
            for (int r = 0; r < rows; ++r) {
                const std::size_t offset = texts.size();
                cells[static_cast<std::size_t>(r) * kColumnCount + k] = {
                    offset, boxes[k].AppendText(first + r, texts)};
            }
        }
        chunk.clear();
        for (int r = 0; r < rows; ++r) {
            TaskRowView row;
            for (std::size_t k = 0; k < kColumnCount; ++k) {
                const Cell& cell = cells[static_cast<std::size_t>(r) * kColumnCount + k];
                row.*kColumns[k].view = std::string_view(texts).substr(cell.offset, cell.length);
            }
            EncodeTaskRecord(row, buffer);
            chunk.append(reinterpret_cast<const char*>(buffer.data()), TaskRecordSize);
        }
        if (!out.Write(chunk)) return false;
    }
    SetRecordCount(buffer, count);
    return out.WriteAt(
        0, std::string_view(reinterpret_cast<const char*>(buffer.data()), TaskRecordSize));
}

}  // namespace

bool LoadTaskList(const FileHandle& database) {
    TaskListState& list = TaskList();
    // More than 2 GB is no database this program wrote.
    const long long size = FileSize(database);
    if (size < 0 || size > 0x7FFFFFFF) return false;
    std::size_t count = 0;
    if (size >= static_cast<long long>(TaskRecordSize)) {
        if (!ReadExactly(database, 0, list.Buffer)) return false;
        count = RowsToLoad(list.Buffer, static_cast<std::uint64_t>(size));
    }
    std::vector<TaskRow> rows;
    rows.reserve(count);
    std::vector<std::uint8_t> chunk(kChunkRows * TaskRecordSize);
    for (std::size_t first = 0; first < count; first += kChunkRows) {
        const std::size_t n = std::min(kChunkRows, count - first);
        const auto at = static_cast<long long>((first + 1) * TaskRecordSize);
        // A part of the list is no list: nothing loads.
        if (!ReadExactly(database, at, std::span(chunk.data(), n * TaskRecordSize))) return false;
        for (std::size_t r = 0; r < n; ++r) {
            std::memcpy(list.Buffer.data(), chunk.data() + r * TaskRecordSize, TaskRecordSize);
            rows.push_back(DecodeTaskRecord(list.Buffer));
        }
    }
    // Column by column: the list boxes fill fastest, and smallest, one at a
    // time; each has room for every item at once and is drawn once.
    for (const Column& column : kColumns) {
        const ListBoxView box = ColumnBox(column.id);
        box.Reserve(rows.size(), rows.size() * 16);
        const ScopedRedraw quiet(box.get());
        for (const TaskRow& row : rows) box.Add(row.*column.field);
    }
    for (const TaskRow& row : rows) {
        if (TextToNumber(row.state) == 1) ++list.TodayCount;
    }
    list.RowCount = static_cast<int>(count);
    list.RowSelected = 0;  // a choice made among other rows
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
        const int count = std::max(list.RowCount, 0);
        const RecordBuffer start = list.Buffer;
        saved = ReplaceFileAtomically(SettingsOf().Values.database_path,
                                      [&list, &start, count](ContentWriter& out) {
                                          list.Buffer = start;  // each run writes the same bytes
                                          return WriteDatabase(out, list.Buffer, count);
                                      });
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

bool SaveBeforeLeaving(Leaving leaving) {
    ProgramState& program = Program();
    const bool asked_again = std::exchange(program.ExitSaveFailed, false);
    if (SaveData()) return true;
    // The rows are not on disk: stay on them, so the user can make the file
    // writable or copy the tasks. Only ending the program, asked for again
    // right after, lets them go; a reload or a switch would just drop them.
    if (leaving == Leaving::KeepRows) return false;
    if (asked_again) return true;
    program.ExitSaveFailed = true;
    return false;
}

void SaveAndReload() {
    if (!SaveBeforeLeaving(Leaving::KeepRows)) return;
    TaskList().TodayCount = 0;
    Program().ReloadFlag = 1;
    Program().RunFlag = 0;
}

}  // namespace vemo
