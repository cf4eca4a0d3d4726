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
#include "runtime/win32.h"

namespace vemo {

inline constexpr char kProgramTitle[] = "Vemo V009u";

// The start-up loop and what it loads for every window.
struct ProgramState {
    int RunFlag = 0;
    int ReloadFlag = 0;
    std::string WindowTitle = kProgramTitle;
    HICON AppIcon = nullptr;
    HBITMAP ToolbarBitmap = nullptr;
    std::array<int, 17> ToolbarTable = {3, 16, 0, 5, 4, 40, 0, 45, 49, 0, 55, 0, 57, 0, 42, 0, 65};
};

struct TaskListState {
    int RowCount = 1;
    int SelectedRow = 0;
    int RowSelected = 0;
    int ListDirty = 0;
    int TodayCount = 0;
    std::string DatabaseName;
    // Every record passes through it; the header repeats what it last held.
    RecordBuffer Buffer{};
};

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

// Rebuilt whenever the start-up loop builds the main window; the fields of
// ReminderMemory say which of them each tick keeps.
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
};

struct TrayState {
    std::uint8_t InTray = 1;
    bool IconShown = false;
};

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
