// The main window's event handler and the task editing it performs.
#pragma once

namespace vemo {

int MainWindowHandler();

// The editing commands, one routine per action.
void OnMainInit();
void AddTask();
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
// The save made on the way out (Close, the tray's Exit): true when the
// program may end. A failed save keeps it open once; the next attempt ends it.
bool SaveForExit();

// "Vemo V009u - Database: " + the database's name.
void UpdateDatabaseName();

}  // namespace vemo
