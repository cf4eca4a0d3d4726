// The real vemo.exe in a temporary program folder, driven from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <utility>

#include "app/task_record.h"
#include "mainwin/ids.h"
#include "mainwin/tray.h"
#include "support/driver.h"
#include "support/export_rows.h"
#include "support/harness.h"

#include <shellapi.h>
#include <winver.h>

namespace vemo {

// A row as a failed comparison shows it.
void PrintTo(const TaskRow& row, std::ostream* out) {
    *out << "{\"" << row.text << "\", \"" << row.priority << "\", " << row.created << ", "
         << row.remind_date << ", " << row.time << ", \"" << row.state << "\"}";
}

namespace {

using namespace e2e;
using testing::FileExists;
using testing::NamesIn;
using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

std::string g_vemo_exe;
// A DLL that leaves "planted-dll-ran.txt" in the current folder when loaded.
std::string g_planted_dll;
// Where the export test leaves its two files for check_exports.py (ctest's
// ExportsReadBack); without it they go with the temporary folder.
std::string g_exports_folder;

constexpr DWORD kStartMs = 15000;
constexpr char kWeightsCaption[] = "Error...load weights data...";

std::string Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[16] = {};
    wsprintfA(text, "%02d-%02d-%04d", now.wDay, now.wMonth, now.wYear);
    return text;
}

class EndToEnd : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string exe = folder / "vemo.exe";

    void SetUp() override {
        ASSERT_FALSE(g_vemo_exe.empty()) << "pass --vemo=<path of vemo.exe>";
        ASSERT_TRUE(CopyFileA(g_vemo_exe.c_str(), exe.c_str(), FALSE)) << g_vemo_exe;
    }
    static constexpr char kWeights[] = " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n";
    void WriteWeights() { WriteWholeFile(folder / "weights.ini", kWeights); }
    // vemo.ini on vemo.dat in this folder, and the weights beside it; `line6`
    // is the window place and the message prefix, `create_message_file` the
    // check box's "yes" or "no".
    void WriteSettings(const std::string& line6, const std::string& create_message_file) {
        WriteSettingsIn(folder, line6, create_message_file);
    }
    static void WriteSettingsIn(const TempFolder& where, const std::string& line6,
                                const std::string& create_message_file) {
        WriteWholeFile(where / "vemo.ini", "\r\n\r\n 0\r\n 0\r\n" + where.path() + "vemo.dat\r\n" +
                                               line6 + "\r\n" + create_message_file +
                                               "\r\nno\r\n\r\nno\r\n\r\n");
        WriteWholeFile(where / "weights.ini", kWeights);
    }
    // The folder's vemo.exe run with `arguments` to its end: its exit code.
    int Run(const std::string& arguments) { return RunIn(folder, arguments); }
    static int RunIn(const TempFolder& where, const std::string& arguments) {
        VemoProcess run(where / "vemo.exe", where.path(), arguments);
        return run.WaitForExit(kStartMs);
    }
};

