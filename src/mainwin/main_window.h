// The main window's event handler and the task editing it performs.
#pragma once

namespace vemo {

// Opens the main window (defined by the start-up loop); when it cannot be
// made, says so and clears the run flag, so no start ever leaves a process
// without a window.
bool OpenMainWindow();
int MainWindowHandler();

// The editing commands, one routine per action.
void OnMainInit();
void OnMainDestroy();
// False only when a row was added but could not be saved.
bool AddTask();
void ChangeSelected();
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
