// The scheduler's tick at 100, 1,000 and 10,000 rows on the real main window,
// beside floors measured in the same run: one LB_GETTEXT pass over the five
// columns the tick would read if it read the list boxes, the portable pass
// over the rows in memory alone, and one pass rewriting every state code.
// Then the CPU time of the real vemo.exe idling with 1,000 rows.
// Prints its figures; asserts nothing.
//
//   scheduler_bench.exe [--vemo=<path of vemo.exe>] [--idle-seconds=60]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "alarms/reminder_rules.h"
#include "alarms/scheduler.h"
#include "app/state.h"
#include "app/task_model.h"
#include "app/task_record.h"
#include "bench/bench_support.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "network/network_state.h"
#include "program/startup.h"
#include "runtime/events.h"
#include "runtime/seams.h"
#include "runtime/shell.h"
#include "runtime/win32.h"
#include "support/driver.h"
#include "support/harness.h"

namespace {

using namespace vemo::bench;
constexpr int kRepeats = 7;

template <class Work>
double BestOf(Work work) {
    double best = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        const Clock::time_point start = Clock::now();
        work();
        best = std::min(best, MsSince(start));
    }
    return best;
}

// A mix of the patterns a list holds: today's weekday rows through the day,
// hourly rows, old dated rows and inactive rows of another weekday.
std::string Database(int rows) {
    std::vector<vemo::TaskRow> list;
    for (int i = 0; i < rows; ++i) {
        char time[8] = {};
        std::snprintf(time, sizeof(time), "%02d:%02d", i % 24, (i * 7) % 60);
        const std::string text = "Task number " + std::to_string(i) + " with a little text";
        const std::string priority = vemo::NumberText(i % 9 + 2);
        switch (i % 4) {
            case 0: list.push_back({text, priority, "01-12-2026", "--Mon", time, " 6"}); break;
            case 1: list.push_back({text, priority, "01-12-2026", "--Day", ":45", " 6"}); break;
            case 2: list.push_back({text, priority, "01-12-2026", "03-11-2026", time, " 5"}); break;
            default: list.push_back({text, priority, "01-12-2026", "--Tue", time, " 6"}); break;
        }
    }
    vemo::RecordBuffer buffer{};
    return vemo::EncodeDatabase(list, buffer);
}

HWND Column(int id) {
    return GetDlgItem(vemo::MainWindow().window, id);
}

void ReadFloor(std::string& sink) {
    for (int id : {vemo::ids::TextColumn, vemo::ids::PriorityColumn, vemo::ids::RemindDateColumn,
                   vemo::ids::TimeColumn, vemo::ids::StateColumn}) {
        HWND list = Column(id);
        const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const auto item = static_cast<WPARAM>(i);
            const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, item, 0);
            sink.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1);
            SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(sink.data()));
        }
    }
}

void RewriteFloor() {
    HWND list = Column(vemo::ids::StateColumn);
    const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    char code[16] = {};
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        const auto item = static_cast<WPARAM>(i);
        SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(code));
        SendMessageA(list, LB_DELETESTRING, item, 0);
        SendMessageA(list, LB_INSERTSTRING, item, reinterpret_cast<LPARAM>(code));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The decisions alone: the portable pass over the rows the model holds.
double PassFloor() {
    using namespace vemo;
    const std::vector<ReminderRow> views = ReminderRowsOf(Tasks().Rows());
    const ClockReading clock = ReadClock(2026, 12, 7, 14, 30);
    return BestOf([&] {
        ReminderMemory memory = Scheduler();
        RunReminderPass(views, clock, {}, Network().ChosenClass, memory);
    });
}

void MeasureTicks(const std::string& folder, int rows) {
    using namespace vemo;
    WriteBytes(folder + "vemo.dat", Database(rows));
    RunStartPass(StartPass::WindowsOnly);
    const Clock::time_point first = Clock::now();
    OnProgramTimer();  // the first tick writes the codes of the loaded rows
    const double first_ms = MsSince(first);
    std::string sink;
    const double read_ms = BestOf([&] { ReadFloor(sink); });
    const double pass_ms = PassFloor();
    const double rewrite_ms = BestOf(RewriteFloor);
    const double tick_ms = BestOf(OnProgramTimer);
    std::printf(
        "%6d rows: tick %8.2f ms (%5.2f us/row)   floor read of five columns %8.2f ms   ratio "
        "%5.2f   first tick %8.2f ms\n",
        rows, tick_ms, 1000.0 * tick_ms / rows, read_ms, tick_ms / read_ms, first_ms);
    std::printf(
        "             floors: portable pass in memory %8.2f ms (%5.2f us/row), rewrite every "
        "code %8.2f ms (%5.2f us/row)\n",
        pass_ms, 1000.0 * pass_ms / rows, rewrite_ms, 1000.0 * rewrite_ms / rows);
    CloseDialog(MainWindow(), 0);
    WaitForEvents(1);
}

