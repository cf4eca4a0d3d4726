// The program's process-wide state, grouped by owner, one instance each.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "alarms/reminder_rules.h"
#include "app/settings_format.h"
#include "app/task_record.h"
#include "network/weights_format.h"
#include "runtime/dialogs.h"
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
    int RunFlag = 0;
    int ReloadFlag = 0;
    // The last Close or the tray's Exit found the rows unsaved and kept them;
    // set by SaveBeforeLeaving, cleared by a good save, by any other command
    // and on each pass of the start-up loop.
    bool ExitSaveFailed = false;
    std::string WindowTitle = kProgramTitle;
    // "vemo.ico", loaded afresh each time the start-up loop builds the window.
    ScopedIcon AppIcon;
};

// The rows themselves live in the main window's columns. RowCount and
// RowSelected are reset on each pass of the start-up loop; SelectedRow,
// ListDirty, TodayCount (zeroed by the window's start), the record buffer and
// the database name survive it.
struct TaskListState {
    int RowCount = 1;
    int SelectedRow = 0;
    // 1 once the user has picked a row (a selection in the text or
    // remind-date column, a double click in the time column); whatever
    // removes or reorders rows clears it: Delete, Send to log, Clear All,
    // the sort and every load of the rows.
    int RowSelected = 0;
    int ListDirty = 0;
    int TodayCount = 0;
    std::string DatabaseName;
    // Every record passes through it; the header repeats what it last held.
    RecordBuffer Buffer{};
};

// Read from vemo.ini on each pass of the start-up loop; the last known window
// place survives, for saves made while the window is closed.
struct SettingsState {
    Settings Values;
    // Where the main window last stood and how its check boxes were, for a
    // save made while the window is closed.
    bool HaveWindowState = false;
    int LastWindowX = 0;
    int LastWindowY = 0;
    bool LastCreateMessageFile = true;
    bool LastFineTune = false;
};

// Rebuilt whenever the start-up loop builds the main window (a database
// switch keeps it); the fields of ReminderMemory say which of them each tick
// keeps.
struct SchedulerState : ReminderMemory {
    std::string SummaryText;       // rebuilt each tick
    std::string SchedulerMessage;  // rebuilt each tick
    // The line last written to the message file; "" at start, so a new
    // window writes the file once.
    std::string LastMessage;
    // An imported line whose row is in the list while its file is still
    // there (the save or the deletion failed): the next tick finishes the
    // job instead of adding the row twice.
    struct ImportedLine {
        std::string line;
        bool saved = false;
    };
    std::optional<ImportedLine> PendingImport;
    // A resume was reported from its automatic notice; the user's notice of
    // the same resume that may follow adds nothing.
    bool ResumeReported = false;
};

// InTray is set again on each pass; IconShown follows the shell.
struct TrayState {
    std::uint8_t InTray = 1;
    bool IconShown = false;
};

// Weights and texts are read again when the main window opens; the dialog
// flags are reset on each pass of the start-up loop.
struct NetworkState {
    Weights Values;
    int CurrentCondition = 1;
    int WeightsDialogOpen = 0;
    int SoundTestMode = 1;
    // Written by every tick, in network order (ReminderCounts::Inputs).
    std::array<int, kConditionCount> Inputs{};
    // Recomputed by every evaluation.
    std::array<std::int64_t, kConditionCount> ConditionValues{};
    // 0 until an evaluation finds a positive value; never reset.
    int ChosenClass = 0;
    // The response text of ChosenClass at the last evaluation; "" at start.
    std::string ResponseText;
};

struct ProgramWindows {
    DialogDefinition MainWindow;
    DialogDefinition AlarmActionDialog;
    DialogDefinition WeightsDialog;
};

ProgramState& Program();
TaskListState& TaskList();
SettingsState& SettingsOf();
SchedulerState& Scheduler();
TrayState& Tray();
NetworkState& Network();
ProgramWindows& Windows();
inline DialogDefinition& MainWindow() {
    return Windows().MainWindow;
}

// Ends the process at once after a fatal message (a database that cannot be
// opened): the dialog layouts are released and the exit code is 0.
void EndProgramNow();

}  // namespace vemo
