// The task list: six list columns of the main window, aligned by index, and
// the database file they are loaded from and saved to.
#pragma once

#include <initializer_list>
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
// Selects the row in each of the columns, in the order given.
void SelectRowInColumns(int index, std::initializer_list<int> columns);
// Empties the six columns.
void ClearColumns();
// The row the user last chose (SelectedRow) while that choice stands, else
// -1. The tick moves the text column's selection as it alarms, so the
// commands that delete or rewrite a row act on this, not on the selection;
// whatever reorders or removes rows ends the choice (RowSelected := 0).
int ChosenRow();

// Loads the rows of the open database file into the (empty) columns; false,
// with nothing loaded, when the file cannot be read whole.
bool LoadTaskList(const FileHandle& database);
// Writes the rows to the database file, then the settings; false when the
// rows could not be written (the user has been told). With the main window
// closed only the settings are written.
enum class SaveReport { Show, Quiet };
bool SaveData(SaveReport report = SaveReport::Show);
// The save made before the rows' window goes: true when it may go. Close and
// the tray's Exit end the program: after a failed save they stay once, and
// go on when asked again right after, the user having been told. Refresh and
// a database switch keep the rows: they never go on a failed save.
enum class Leaving { EndProgram, KeepRows };
bool SaveBeforeLeaving(Leaving leaving);
// Saves, then asks the start-up loop to build everything again; a failed
// save keeps the window on its rows instead.
void SaveAndReload();

}  // namespace vemo
