#include "program/commands.h"

#include <optional>
#include <string>
#include <vector>

#include "app/dates.h"
#include "app/log_files.h"
#include "app/log_lines.h"
#include "app/settings_file.h"
#include "app/task_record.h"
#include "app/task_store.h"
#include "app/task_sync.h"
#include "cli/command_line.h"
#include "cli/export_file.h"
#include "cli/export_text.h"
#include "cli/new_task.h"
#include "cli/task_request.h"
#include "mainwin/remote_requests.h"
#include "program/startup.h"
#include "runtime/console.h"
#include "runtime/shell.h"
#include "runtime/single_instance.h"

namespace vemo {

namespace {

// Long enough for a running Vemo to save a large database, short enough that
// a script never hangs on one that stopped answering.
constexpr UINT kRequestTimeoutMs = 30000;

constexpr char kRunValue[] = "Vemo";

// "vemo: cannot save C:\x.dat: the folder does not exist (Windows error 3)".
std::string ErrorText(const std::string& what, unsigned long error) {
    std::string text = "vemo: " + what;
    if (const std::string_view words = WindowsErrorWords(error); !words.empty()) {
        text += ": " + std::string(words);
    }
    return text + " (Windows error " + std::to_string(error) + ")";
}

int PrintHelp() {
    std::string_view text = HelpText();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        PrintLine(std::string(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return 0;
}

int Failed(const std::string& line) {
    PrintErrorLine(line);
    return 1;
}

// "on" from another copy replaces the value, so one Vemo starts at logon.
int SetAutostart(bool on) {
    if (on) {
        const std::string command = AutostartCommand(ProgramPath());
        const LogonEntryResult set = SetLogonEntry(kRunValue, command);
        if (!set.opened) {
            return Failed(ErrorText("cannot open the logon programs", set.status));
        }
        if (set.status != ERROR_SUCCESS) {
            return Failed(ErrorText("cannot add Vemo to the logon programs", set.status));
        }
        PrintLine("Vemo starts in the tray at logon: " + command);
        return 0;
    }
    const LogonEntryResult removed = RemoveLogonEntry(kRunValue);
    if (!removed.opened) {
        return Failed(ErrorText("cannot open the logon programs", removed.status));
    }
    if (removed.status == ERROR_FILE_NOT_FOUND) {
        PrintLine("Vemo was not among the logon programs");
        return 0;
    }
    if (removed.status != ERROR_SUCCESS) {
        return Failed(ErrorText("cannot remove Vemo from the logon programs", removed.status));
    }
    PrintLine("Vemo no longer starts at logon");
    return 0;
}

// The reply of the running Vemo, or nothing when it did not answer in time.
std::optional<LRESULT> SendRequest(HWND window, const Request& request) {
    const std::string bytes = EncodeRequest(request);
    COPYDATASTRUCT data{};
    data.dwData = kRequestCopyDataId;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = const_cast<char*>(bytes.data());
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, kRequestTimeoutMs, &reply)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(reply);
}

std::string TodayText() {
    return DateText(kDatePicture);
}

int AddFromCommandLine(const NewTask& task) {
    const InstanceGuard guard(ProgramFolder(), InstanceGuard::Arrival::Quiet);
    if (!guard.Owned()) {
        if (guard.Running() == nullptr) return Failed("vemo: the running Vemo does not answer");
        const std::optional<LRESULT> reply =
            SendRequest(guard.Running(), Request{RequestKind::AddTask, task});
        if (!reply) return Failed("vemo: the running Vemo does not answer");
        if (*reply == kRequestNotSaved) {
            return Failed("vemo: the running Vemo added the task but could not save it");
        }
        if (*reply != kRequestDone) return Failed("vemo: the running Vemo refused the task");
        PrintLine("Task added to the running Vemo: " + task.text);
        return 0;
    }
    // No Vemo runs on this folder, and none starts while the guard is held:
    // the task goes into the file as a start, Add and Close would put it.
    LoadSettings();
    const std::string& path = DatabasePath();
    const SYSTEMTIME now = CurrentLocalTime();
    const AppendResult added = AddToSharedDatabase([&](std::size_t rows_before) {
        return NewTaskRow(task, TodayText(), now.wHour, now.wMinute, rows_before);
    });
    if (added.status == AppendResult::Status::Unreadable) {
        return Failed(ErrorText("cannot read " + path, GetLastError()));
    }
    if (added.status == AppendResult::Status::Unsaved) {
        return Failed(ErrorText("cannot save " + path, GetLastError()));
    }
    // Noted as Add notes, without a message box: a script has no one to
    // answer it.
    AddToTxtFile(NoteLine(added.row), SaveReport::Quiet);
    PrintLine("Task added to " + path + ": " + added.row.text);
    return 0;
}

int Export(const CommandLine& command) {
    LoadSettings();
    if (IsDatabaseFile(command.export_path)) {
        PrintErrorLine("vemo: an export never goes over the database " + DatabasePath());
        return kBadArgumentsExitCode;
    }
    bool saved_first = true;
    {
        // Some edits are saved only by the next save: a running Vemo saves
        // first.
        const InstanceGuard guard(ProgramFolder(), InstanceGuard::Arrival::Quiet);
        if (!guard.Owned()) {
            const std::optional<LRESULT> reply =
                guard.Running() != nullptr
                    ? SendRequest(guard.Running(), Request{RequestKind::SaveNow, {}})
                    : std::nullopt;
            if (!reply || *reply != kRequestDone) {
                saved_first = false;
                PrintErrorLine(
                    "vemo: the running Vemo did not save; exporting what its database file holds");
            }
        }
    }
    LoadSettings();
    const std::string& database = DatabasePath();
    const std::optional<std::vector<TaskRow>> read = ReadDatabaseRows();
    if (!read) return Failed(ErrorText("cannot read " + database, GetLastError()));
    const std::vector<TaskRow>& rows = *read;
    // Never half a file, and never written over one another program holds.
    const ExportWritten exported =
        WriteExport(command.export_format, rows, database, command.export_path);
    if (!exported.written) {
        return Failed(ErrorText("cannot write " + command.export_path, GetLastError()));
    }
    PrintLine(ExportedLine(rows.size(), command.export_path, exported.without_rule));
    return saved_first ? 0 : 1;
}

}  // namespace

int RunCommandLine(std::string_view command_line) {
    const CommandLine command = ParseCommandLine(command_line);
    if (!command.error.empty()) {
        PrintErrorLine(command.error);
        return kBadArgumentsExitCode;
    }
    switch (command.command) {
        case Command::Start: {
            // Two Vemos on one folder would overwrite each other's saves: a
            // second start brings the first forward and ends.
            const InstanceGuard guard(ProgramFolder());
            return guard.Owned() ? StartupSequence() : 0;
        }
        case Command::Tray: {
            const InstanceGuard guard(ProgramFolder(), InstanceGuard::Arrival::Quiet);
            if (!guard.Owned()) return 0;
            // Started from the logon entry, the current folder is the
            // system's: the backup, log and note files belong beside Vemo.
            SetCurrentDirectoryA(ProgramFolder().c_str());
            return StartupSequence(StartShown::InTray);
        }
        case Command::AutostartOn: return SetAutostart(true);
        case Command::AutostartOff: return SetAutostart(false);
        case Command::Add: return AddFromCommandLine(command.task);
        case Command::Export: return Export(command);
        case Command::Help: return PrintHelp();
    }
    return 0;
}

}  // namespace vemo
