// The program's process-wide state, grouped by owner, one instance each.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

struct SchedulerState {
    int HighlightRow = -1;
    int HighlightDone = 0;
    int LastAlarmRow = -1;
    int EarlierAlarmCount = 0;
    int ShowEarlierAlarms = 1;
    int AlarmState = 0;
    std::string AlarmText;
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