TEST_F(EndToEnd, FirstRunAddsTasksAndSavesOnClose) {
    VemoProcess vemo(exe, folder.path());
    ASSERT_TRUE(vemo.Started());
    EXPECT_EQ(AnswerMessageBox(vemo.Id(), kWeightsCaption, kStartMs), "Unable to load NN INI file");
    HWND main = WaitForWindow(vemo.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Vemo V009u - Database: vemo.dat");
    EXPECT_EQ(WindowText(GetDlgItem(main, ids::MessageLine)), "Number of entries in the list:  0");

    const std::string day = WindowText(GetDlgItem(main, ids::DayField));
    const std::string month = WindowText(GetDlgItem(main, ids::MonthField));
    const std::string year = WindowText(GetDlgItem(main, ids::YearField));
    const std::string hour = WindowText(GetDlgItem(main, ids::HourField));
    const std::string minute = WindowText(GetDlgItem(main, ids::MinuteField));
    for (const char* task : {"Buy milk", "Call Bob"}) {
        SetFieldText(main, ids::EntryField, task);
        PressButton(main, ids::AddButton);
    }
    EXPECT_EQ(ListItems(main, ids::TextColumn), (std::vector<std::string>{"Buy milk", "Call Bob"}));
    EXPECT_EQ(ListItems(main, ids::PriorityColumn), (std::vector<std::string>{" 1", " 2"}));
    EXPECT_EQ(ListItems(main, ids::CreatedColumn), (std::vector<std::string>{Today(), Today()}));
    const std::string remind = day + "-" + month + "-" + year;
    const std::string time = hour + ":" + minute;
    EXPECT_EQ(ListItems(main, ids::RemindDateColumn), (std::vector<std::string>{remind, remind}));
    EXPECT_EQ(ListItems(main, ids::TimeColumn), (std::vector<std::string>{time, time}));
    EXPECT_EQ(ListItems(main, ids::StateColumn), (std::vector<std::string>{" 6", " 6"}));

    SendCommand(main, ids::CloseCommand);  // Close
    EXPECT_EQ(vemo.WaitForExit(kStartMs), 0);

    const std::string database = ReadWholeFile(folder / "vemo.dat");
    ASSERT_EQ(database.size(), 3 * TaskRecordSize);
    RecordBuffer header;
    std::memcpy(header.data(), database.data(), TaskRecordSize);
    EXPECT_EQ(RecordCount(header), 2);
    RecordBuffer buffer{};
    const auto rows = DecodeDatabase(database, buffer);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].text, "Call Bob");
    EXPECT_EQ(rows[1].priority, " 2");
    EXPECT_EQ(rows[1].state, " 6");

    const std::string settings = ReadWholeFile(folder / "vemo.ini");
    // The database in the program folder is kept relative to it.
    EXPECT_NE(settings.find("\r\nvemo.dat\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find(" Vemo: \r\nyes\r\nyes\r\n"), std::string::npos) << settings;
    const std::string note = Today() + "  1 " + remind + " " + time + " \r\n";
    EXPECT_EQ(ReadWholeFile(folder / "AddFile.txt"),
              "Buy milk " + note + "Call Bob " + Today() + "  2 " + remind + " " + time + " \r\n");
    EXPECT_FALSE(FileExists(folder / "vemo.dat.saving"));
}

// Explorer's Properties of vemo.exe; the version is the project's (CMakeLists.txt).
TEST_F(EndToEnd, VersionResourceNamesTheProductAndItsVersion) {
    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &unused));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    char version[32] = {};
    wsprintfA(version, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
              LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
              LOWORD(fixed->dwFileVersionLS));
    EXPECT_STREQ(version, "0.9.0.0");
    for (const auto& [name, text] :
         {std::pair{"ProductName", "Vemo"}, std::pair{"FileVersion", "0.9.0.0"}}) {
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), &value, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(value), text);
    }
}

// What vemo.exe tells Windows about itself, read back as Windows reads it.
TEST_F(EndToEnd, ManifestDeclaresPerMonitorDpiAsInvokerAndWindows7To11) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    std::string manifest;
    if (found != nullptr) {
        manifest.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                        SizeofResource(module, found));
    }
    FreeLibrary(module);
    ASSERT_FALSE(manifest.empty());

    ACTCTXA request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = exe.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the system cannot read it";
    // The two DPI declarations, each in the namespace its systems look in.
    using QuerySettings =
        BOOL(WINAPI*)(DWORD, HANDLE, const wchar_t*, const wchar_t*, wchar_t*, SIZE_T, SIZE_T*);
    const auto query = reinterpret_cast<QuerySettings>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    ASSERT_NE(query, nullptr);
    const auto setting = [&](const wchar_t* space, const wchar_t* name) {
        wchar_t value[64] = {};
        SIZE_T length = 0;
        if (!query(0, context, space, name, value, std::size(value), &length))
            return std::wstring();
        return std::wstring(value);
    };
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"true/pm");
    ReleaseActCtx(context);

    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos);
    for (const char* system : {"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",     // 10 and 11
                               "1f676c76-80e1-4239-95bb-83d0f6d0da78",     // 8.1
                               "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",     // 8
                               "35138b9a-5d96-4fbd-8e2d-a2440225f93a"}) {  // 7
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + system + "}\"/>"),
                  std::string::npos)
            << system;
    }
    // The controls keep the look they have without one.
    EXPECT_EQ(manifest.find("dependentAssembly"), std::string::npos);
}