std::string ReadSmallFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(4096, '\0');
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Wine reports no CPU times of other processes; there the child is a Linux
// process whose command line is its Windows path, and /proc has its times.
std::string LinuxStatOf(const std::string& exe) {
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::string found;
    do {
        const std::string name = entry.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string command_line = ReadSmallFile("Z:\\proc\\" + name + "\\cmdline");
        if (command_line.rfind(exe, 0) == 0) found = "Z:\\proc\\" + name + "\\stat";
    } while (found.empty() && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

double LinuxCpuSeconds(const std::string& stat_path) {
    const std::string stat = ReadSmallFile(stat_path);
    const std::size_t end_of_name = stat.rfind(')');
    if (end_of_name == std::string::npos) return 0.0;
    // After the name: state, then fields 4 ... 13; user and system time are 14 and 15.
    const char* field = stat.c_str() + end_of_name + 2;
    for (int skip = 0; skip < 11 && field != nullptr; ++skip) {
        field = std::strchr(field, ' ');
        if (field != nullptr) ++field;
    }
    if (field == nullptr) return 0.0;
    char* rest = nullptr;
    const double user = std::strtod(field, &rest);
    const double system = std::strtod(rest, nullptr);
    return (user + system) / 100.0;  // clock ticks of 10 ms
}

double CpuSeconds(HANDLE process) {
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The real program in a folder of its own, idling with 1,000 rows.
void MeasureIdle(const std::string& vemo_exe, int seconds) {
    const vemo::testing::TempFolder temp;
    const std::string& folder = temp.path();
    const std::string exe = folder + "vemo.exe";
    if (!CopyFileA(vemo_exe.c_str(), exe.c_str(), FALSE)) {
        std::printf("idle: cannot copy %s\n", vemo_exe.c_str());
        return;
    }
    WriteBytes(folder + "vemo.dat", Database(1000));
    WriteBytes(folder + "weights.ini", " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::printf("idle: cannot start %s\n", exe.c_str());
        return;
    }
    const HWND window = vemo::e2e::WaitForWindow(process.dwProcessId, "Vemo V009u", 15000);
    Sleep(3000);  // past its start-up and first tick
    const bool under_wine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    const std::string stat = under_wine ? LinuxStatOf(exe) : std::string();
    auto cpu_now = [&] {
        return stat.empty() ? CpuSeconds(process.hProcess) : LinuxCpuSeconds(stat);
    };
    const double cpu_before = cpu_now();
    const Clock::time_point start = Clock::now();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double cpu = cpu_now() - cpu_before;
    const double wall = MsSince(start) / 1000.0;
    std::printf("idle vemo.exe with 1000 rows: %.2f s CPU in %.1f s = %.2f%% of one core (%s)\n",
                cpu, wall, 100.0 * cpu / wall,
                stat.empty() ? "GetProcessTimes" : "its Linux process under Wine");
    if (window != nullptr) vemo::e2e::SendCommand(window, vemo::ids::CloseCommand);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// A Unix path (as the scripts pass it under Wine) or a relative one, made
// absolute before the benchmark changes its folder.
std::string FullPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        std::replace(path.begin(), path.end(), '/', '\\');
    }
    char full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return length > 0 && length < sizeof(full) ? std::string(full, length) : path;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vemo;
    std::string vemo_exe;
    int idle_seconds = 60;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--vemo=", 0) == 0) vemo_exe = FullPath(arg.substr(7));
        if (arg.rfind("--idle-seconds=", 0) == 0) idle_seconds = std::atoi(arg.c_str() + 15);
    }
    const testing::TempFolder temp;
    const std::string& folder = temp.path();
    Seams().program_folder = folder;
    Seams().message_responder = [](const MessageCall&) { return IDOK; };
    Seams().open_recorder = [](const OpenCall&) {};
    Seams().multimedia_recorder = [](const std::string&) {};
    testing::SetTestClock(14, 30);
    WriteBytes(folder + "weights.ini", " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    SetCurrentDirectoryA(folder.c_str());
    std::printf("scheduler benchmark (%s), best of %d\n", sizeof(void*) == 4 ? "32-bit" : "64-bit",
                kRepeats);
    for (int rows : {100, 1000, 10000}) MeasureTicks(folder, rows);
    if (!vemo_exe.empty() && idle_seconds > 0) MeasureIdle(vemo_exe, idle_seconds);
    return 0;
}
