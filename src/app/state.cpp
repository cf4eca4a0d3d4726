#include "app/state.h"

#include "app/task_model.h"
#include "runtime/dialogs.h"
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
HWND Owner() {
    return Tasks().Window();
}

void EndProgramNow() {
    Program().RunFlag = false;
    if (Seams().end_program) {
        Seams().end_program();
        return;
    }
    ReleaseDialogs();
    ExitProcess(0);
}

}  // namespace vemo
