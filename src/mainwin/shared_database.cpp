#include "mainwin/shared_database.h"

#include "app/state.h"
#include "app/task_sync.h"
#include "mainwin/main_window.h"
#include "runtime/atomic_file.h"

namespace vemo {

void AskAboutSharedDatabase() {
    AskAboutDatabase(MainWindow().window, kDatabaseNotice);
}

void OnDatabaseNotice() {
    const NoticeOutcome outcome = TakeDatabaseNotice();
    ShowChanges(outcome);
    if (outcome.write_now && !WriteMergeNow(TaskList().Buffer)) {
        TraceSaveFailure("Merge write", GetLastError());
    }
}

}  // namespace vemo
