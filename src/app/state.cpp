#include "app/state.h"

#include "runtime/seams.h"

namespace vemo {

ProgramState& Program() {
    static ProgramState state;
    return state;
}
TaskListState& TaskList() {
    static TaskListState state;
    return state;
}
SettingsState& SettingsOf() {
    static SettingsState state;
    return state;
}
SchedulerState& Scheduler() {
    static SchedulerState state;
    return state;
}
TrayState& Tray() {
    static TrayState state;
    return state;
}
NetworkState& Network() {
    static NetworkState state;
    return state;
}
ProgramWindows& Windows() {
    static ProgramWindows windows;
    return windows;
}

void EndProgramNow() {
    Program().RunFlag = 0;
    if (Seams().end_program) {
        Seams().end_program();
        return;
    }
    ReleaseDialogs();
    ExitProcess(0);
}

}  // namespace vemo