TEST_F(EndToEnd, SavedSettingsAndRowsComeBack) {
    std::vector<TaskRow> rows = {{"Water plants", " 3", "01-12-2026", "Mon", "08:00", " 5"}};
    RecordBuffer buffer{};
    const std::string database = EncodeDatabase(rows, buffer);
    WriteWholeFile(folder / "vemo.dat", database);
    WriteSettings(" 100  50 Vemo: ", "no");

    VemoProcess vemo(exe, folder.path());
    ASSERT_TRUE(vemo.Started());
    HWND main = WaitForWindow(vemo.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(AnswerMessageBox(vemo.Id(), kWeightsCaption, 300), "<none>");
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(ListItems(main, ids::TextColumn), (std::vector<std::string>{"Water plants"}));
    EXPECT_EQ(ListItems(main, ids::StateColumn), (std::vector<std::string>{" 5"}));
    EXPECT_EQ(SendMessageA(GetDlgItem(main, ids::CreateMessageFileCheck), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    EXPECT_EQ(ReadWholeFile(folder / "vemo.bak"), database);  // the backup of this start

    SendCommand(main, ids::CloseCommand);
    EXPECT_EQ(vemo.WaitForExit(kStartMs), 0);
    const std::string settings = ReadWholeFile(folder / "vemo.ini");
    EXPECT_NE(settings.find("\r\n 100  50 Vemo: \r\nno\r\nno\r\n"), std::string::npos) << settings;
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), database);
}

TEST_F(EndToEnd, SwitchingDatabasesKeepsEachOnesRowsAndLog) {
    auto write = [&](const std::string& name, const char* text) {
        RecordBuffer buffer{};
        WriteWholeFile(folder / name,
                       EncodeDatabase({{text, " 1", "01-12-2026", "Mon", "08:00", " 5"}}, buffer));
    };
    write("vemo.dat", "home task");
    write("work.dat", "work task");
    WriteSettings(" 40  40 Vemo: ", "no");

    VemoProcess vemo(exe, folder.path());
    ASSERT_TRUE(vemo.Started());
    HWND main = WaitForWindow(vemo.Id(), "Vemo V009u - Database: vemo.dat", kStartMs);
    ASSERT_NE(main, nullptr);
    auto switch_to = [&](const std::string& name) {
        SendCommand(main, ids::DatabaseCommand);
        ASSERT_TRUE(AnswerFileDialog(vemo.Id(), "Open Vemo database", folder / name, kStartMs));
        main = WaitForWindow(vemo.Id(), "Vemo V009u - Database: " + name, kStartMs);
        ASSERT_NE(main, nullptr);
    };
    switch_to("work.dat");
    EXPECT_EQ(ListItems(main, ids::TextColumn), (std::vector<std::string>{"work task"}));
    SetFieldText(main, ids::EntryField, "second work task");
    PressButton(main, ids::AddButton);
    ChooseRow(main, ids::TextColumn, 0);
    SendCommand(main, ids::SendToLogCommand);  // "work task" goes to work's log

    switch_to("vemo.dat");
    EXPECT_EQ(ListItems(main, ids::TextColumn), (std::vector<std::string>{"home task"}));
    ChooseRow(main, ids::TextColumn, 0);
    SendCommand(main, ids::SendToLogCommand);
    SendCommand(main, ids::CloseCommand);
    EXPECT_EQ(vemo.WaitForExit(kStartMs), 0);

    RecordBuffer buffer{};
    const auto work = DecodeDatabase(ReadWholeFile(folder / "work.dat"), buffer);
    ASSERT_EQ(work.size(), 1u);
    EXPECT_EQ(work[0].text, "second work task");
    EXPECT_TRUE(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer).empty());
    // Each database has its own log, holding the row sent from it, in the
    // folder Vemo started in: the file dialog does not move it.
    const std::string work_log = ReadWholeFile(folder / "VemoLog-work.dat.txt");
    const std::string home_log = ReadWholeFile(folder / "VemoLog-vemo.dat.txt");
    EXPECT_NE(work_log.find(" work task\r\n"), std::string::npos) << work_log;
    EXPECT_EQ(work_log.find("home task"), std::string::npos) << work_log;
    EXPECT_NE(home_log.find(" home task\r\n"), std::string::npos) << home_log;
    EXPECT_NE(ReadWholeFile(folder / "vemo.ini").find("\r\nvemo.dat\r\n"), std::string::npos);
}

