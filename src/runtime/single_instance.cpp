#include "runtime/single_instance.h"

#include <vector>

#include "runtime/paths.h"
#include "runtime/scoped.h"

namespace vemo {

namespace {

constexpr DWORD kPollMs = 250;
constexpr DWORD kStartWaitMs = 15000;

// The folder as the file system names it: the long form, with a subst
// drive, a junction or a network path that reaches the same folder resolved
// to one name, and cased as Windows compares names in the ANSI code page, so
// every way of starting this copy finds the same guard.
std::string CanonicalFolder(const std::string& program_folder) {
    std::vector<char> buffer(32768);
    const auto capacity = static_cast<DWORD>(buffer.size());
    std::string folder = program_folder;
    const ScopedHandle directory(CreateFileA(
        program_folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    // Looked up, not linked: the call came with Windows Vista.
    using FinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    const auto final_path_name = reinterpret_cast<FinalPathName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    DWORD length = 0;
    if (directory && final_path_name != nullptr) {
        length = final_path_name(directory.get(), buffer.data(), capacity, 0);  // normalized, DOS
    }
    if (length == 0 || length >= capacity) {
        length = GetLongPathNameA(program_folder.c_str(), buffer.data(), capacity);
    }
    if (length != 0 && length < capacity) folder.assign(buffer.data(), length);
    if (folder.rfind("\\\\?\\UNC\\", 0) == 0) {
        folder = "\\\\" + folder.substr(8);
    } else if (folder.rfind("\\\\?\\", 0) == 0) {
        folder.erase(0, 4);
    }
    if (!folder.empty()) CharLowerBuffA(folder.data(), static_cast<DWORD>(folder.size()));
    return folder;
}

std::string InstanceKey(const std::string& program_folder) {
    return FolderKey(CanonicalFolder(program_folder));
}

std::string MarkName(const std::string& key) {
    return "VemoInstance-" + key;
}

struct MarkSearch {
    std::string name;
    HWND found = nullptr;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<MarkSearch*>(parameter);
    if (GetPropA(window, search->name.c_str()) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindMarkedWindow(const std::string& mark_name) {
    MarkSearch search{mark_name};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AskToComeForward(HWND window) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    // Windows lets a process take the foreground only when the one in front
    // (this start, just launched by the user) hands it on.
    AllowSetForegroundWindow(process_id);
    PostMessageA(window, BringForwardMessage(), 0, 0);
}

}  // namespace

InstanceGuard::InstanceGuard(const std::string& program_folder, Arrival arrival) {
    const std::string key = InstanceKey(program_folder);
    HANDLE mutex = CreateMutexA(nullptr, TRUE, ("Local\\Vemo-" + key).c_str());
    const DWORD error = GetLastError();
    // Without a guard Vemo runs as it always did rather than refuse to start.
    if (mutex == nullptr) return;
    mutex_.reset(mutex);
    if (error != ERROR_ALREADY_EXISTS) return;

    owned_ = false;
    const std::string mark_name = MarkName(key);
    const DWORD start = GetTickCount();
    do {
        if (HWND window = FindMarkedWindow(mark_name)) {
            running_ = window;
            if (arrival == Arrival::BringForward) AskToComeForward(window);
            return;
        }
        // The other start may end instead of opening its window (an answer
        // to a start-up message, a database it cannot open).
        const DWORD waited = WaitForSingleObject(mutex_.get(), kPollMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            owned_ = true;
            return;
        }
        if (waited == WAIT_FAILED) Sleep(kPollMs);
    } while (GetTickCount() - start < kStartWaitMs);
}

InstanceGuard::~InstanceGuard() {
    if (owned_ && mutex_) ReleaseMutex(mutex_.get());
}

void MarkInstanceWindow(HWND window, const std::string& program_folder) {
    // Any value but null marks; the window itself is at hand.
    SetPropA(window, MarkName(InstanceKey(program_folder)).c_str(), window);
}

void UnmarkInstanceWindow(HWND window, const std::string& program_folder) {
    RemovePropA(window, MarkName(InstanceKey(program_folder)).c_str());
}

UINT BringForwardMessage() {
    static const UINT message = RegisterWindowMessageA("Vemo.BringForward");
    return message;
}

}  // namespace vemo
