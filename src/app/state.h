// The program's process-wide state, grouped by owner, one instance each.
#pragma once

#include <string>

#include "app/settings_format.h"
#include "app/task_record.h"
#include "runtime/scoped.h"
#include "runtime/win32.h"

namespace vemo {

inline constexpr char kProgramTitle[] = "Vemo V009u";

// What survives a reload (Refresh runs the start-up loop again) is said beside
// each group; everything else is given its start value again by
// ResetSharedState before the main window is rebuilt.

// The start-up loop and what it loads for every window. The run and reload
// flags steer the loop; the title and icon are made again on each pass.
struct ProgramState {
    bool RunFlag = false;
    bool ReloadFlag = false;
    // The main window asked for the database switch: the start-up loop runs
    // it once the event that asked is over.
    bool SwitchDatabaseRequested = false;
    // The last Close or the tray's Exit found the rows unsaved and kept them;
    // set by SaveBeforeLeaving, cleared by a good save, by any other command
    // and on each pass of the start-up loop.
    bool ExitSaveFailed = false;
    std::string WindowTitle = kProgramTitle;
    // "vemo.ico", loaded afresh each time the start-up loop builds the window.
    ScopedIcon AppIcon;
};

// The rows themselves, and their count, live in the task model; the task
// commands keep the user's choice of a row. RowSelected is reset on each
// pass of the start-up loop; SelectedRow, ListDirty, the record buffer and
// the database name survive it.
struct TaskListState {
    int SelectedRow = 0;
    // Set once the user has picked a row (a selection in the text or
    // remind-date column, a double click in the time column); whatever
    // removes or reorders rows clears it: Delete, Send to log, Clear All,
    // the sort and every load of the rows.
    bool RowSelected = false;
    bool ListDirty = false;
    // Another PC's version replaced the rows (a reload or a merge): the
    // scheduler's next tick starts its row indexes over.
    bool RowsReplaced = false;
    std::string DatabaseName;
    // Every record passes through it; the header repeats what it last held.
    RecordBuffer Buffer{};
};

// Read from vemo.ini on each pass of the start-up loop; the last known window
// place survives, for saves made while the window is closed.
struct SettingsState {
    Settings Values;
    // Where the main window stands and how its two stored check boxes are:
    // the window keeps these current as it moves and as they are clicked,
    // and they outlive it, for a save made while it is closed.
    bool HaveWindowState = false;
    // The window's place was read from vemo.ini; without the file it opens
    // at (0, 0), wherever that is.
    bool PlaceFromFile = false;
    int LastWindowX = 0;
    int LastWindowY = 0;
    bool LastCreateMessageFile = true;
    bool LastFineTune = false;
};

ProgramState& Program();
TaskListState& TaskList();
SettingsState& SettingsOf();

// The main window, owner of every message box: null while it is closed.
HWND Owner();

// Ends the process at once after a fatal message (a database that cannot be
// opened): the dialog layouts are released and the exit code is 0.
void EndProgramNow();

}  // namespace vemo