TEST_F(EndToEnd, ADatabaseThatCannotBeOpenedEndsTheProgram) {
    ASSERT_TRUE(CreateDirectoryA((folder / "vemo.dat").c_str(), nullptr));
    WriteWeights();
    VemoProcess vemo(exe, folder.path());
    ASSERT_TRUE(vemo.Started());
    // A folder cannot be copied to the backup either; that is reported first.
    EXPECT_EQ(AnswerMessageBox(vemo.Id(), "Error...start...", kStartMs),
              "Unable to create backup \r\n of vemo.dat an error occured");
    Sleep(300);
    EXPECT_EQ(AnswerMessageBox(vemo.Id(), "Error...start...", kStartMs),
              "Cant create or access vemo.dat \r\n try updating vemo.ini \r\n line 5");
    EXPECT_EQ(vemo.WaitForExit(kStartMs), 0);
    EXPECT_FALSE(FileExists(folder / "vemo.ini"));  // nothing was saved
}

// The local date and time `seconds` from now, as the remind-date and time
// columns hold them.
std::pair<std::string, std::string> LocalTimeIn(int seconds) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME file_time{};
    SystemTimeToFileTime(&now, &file_time);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file_time.dwLowDateTime;
    ticks.HighPart = file_time.dwHighDateTime;
    ticks.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
    file_time.dwLowDateTime = ticks.LowPart;
    file_time.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME then{};
    FileTimeToSystemTime(&file_time, &then);
    char date[16] = {};
    char time[8] = {};
    wsprintfA(date, "%02d-%02d-%04d", then.wDay, then.wMonth, then.wYear);
    wsprintfA(time, "%02d:%02d", then.wHour, then.wMinute);
    return {date, time};
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout_ms) return false;
        Sleep(100);
    }
    return true;
}

TEST_F(EndToEnd, AReminderBringsTheWindowBackFromTheTrayAndWritesTheMessageFile) {
    // The reminder is for the next minute, so the program is in the tray well
    // before it comes; late in a minute, the next one is waited for first.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (now.wSecond >= 50) Sleep((61 - now.wSecond) * 1000);
    const auto [date, time] = LocalTimeIn(60);
    RecordBuffer buffer{};
    WriteWholeFile(folder / "vemo.dat",
                   EncodeDatabase({{"Take the pills", " 2", Today(), date, time, " 6"}}, buffer));
    WriteSettings(" 100  50 Vemo: ", "yes");

    VemoProcess vemo(exe, folder.path());
    ASSERT_TRUE(vemo.Started());
    HWND main = WaitForWindow(vemo.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(main, nullptr);
    SendCommand(main, 16);  // Send to tray
    ASSERT_TRUE(WaitUntil([main] { return !IsWindowVisible(main); }, kStartMs));

    const std::string expected = "Vemo:  << REMINDER ALARM >> Take the pills  \r\n";
    EXPECT_TRUE(WaitUntil([main] { return IsWindowVisible(main) != 0; }, 75000)) << time;
    EXPECT_TRUE(
        WaitUntil([&] { return ReadWholeFile(folder / "VemoMessage.txt") == expected; }, kStartMs))
        << ReadWholeFile(folder / "VemoMessage.txt");
    EXPECT_EQ(ListItems(main, 46), (std::vector<std::string>{" 0"}));
    EXPECT_EQ(WindowText(GetDlgItem(main, 44)), "<< REMINDER ALARM >> Take the pills  ");

    SendCommand(main, 3);
    EXPECT_EQ(vemo.WaitForExit(kStartMs), 0);
}

// One Vemo per program folder: a second start brings the first back from the
// tray and ends, writing nothing, so the first's saves stand. A copy in
// another folder is a Vemo of its own.
TEST_F(EndToEnd, ASecondStartOnTheFolderBringsTheFirstForwardAndEnds) {
    WriteSettings(" 40  40 Vemo: ", "no");
    VemoProcess first(exe, folder.path());
    ASSERT_TRUE(first.Started());
    HWND main = WaitForWindow(first.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(main, nullptr);
    SendCommand(main, ids::SendToTrayCommand);
    ASSERT_TRUE(WaitUntil([main] { return !IsWindowVisible(main); }, kStartMs));
    // A start that went on would copy this database to vemo.bak.
    ASSERT_TRUE(FileExists(folder / "vemo.dat"));
    ASSERT_FALSE(FileExists(folder / "vemo.bak"));

    VemoProcess second(exe, folder.path());
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(kStartMs), 0);
    EXPECT_TRUE(WaitUntil([main] { return IsWindowVisible(main) != 0; }, kStartMs));
    EXPECT_EQ(CountWindows(0, "Vemo V009u"), 1);
    EXPECT_FALSE(FileExists(folder / "vemo.bak"));

    TempFolder elsewhere;
    ASSERT_TRUE(CopyFileA(exe.c_str(), (elsewhere / "vemo.exe").c_str(), FALSE));
    VemoProcess other(elsewhere / "vemo.exe", elsewhere.path());
    ASSERT_TRUE(other.Started());
    // Started while the other is still at its start-up message: it waits for
    // the window, then hands over to it.
    ASSERT_NE(WaitForWindow(other.Id(), kWeightsCaption, kStartMs), nullptr);
    VemoProcess waiting(elsewhere / "vemo.exe", elsewhere.path());
    ASSERT_TRUE(waiting.Started());
    EXPECT_EQ(waiting.WaitForExit(500), -1);
    EXPECT_EQ(AnswerMessageBox(other.Id(), kWeightsCaption, kStartMs),
              "Unable to load NN INI file");
    EXPECT_EQ(waiting.WaitForExit(kStartMs), 0);
    HWND other_main = WaitForWindow(other.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(other_main, nullptr);
    EXPECT_EQ(CountWindows(0, "Vemo V009u"), 2);
    SendCommand(other_main, ids::CloseCommand);
    EXPECT_EQ(other.WaitForExit(kStartMs), 0);

    SetFieldText(main, ids::EntryField, "Added in the first");
    PressButton(main, ids::AddButton);
    SendCommand(main, ids::CloseCommand);
    EXPECT_EQ(first.WaitForExit(kStartMs), 0);
    RecordBuffer buffer{};
    const auto rows = DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, "Added in the first");
}

// The names a folder holds.

// The per-user logon entry named "Vemo", or "<none>".
std::string LogonEntry() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return "<none>";
    }
    char value[1024] = {};
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, "Vemo", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : "<none>";
}

