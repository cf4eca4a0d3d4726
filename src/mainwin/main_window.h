// The main window: its definition, its event handler and the task editing it
// performs. Its controls' ids are in mainwin/ids.h, its layout in
// main_window_layout.cpp.
#pragma once

#include <string>

#include "app/save_report.h"
#include "app/task_commands.h"
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

void OnMainInit();
void OnMainDestroy();
// The timer's tick: the scheduler's steps in order, the window doing what
// they hand back (the alarm actions, the imported task).
void OnProgramTimer();
// An alarm: the window back from the tray without taking the keyboard, its
// taskbar button flashing while another window is in front, then the
// program and the sound.
void RunAlarmActions();

// Does what a task command asks of the window once its rows have changed:
// shows the selection, restarts the scheduler's highlight, re-arms the
// timer, saves and notes the added task. False when the save failed.
bool ApplyCommand(const CommandEffect& effect, SaveReport report = SaveReport::Show);

// Tooltips on the small unlabelled buttons, saying what each does.
void AddButtonTips();

// "Vemo V009u - Database: " + the database's name.
void UpdateDatabaseName();

}  // namespace vemo
