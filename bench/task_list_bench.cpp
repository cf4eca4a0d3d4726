// Load and save times of the task list for 1,000 and 10,000 rows, through
// the program's own path (database file, six list columns, atomic save),
// beside plainly reading and writing the same bytes, and the process memory.
// Prints its figures; asserts nothing.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/ids.h"
#include "app/startup.h"
#include "app/state.h"
#include "app/task_list.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/shell.h"
#include "runtime/win32.h"

// Needs <windows.h> first.
#include <psapi.h>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string TempFolder() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "vemo-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

double MegabytesInUse() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// The same items in six bare list boxes of a plain window, with nothing of
// Vemo's around them: what the system's list box itself costs.
double BareListBoxMegabytes(const std::vector<vemo::TaskRow>& list) {
    const double before = MegabytesInUse();
    HWND top = CreateWindowA("STATIC", "bare", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                             nullptr);
    HWND boxes[6] = {};
    for (HWND& box : boxes) {
        box = CreateWindowA("LISTBOX", "", WS_CHILD | LBS_HASSTRINGS | WS_VSCROLL, 0, 0, 60, 300,
                            top, nullptr, nullptr, nullptr);
    }
    for (const vemo::TaskRow& row : list) {
        const std::string* texts[6] = {&row.text,        &row.priority, &row.created,
                                       &row.remind_date, &row.time,     &row.state};
        for (int k = 0; k < 6; ++k) {
            SendMessageA(boxes[k], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[k]->c_str()));
        }
    }
    const double grown = MegabytesInUse() - before;
    DestroyWindow(top);
    return grown;
}

void Measure(const std::string& folder, int rows) {
    using namespace vemo;
    std::vector<TaskRow> list;
    for (int i = 0; i < rows; ++i) {
        list.push_back({"Task number " + std::to_string(i) + " with a little text to carry",
                        NumberText(i % 9 + 1), "01-12-2026", "Mon", "14:30", " 6"});
    }
    const double bare_megabytes = BareListBoxMegabytes(list);
    RecordBuffer buffer{};
    const std::string bytes = EncodeDatabase(list, buffer);
    WriteBytes(folder + "vemo.dat", bytes);

    ResetSharedState();
    DefineProgramWindows();
    Clock::time_point start = Clock::now();
    OpenModeless(MainWindow(), nullptr);  // its first step loads the rows
    const double open_ms = MsSince(start);

    ClearColumns();
    start = Clock::now();
    FileHandle database;
    OpenFile(database, RecordFile, folder + "vemo.dat", "a");
    LoadTaskList(database);
    CloseFile(database, RecordFile);
    const double load_ms = MsSince(start);
    const double loaded_memory = MegabytesInUse();

    start = Clock::now();
    SaveData();
    const double save_ms = MsSince(start);
    const double saved_memory = MegabytesInUse();

    start = Clock::now();
    const std::string plain = ReadBytes(folder + "vemo.dat");
    const double read_ms = MsSince(start);
    start = Clock::now();
    WriteBytes(folder + "plain.dat", plain);
    const double write_ms = MsSince(start);

    std::printf("%6d rows, %.2f MB file\n", rows,
                static_cast<double>(bytes.size()) / (1024.0 * 1024.0));
    std::printf("  open main window %8.1f ms\n", open_ms);
    std::printf("  load             %8.1f ms   plain read  %6.2f ms   ratio %5.1f\n", load_ms,
                read_ms, load_ms / read_ms);
    std::printf("  save             %8.1f ms   plain write %6.2f ms   ratio %5.1f\n", save_ms,
                write_ms, save_ms / write_ms);
    std::printf("  working set %.1f MB after load, %.1f MB after save; rows shown %d\n",
                loaded_memory, saved_memory, GetItemCount(MainWindow(), ids::TextColumn));
    CloseDialog(MainWindow(), 0);
    WaitForEvents(1);
    std::printf(
        "  six bare list boxes holding the same items, measured first, grew it by %.1f MB\n",
        bare_megabytes);
}

}  // namespace

int main() {
    using namespace vemo;
    const std::string folder = TempFolder();
    Seams().program_folder = folder;
    Seams().message_responder = [](const MessageCall&) { return IDOK; };
    WriteBytes(folder + "weights.ini", " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    SetCurrentDirectoryA(folder.c_str());
    std::printf("task list benchmark (%s), working set at start %.1f MB\n",
                sizeof(void*) == 4 ? "32-bit" : "64-bit", MegabytesInUse());
    for (int rows : {1000, 10000}) Measure(folder, rows);
    return 0;
}