// Whether the shell holds the tray icon of that window (its id is 1): the
// shell changes only an icon it has.
bool HasTrayIcon(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != 0;
}

// Every switch on the real vemo.exe, with Vemo closed and running.
TEST_F(EndToEnd, TheCommandLineReachesVemoWhetherItRunsOrNot) {
    // Bad arguments end with code 2 before anything is written.
    for (const char* arguments :
         {"/frobnicate", "/export", "/add x 31-02-2026", "/add x --Mon 10:00 0"}) {
        EXPECT_EQ(Run(arguments), 2) << arguments;
        EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"vemo.exe"}) << arguments;
    }
    // The help ends at once, done, writing nothing either.
    for (const char* arguments : {"/?", "-Help"}) {
        EXPECT_EQ(Run(arguments), 0) << arguments;
        EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"vemo.exe"}) << arguments;
    }

    // With Vemo closed the task goes into the database.
    WriteSettings(" 40  40 Vemo: ", "no");
    ASSERT_EQ(Run("/add \"Call the dentist\" 29-02-2028 09:30 2"), 0);
    RecordBuffer buffer{};
    const TaskRow dentist{"Call the dentist", " 2", Today(), "29-02-2028", "09:30", " 6"};
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer),
              std::vector<TaskRow>{dentist});
    // An export never goes over the database, however its path is spelled.
    const std::string database = ReadWholeFile(folder / "vemo.dat");
    EXPECT_EQ(Run("/export \"" + folder / "VEMO.DAT" + "\""), 2);
    EXPECT_EQ(ReadWholeFile(folder / "vemo.dat"), database);

    // In the tray: the window hidden behind the icon until its double click;
    // a second /tray leaves it be. (No row is due today, so no alarm shows it.)
    VemoProcess tray(exe, folder.path(), "/tray");
    ASSERT_TRUE(tray.Started());
    HWND main = WaitForAnyWindow(tray.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(main, nullptr);
    SendMessageA(main, WM_NULL, 0, 0);  // answered once its start has reached the wait loop
    EXPECT_EQ(tray.WaitForExit(0), -1);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(HasTrayIcon(main));
    SendMessageA(main, kTrayMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(HasTrayIcon(main));
    EXPECT_EQ(Run("/tray"), 0);
    EXPECT_EQ(CountWindows(0, "Vemo V009u"), 1);

    // With Vemo running it adds the row at once and saves, leaving alone what
    // the user is typing.
    SetFieldText(main, ids::EntryField, "half typed");
    ASSERT_EQ(Run("/add \"Pay the rent, 1st\" 07--jan :45 3"), 0);
    const TaskRow rent{"Pay the rent, 1st", " 3", Today(), "07--Jan", ":45", " 6"};
    EXPECT_EQ(ListItems(main, ids::TextColumn),
              (std::vector<std::string>{dentist.text, rent.text}));
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer),
              (std::vector<TaskRow>{dentist, rent}));
    EXPECT_EQ(WindowText(GetDlgItem(main, ids::EntryField)), "half typed");

    for (const auto& [arguments, entry] :
         {std::pair<std::string, std::string>{"/autostart on", "\"" + exe + "\" /tray"},
          {"/autostart off", "<none>"}}) {
        EXPECT_EQ(Run(arguments), 0) << arguments;
        EXPECT_EQ(LogonEntry(), entry) << arguments;
    }
    SendCommand(main, ids::CloseCommand);
    EXPECT_EQ(tray.WaitForExit(kStartMs), 0);

    // The exports of a running Vemo on the sample rows, in a folder of its own
    // (their reminders would bring a window forward from the tray). It holds
    // the rows while its file is emptied: only its save before the export
    // brings them back to the file.
    TempFolder sample;
    ASSERT_TRUE(CopyFileA(exe.c_str(), (sample / "vemo.exe").c_str(), FALSE));
    WriteSettingsIn(sample, " 40  40 Vemo: ", "no");
    const std::vector<TaskRow> rows = testing::ExportSampleRows();
    WriteWholeFile(sample / "vemo.dat", EncodeDatabase(rows, buffer));
    VemoProcess running(sample / "vemo.exe", sample.path());
    ASSERT_TRUE(running.Started());
    HWND sample_main = WaitForWindow(running.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(sample_main, nullptr);
    WriteWholeFile(sample / "vemo.dat", "");
    const std::string exports = g_exports_folder.empty() ? sample.path() : g_exports_folder;
    for (const char* name : {"vemo.ics", "vemo.csv"}) {
        DeleteFileA((exports + name).c_str());
        EXPECT_EQ(RunIn(sample, "/export \"" + exports + name + "\""), 0) << name;
        EXPECT_TRUE(FileExists(exports + name)) << name;
    }
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(sample / "vemo.dat"), buffer).size(), rows.size());
    SendCommand(sample_main, ids::CloseCommand);
    EXPECT_EQ(running.WaitForExit(kStartMs), 0);
}

