#include "mainwin/shared_database.h"

#include <string>

#include "app/message_line.h"
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
    const std::string message =
        ChangesMessage(outcome.kind, outcome.changed, outcome.history_dropped);
    if (!message.empty()) Message().Show(message);
    if (outcome.write_now && !WriteMergeNow(TaskList().Buffer)) {
        TraceSaveFailure("Merge write", GetLastError());
    }
}

}  // namespace vemo
