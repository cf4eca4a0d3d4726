#include "mainwin/remote_requests.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "app/dates.h"
#include "app/state.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "cli/new_task.h"
#include "cli/task_request.h"
#include "mainwin/main_window.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

bool g_accepting = false;

}  // namespace

void AcceptRequests(bool accept) {
    g_accepting = accept;
}

LRESULT OnCopyData(const COPYDATASTRUCT* data) {
    if (!g_accepting || data == nullptr || data->dwData != kRequestCopyDataId ||
        data->lpData == nullptr || data->cbData == 0 || data->cbData > kMaxRequestSize) {
        return kRequestRefused;
    }
    const std::optional<Request> request =
        DecodeRequest(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
    if (!request) return kRequestRefused;
    if (request->kind == RequestKind::SaveNow) {
        return SaveData(SaveReport::Quiet) ? kRequestDone : kRequestNotSaved;
    }
    // Added as Add adds a row, without a look at the entry and date fields,
    // which may hold what the user is typing.
    const SYSTEMTIME now = CurrentLocalTime();
    const TaskRow row = NewTaskRow(request->task, DateText(kDatePicture), now.wHour, now.wMinute,
                                   static_cast<std::size_t>(Tasks().Count()));
    if (ApplyCommand(AddTaskRow(row), SaveReport::Quiet)) return kRequestDone;
    PostMessageA(MainWindow().window, kDeferredSaveReport, 0, 0);
    return kRequestNotSaved;
}

void ReportFailedRemoteSave() {
    ShowMessage(&MainWindow(), "Problem saving data", "Error...SaveData...", 0);
}

void ReportFailedRemoteNote() {
    ShowMessage(nullptr, "Problem adding note to backup text file", "error...AddToTxtFile...", 0);
}

}  // namespace vemo
