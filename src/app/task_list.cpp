#include "app/task_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/message_line.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_model.h"
#include "runtime/atomic_file.h"
#include "runtime/shell.h"

namespace vemo {

int ChosenRow() {
    const TaskListState& list = TaskList();
    if (list.RowSelected != 1 || list.SelectedRow < 0 || list.SelectedRow >= list.RowCount) {
        return -1;
    }
    return list.SelectedRow;
}

namespace {

// Rows come from the file this many at a time: a large database is never
// held whole in memory, whose fresh pages cost more than the reading.
constexpr std::size_t kChunkRows = 64;
// And go to it this many at a time (a quarter of a megabyte): few calls into
// the system, in a buffer the heap hands back from its own pages, as fresh
// pages cost more than the writing.
constexpr std::size_t kWriteRows = 256;

// The database's bytes, written from the rows a chunk of records at a time;
// the header, which repeats the last record's bytes with the count, goes in
// last.
bool WriteDatabase(ContentWriter& out, RecordBuffer& buffer, const TaskRows& rows, int count) {
    const std::string empty_header(TaskRecordSize, '\0');
    if (!out.Write(empty_header)) return false;
    std::string chunk;
    chunk.reserve(std::min<std::size_t>(kWriteRows, static_cast<std::size_t>(count)) *
                  TaskRecordSize);
    for (int first = 0; first < count; first += static_cast<int>(kWriteRows)) {
        const int end = std::min(first + static_cast<int>(kWriteRows), count);
        chunk.resize(static_cast<std::size_t>(end - first) * TaskRecordSize);
        char* record = chunk.data();
        for (int row = first; row < end; ++row, record += TaskRecordSize) {
            EncodeTaskRecord(rows.View(row), buffer);
            std::memcpy(record, buffer.data(), TaskRecordSize);
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
    TaskRows rows;
    rows.Reserve(count, count * 64);
    std::vector<std::uint8_t> chunk(kChunkRows * TaskRecordSize);
    std::string priority, state;
    for (std::size_t first = 0; first < count; first += kChunkRows) {
        const std::size_t n = std::min(kChunkRows, count - first);
        const auto at = static_cast<long long>((first + 1) * TaskRecordSize);
        // A part of the list is no list: nothing loads.
        if (!ReadExactly(database, at, std::span(chunk.data(), n * TaskRecordSize))) return false;
        for (std::size_t r = 0; r < n; ++r) {
            const TaskRowView row =
                DecodeTaskRecord(chunk.data() + r * TaskRecordSize, priority, state);
            if (TextToNumber(row.state) == 1) ++list.TodayCount;
            rows.Append(row);
        }
        // The buffer ends holding the last record read, as it always has.
        std::memcpy(list.Buffer.data(), chunk.data() + (n - 1) * TaskRecordSize, TaskRecordSize);
    }
    Tasks().Replace(std::move(rows));
    list.RowCount = static_cast<int>(count);
    list.RowSelected = 0;  // a choice made among other rows
    Message().Show("Number of entries in the list: " + NumberText(list.RowCount));
    return true;
}

bool SaveData(SaveReport report) {
    TaskListState& list = TaskList();
    // The rows live as long as their view: with the window closed there are
    // none to write, and the file keeps the ones it has.
    bool saved = true;
    const TaskModel& tasks = Tasks();
    if (tasks.Window() != nullptr) {
        const int count = std::clamp(list.RowCount, 0, tasks.Count());
        const RecordBuffer start = list.Buffer;
        saved = ReplaceFileAtomically(
            SettingsOf().Values.database_path, [&list, &start, &tasks, count](ContentWriter& out) {
                list.Buffer = start;  // each run writes the same bytes
                return WriteDatabase(out, list.Buffer, tasks.Rows(), count);
            });
        if (saved) Program().ExitSaveFailed = false;
        if (!saved) {
            TraceSaveFailure("SaveData", GetLastError());
            if (report == SaveReport::Show) {
                ShowMessageBox(tasks.Window(), "Problem saving data", "Error...SaveData...", 0);
            }
        }
    }
    SaveSettings(report);
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
