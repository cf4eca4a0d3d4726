#include "program/commands.h"

#include <optional>
#include <string>
#include <vector>

#include "app/log_lines.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_record.h"
#include "app/task_store.h"
#include "cli/calendar_export.h"
#include "cli/command_line.h"
#include "cli/csv_export.h"
#include "cli/export_text.h"
#include "cli/new_task.h"
#include "cli/task_request.h"
#include "mainwin/remote_requests.h"
#include "program/startup.h"
#include "runtime/atomic_file.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"
#include "runtime/single_instance.h"

namespace vemo {

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Vemo";
// Long enough for a running Vemo to save a large database, short enough that
// a script never hangs on one that stopped answering.
constexpr UINT kRequestTimeoutMs = 30000;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle h) { return h == nullptr; }
    static void Adopted(Handle) {}
    static bool Free(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
using ScopedRegistryKey = UniqueHandle<RegistryKeyTraits>;

std::string ErrorText(const std::string& what, DWORD error) {
    return "vemo: " + what + " (Windows error " + std::to_string(error) + ")";
}

int Failed(const std::string& line) {
    PrintErrorLine(line);
    return 1;
}

// The per-user logon programs: no administrator needed. "on" from another
// copy replaces the value, so one Vemo starts at logon.
int SetAutostart(bool on) {
    HKEY opened = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0,
                                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &opened, nullptr);
    const ScopedRegistryKey key(opened);
    if (status != ERROR_SUCCESS) {
        return Failed(ErrorText("cannot open the logon programs", static_cast<DWORD>(status)));
    }
    if (on) {
        const std::string command = AutostartCommand(ProgramPath());
        const LONG set = RegSetValueExA(key.get(), kRunValue, 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(command.c_str()),
                                        static_cast<DWORD>(command.size() + 1));
        if (set != ERROR_SUCCESS) {
            return Failed(
                ErrorText("cannot add Vemo to the logon programs", static_cast<DWORD>(set)));
        }
        PrintLine("Vemo starts in the tray at logon: " + command);
        return 0;
    }
    const LONG removed = RegDeleteValueA(key.get(), kRunValue);
    if (removed == ERROR_FILE_NOT_FOUND) {
        PrintLine("Vemo was not among the logon programs");
        return 0;
    }
    if (removed != ERROR_SUCCESS) {
        return Failed(
            ErrorText("cannot remove Vemo from the logon programs", static_cast<DWORD>(removed)));
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
    return DateText("dd'-'MM'-'yyyy");
}

// Notes the row in the note file as Add does, without a message box: a
// script has no one to answer it.
void NoteQuietly(const TaskRow& row) {
    FileHandle note;
    if (OpenFile(note, TextFile, "AddFile.txt", "a") != 0) return;
    WriteItem(note, TextFile, NoteLine(row));
    CloseFile(note, TextFile);
}

int AddTask(const NewTask& task) {
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
    const AppendResult added = AppendToDatabase([&](std::size_t rows_before) {
        return NewTaskRow(task, TodayText(), now.wHour, now.wMinute, rows_before);
    });
    if (added.status == AppendResult::Status::Unreadable) {
        return Failed(ErrorText("cannot read " + path, GetLastError()));
    }
    if (added.status == AppendResult::Status::Unsaved) {
        return Failed(ErrorText("cannot save " + path, GetLastError()));
    }
    NoteQuietly(added.row);
    PrintLine("Task added to " + path + ": " + added.row.text);
    return 0;
}

std::string AnsiToUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int wide_length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_length > 0 ? wide_length : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wide_length);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

UtcTime NowUtc() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

int Export(const CommandLine& command) {
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
    std::string text;
    std::optional<std::size_t> without_rule;
    if (command.export_format == ExportFormat::Calendar) {
        CalendarExport calendar = ExportCalendar(rows, database, NowUtc(), AnsiToUtf8);
        text = std::move(calendar.text);
        without_rule = calendar.without_rule;
    } else {
        text = ExportCsv(rows, AnsiToUtf8);
    }
    // Never half a file: written beside it, then moved over it, and never
    // written over one another program holds open.
    if (!ReplaceFileAtomically(command.export_path, text, SaveFlush::Flush, HeldFile::Refuse)) {
        return Failed(ErrorText("cannot write " + command.export_path, GetLastError()));
    }
    PrintLine(ExportedLine(rows.size(), command.export_path, without_rule));
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
        case Command::Add: return AddTask(command.task);
        case Command::Export: return Export(command);
    }
    return 0;
}

}  // namespace vemo