// A DLL planted beside vemo.exe under the name of a DLL it uses (Wine told
// to prefer such a DLL to its own, as Windows' search order does) is never
// loaded: not at start, not for the toolbar, the sound or the dialogs.
TEST_F(EndToEnd, ADllPlantedBesideTheProgramIsNeverLoaded) {
    ASSERT_FALSE(g_planted_dll.empty()) << "pass --planted=<path of planted.dll>";
    // COMCTL32 too on Windows, where the DLLs a known system DLL (SHELL32,
    // COMDLG32) imports come from the system folder; Wine's own SHELL32
    // would load it from here whatever Vemo does, so only these two are
    // planted under Wine.
    for (const char* name : {"winmm.dll", "riched32.dll"}) {
        ASSERT_TRUE(CopyFileA(g_planted_dll.c_str(), (folder / name).c_str(), FALSE)) << name;
    }
    WriteSettings(" 40  40 Vemo: ", "no");
    RecordBuffer buffer{};
    WriteWholeFile(
        folder / "vemo.dat",
        EncodeDatabase({{"a", " 1", "01-12-2026", "24-12-2030", "10:00", " 5"}}, buffer));
    // Wine's own setting for vemo.exe (no meaning on Windows): a DLL of the
    // program's folder before its built-in one.
    constexpr char kOverrides[] = "Software\\Wine\\AppDefaults\\vemo.exe\\DllOverrides";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    for (const char* name : {"winmm", "riched32"}) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
    }
    RegCloseKey(key);
    {
        VemoProcess vemo(exe, folder.path());
        HWND main = WaitForWindow(vemo.Id(), "Vemo V009u", kStartMs);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(ListItems(main, ids::TextColumn), (std::vector<std::string>{"a"}));
        SendCommand(main, ids::AlarmActionCommand);  // the dialog with the sound test
        SendCommand(main, ids::CloseCommand);
        EXPECT_EQ(vemo.WaitForExit(kStartMs), 0);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);
    EXPECT_FALSE(FileExists(folder / "planted-dll-ran.txt"));
}

