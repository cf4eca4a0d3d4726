#include "app/task_list.h"

#include <algorithm>
#include <utility>

#include "app/message_line.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_commands.h"
#include "app/task_history.h"
#include "app/task_model.h"
#include "app/task_store.h"
#include "app/task_sync.h"
#include "runtime/atomic_file.h"
#include "runtime/shell.h"

namespace vemo {

bool LoadTaskList() {
    TaskListState& list = TaskList();
    TaskRows rows;
    if (!LoadDatabase(rows, list.Buffer)) return false;
    const bool restored = RememberLoadedRows(rows);
    Tasks().Replace(std::move(rows));
    EndRowChoice();  // a choice made among other rows
    History().Restart("since the list was loaded again");
    Message().Show("Number of entries in the list: " + NumberText(Tasks().Count()));
    // Tasks this PC saved that a writer which does not merge dropped are
    // back in the list, and go back into the file.
    if (restored) SaveData(SaveReport::Quiet);
    return true;
}

bool SaveData(SaveReport report) {
    TaskListState& list = TaskList();
    // The rows live as long as their view: with the window closed there are
    // none to write, and the file keeps the ones it has.
    bool saved = true;
    const TaskModel& tasks = Tasks();
    if (tasks.Window() != nullptr) {
        const SharedSave save = SaveSharedRows(list.Buffer);
        saved = save.saved;
        ShowChanges(save);
        if (saved) Program().ExitSaveFailed = false;
        if (!saved) {
            TraceSaveFailure("SaveData", GetLastError());
            if (report == SaveReport::Show) {
                ShowMessageBox(tasks.Window(), "Problem saving data", "Error...SaveData...", 0);
            }
        }
    }
    SaveSettings(report);
    return saved;
}

bool SaveBeforeLeaving(Leaving leaving) {
    ProgramState& program = Program();
    const bool asked_again = std::exchange(program.ExitSaveFailed, false);
    if (SaveData()) return true;
    // The rows are not on disk: stay on them, so the user can make the file
    // writable or copy the tasks. Only ending the program, asked for again
    // right after, lets them go; a reload or a switch would just drop them.
    if (leaving == Leaving::KeepRows) return false;
    if (asked_again) return true;
    program.ExitSaveFailed = true;
    return false;
}

void SaveAndReload() {
    if (!SaveBeforeLeaving(Leaving::KeepRows)) return;
    Program().ReloadFlag = true;
    Program().RunFlag = false;
}

}  // namespace vemo
