// The main window: its definition, its event handler and the task editing it
// performs. Its controls' ids are in mainwin/ids.h, its layout in
// main_window_layout.cpp.
#pragma once

#include <string>

#include "app/task_list.h"
#include "app/task_record.h"
#include "runtime/dialogs.h"

namespace vemo {

DialogDefinition& MainWindow();
// The main window at (x, y) with its 41 controls; the date and time entry
// fields start with today's date and the current time.
void DefineMainWindow(int x, int y, const std::string& title);
// Opens the main window (defined by the start-up loop); when it cannot be
// made, says so and clears the run flag, so no start ever leaves a process
// without a window.
bool OpenMainWindow();
int MainWindowHandler();

// The editing commands, one routine per action.
void OnMainInit();
void OnMainDestroy();
// The timer's tick: the scheduler's steps in order, the window doing what
// they hand back (restore from the tray, add the imported task).
void OnProgramTimer();
// An alarm: the window back from the tray without taking the keyboard, its
// taskbar button flashing while another window is in front, then the
// program and the sound.
void RunAlarmActions();
// The import's line through the entry fields and Add; false when not saved.
bool AddImportedTask(const std::string& line);
// The toolbar's "Data base".
void ChangeDatabase(int notify);
// False only when a row was added but could not be saved.
bool AddTask();
// Add's second half, for a row made elsewhere too (a request from another
// process): appended, saved, noted in the note file. False when it could
// not be saved.
bool AddRow(const TaskRow& row, SaveReport report);
void ChangeSelected();
void OnEnter();
void DeleteTask();
void ClearAll();
void Refresh();
void SortByPriority();
void PriorityUp();
void PriorityDown();
void SwitchInactive();
void OpenLog();
void OnTextColumnSelected();
void OnTextColumnDoubleClicked();
void PauseTimer();
void CloseProgram();

// "Vemo V009u - Database: " + the database's name.
void UpdateDatabaseName();

}  // namespace vemo