// Two PCs on one database in a synced folder: two program folders whose
// settings name one database in a third. (Both run on this machine as one
// user, so they share one records file, as two Vemos of one user on one PC
// do.) What one adds or deletes shows in the other within a few ticks; an
// unsaved priority change in one survives the other's new task; after both
// close, the database holds exactly the merged list.
TEST_F(EndToEnd, TwoCopiesOnOneDatabaseEndWithEveryTaskNoneDeleted) {
    TempFolder second;
    TempFolder shared;
    ASSERT_TRUE(CopyFileA(g_vemo_exe.c_str(), (second / "vemo.exe").c_str(), FALSE));
    RecordBuffer buffer{};
    const auto row = [](const char* text) {
        return TaskRow{text, " 2", "01-12-2026", "24-12-2030", "10:00", " 5"};
    };
    WriteWholeFile(shared / "vemo.dat", EncodeDatabase({row("a"), row("b")}, buffer));
    for (const TempFolder* pc : {&folder, &second}) {
        WriteWholeFile(*pc / "vemo.ini",
                       "\r\n\r\n 0\r\n 0\r\n" + shared.path() +
                           "vemo.dat\r\n 40  40 Vemo: \r\nno\r\nno\r\n\r\nno\r\n\r\n");
        WriteWholeFile(*pc / "weights.ini", kWeights);
    }
    VemoProcess one(exe, folder.path());
    VemoProcess two(second / "vemo.exe", second.path());
    HWND first = WaitForWindow(one.Id(), "Vemo V009u", kStartMs);
    HWND other = WaitForWindow(two.Id(), "Vemo V009u", kStartMs);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    const auto texts = [](HWND main) { return ListItems(main, ids::TextColumn); };
    using Texts = std::vector<std::string>;

    SetFieldText(first, ids::EntryField, "from one");
    PressButton(first, ids::AddButton);
    ChooseRow(first, ids::TextColumn, 1);  // b
    SendCommand(first, ids::DeleteCommand);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return texts(other) == Texts{"a", "from one"};
        },
        15000))
        << ::testing::PrintToString(texts(other));

    ChooseRow(other, ids::PriorityColumn, 0);  // a: 2 -> 3, not saved yet
    PressButton(other, ids::PriorityDownButton);
    SetFieldText(first, ids::EntryField, "again from one");
    PressButton(first, ids::AddButton);
    EXPECT_TRUE(WaitUntil([&] { return texts(other).size() == 3; }, 10000))
        << ::testing::PrintToString(texts(other));
    EXPECT_EQ(ListItems(other, ids::PriorityColumn)[0], " 3");

    SendCommand(other, ids::CloseCommand);
    EXPECT_EQ(two.WaitForExit(kStartMs), 0);
    SendCommand(first, ids::CloseCommand);
    EXPECT_EQ(one.WaitForExit(kStartMs), 0);
    const std::vector<TaskRow> rows = DecodeDatabase(ReadWholeFile(shared / "vemo.dat"), buffer);
    std::vector<std::pair<std::string, std::string>> saved;
    for (const TaskRow& r : rows) saved.emplace_back(r.text, r.priority);
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(saved, (std::vector<std::pair<std::string, std::string>>{
                         {"a", " 3"}, {"again from one", " 3"}, {"from one", " 3"}}));
}

}  // namespace
}  // namespace vemo

// A Unix path, as ctest passes it under Wine, as Windows names it.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path) c = c == '/' ? '\\' : c;
    }
    return path;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--vemo=", 0) == 0) vemo::g_vemo_exe = WindowsPath(arg.substr(7));
        if (arg.rfind("--planted=", 0) == 0) vemo::g_planted_dll = WindowsPath(arg.substr(10));
        if (arg.rfind("--exports=", 0) == 0) {
            std::string& folder = vemo::g_exports_folder;
            folder = WindowsPath(arg.substr(10));
            if (!folder.empty() && folder.back() != '\\') folder += '\\';
            CreateDirectoryA(folder.c_str(), nullptr);
        }
    }
    return RUN_ALL_TESTS();
}
