// The task list: six list columns of the main window, aligned by index, and
// the database file they are loaded from and saved to.
#pragma once

#include <vector>

#include "app/task_record.h"
#include "runtime/files.h"

namespace vemo {

TaskRow ReadRow(int index);
std::vector<TaskRow> ReadAllRows();
void AppendRow(const TaskRow& row);
void DeleteRow(int index);
// One column's item rewritten in place (deleted, then inserted at its index).
void ReplaceCell(int column, int index, const std::string& text);
// Empties the six columns.
void ClearColumns();

// Loads the rows of the open database file into the (empty) columns.
void LoadTaskList(const FileHandle& database);
// Writes the rows to the database file, then the settings. False when the
// rows could not be saved (after its message).
bool SaveData();
// Saves, then asks the start-up loop to build everything again.
void SaveAndReload();

}  // namespace vemo
