// The task list's database file: the rows are loaded from it into the task
// model and saved from the model to it.
#pragma once

#include "app/save_report.h"
#include "app/task_record.h"

namespace vemo {

// Loads the database's rows into the task model and its view (the store
// opens it as the start always has, creating a missing file); false, with
// nothing loaded, when it cannot be opened or read whole.
bool LoadTaskList();
// Writes the rows to the database file, then the settings; false when the
// rows could not be written (the user has been told). With the main window
// closed (the rows live as long as their view) only the settings are
// written.
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
