// The program's own windows on real files in a fresh program folder, with
// every seam answering: message boxes and file dialogs are recorded and
// answered, the shell's "open" and the sound commands are recorded, and the
// clock stands at Monday 07-12-2026 09:05.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "alarms/alarm_action_dialog.h"
#include "alarms/scheduler_state.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_history.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "mainwin/tray.h"
#include "network/network_state.h"
#include "network/weights_dialog.h"
#include "program/database_switch.h"
#include "program/startup.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/paths.h"
#include "runtime/shell.h"
#include "support/harness.h"

namespace vemo::testing {

// A literal with its zeros, as the file dialog gets its filter: each bar a
// zero, and two more at the end.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// Row `index` as the main window's six list boxes show it.
inline TaskRow ReadRow(int index) {
    TaskRow row;
    for (const TaskColumn& column : kTaskColumns) {
        FieldOf(row, column.field) = GetItemText(MainWindow(), column.id, index);
    }
    return row;
}
// Every row the list boxes show.
inline std::vector<TaskRow> ReadAllRows() {
    std::vector<TaskRow> rows;
    for (int i = 0; i < GetItemCount(MainWindow(), ids::TextColumn); ++i)
        rows.push_back(ReadRow(i));
    return rows;
}
// The list boxes are the task model's view: the same rows, column by column.
inline void ExpectModelMatchesView() {
    if (Tasks().Window() == nullptr) return;
    for (const TaskColumn& column : kTaskColumns) {
        ASSERT_EQ(GetItemCount(MainWindow(), column.id), Tasks().Count()) << column.id;
    }
    for (int i = 0; i < Tasks().Count(); ++i) {
        ASSERT_EQ(ReadRow(i), Tasks().Row(i)) << "row " << i;
    }
}

class ProgramTest : public ::testing::Test {
  protected:
    TempFolder folder;
    SeamGuard seams;
    std::vector<MessageCall> messages;
    std::vector<FileDialogCall> file_dialogs;
    std::deque<std::string> file_answers;  // "" cancels; none left cancels
    std::vector<std::string> sounds;       // multimedia command strings
    std::vector<std::string> opened;       // files given to the shell's "open"
    bool ended = false;
    Settings settings;  // written to vemo.ini by Start
    char previous_folder[MAX_PATH] = {};

    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous_folder);
        SetCurrentDirectoryA(folder.path().c_str());
        Seams().program_folder = folder.path();
        Seams().message_responder = [this](const MessageCall& call) {
            messages.push_back(call);
            return IDOK;
        };
        Seams().file_dialog_responder = [this](const FileDialogCall& call) {
            file_dialogs.push_back(call);
            if (file_answers.empty()) return std::string();
            std::string answer = file_answers.front();
            file_answers.pop_front();
            return answer;
        };
        Seams().open_recorder = [this](const OpenCall& call) { opened.push_back(call.file); };
        Seams().multimedia_recorder = [this](const std::string& c) { sounds.push_back(c); };
        Seams().end_program = [this] { ended = true; };
        SetTestClock(9, 5);
        WriteWholeFile(folder / "weights.ini", " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
        SettingsOf() = SettingsState{};
        TaskList() = TaskListState{};
        History() = TaskHistory{};
        Scheduler() = SchedulerState{};
        Network() = NetworkState{};
        Program().ExitSaveFailed = false;
        settings.database_path = folder / "vemo.dat";
        settings.window_x = 20;
        settings.window_y = 20;
    }
    void TearDown() override {
        ExpectModelMatchesView();
        CloseDialog(AlarmActionDialog(), 0);
        CloseDialog(WeightsDialog(), 0);
        CloseDialog(MainWindow(), 0);
        WaitForEvents(1);
        SetCurrentDirectoryA(previous_folder);
    }

    void WriteRows(const std::string& path, const std::vector<TaskRow>& rows) {
        RecordBuffer buffer{};
        WriteWholeFile(path, EncodeDatabase(rows, buffer));
    }
    // The database as the test lays it out, with no list of this PC's from an
    // earlier start in the folder to bring that start's tasks back.
    void WriteRows(const std::vector<TaskRow>& rows) {
        WriteRows(folder / "vemo.dat", rows);
        DeleteFileA((folder / ("vemo.dat." + ThisPcName() + ".last")).c_str());
    }
    static std::vector<TaskRow> Rows(std::initializer_list<const char*> texts) {
        std::vector<TaskRow> rows;
        int priority = 0;
        for (const char* text : texts) {
            rows.push_back(
                {text, NumberText(++priority), "01-12-2026", "24-12-2026", "10:00", " 6"});
        }
        return rows;
    }
    // "task 1" ... "task n", due today at 10:00, priorities 1 ... n (or n ... 1).
    static std::vector<TaskRow> Numbered(int count, bool reversed = false) {
        std::vector<TaskRow> rows;
        for (int i = 1; i <= count; ++i) {
            const int priority = reversed ? count + 1 - i : i;
            rows.push_back({"task " + std::to_string(i), NumberText(priority), "01-12-2026",
                            "07-12-2026", "10:00", " 6"});
        }
        return rows;
    }
    void WriteNumberedRows(int count) { WriteRows(Numbered(count)); }
    // vemo.ini as a damaged copy would hold it: the window place as raw tokens.
    void WriteSettings(const std::string& x, const std::string& y) {
        Settings damaged;
        damaged.database_path = folder / "vemo.dat";
        damaged.window_x = 7777777;
        damaged.window_y = 8888888;
        std::string text = FormatSettings(damaged);
        text.replace(text.find(" 7777777"), 8, x);
        text.replace(text.find(" 8888888"), 8, y);
        WriteWholeFile(folder / "vemo.ini", text);
    }
    // vemo.ini from `settings`, the rows into vemo.dat, then the start-up
    // loop's pass up to the open main window.
    void Start(const std::vector<TaskRow>& rows) {
        WriteRows(rows);
        WriteWholeFile(folder / "vemo.ini", FormatSettings(settings));
        Start();
    }
    // The pass from the files as they stand.
    void Start() { ASSERT_TRUE(StartFromSettings()); }
    bool StartFromSettings() { return RunStartPass(StartPass::WindowsOnly); }
    bool HasMessage(const std::string& caption) const {
        for (const MessageCall& m : messages) {
            if (m.caption == caption) return true;
        }
        return false;
    }
    static RECT WorkArea() {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    static HWND Control(int id) { return GetDlgItem(MainWindow().window, id); }
    static void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    // A row chosen in the text column, as a click does.
    static void ChooseRow(int row) {
        SetSelection(MainWindow(), ids::TextColumn, row);
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(ids::TextColumn, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(ids::TextColumn)));
    }
    std::vector<TaskRow> SavedRows() {
        RecordBuffer buffer{};
        return DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer);
    }
    // A toolbar command or button as the window gets it.
    void Command(DialogDefinition& dialog, int id, int notify = BN_CLICKED) {
        SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(id, notify),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog.window, id) != nullptr
                                                  ? GetDlgItem(dialog.window, id)
                                                  : GetDlgItem(dialog.window, ids::Toolbar)));
    }
    void Command(int id, int notify = BN_CLICKED) { Command(MainWindow(), id, notify); }
    std::vector<std::string> Column(int id) {
        std::vector<std::string> items;
        for (int i = 0; i < GetItemCount(MainWindow(), id); ++i) {
            items.push_back(GetItemText(MainWindow(), id, i));
        }
        return items;
    }
    // Line n (1-based) of a text file.
    std::string LineOf(const std::string& path, int n) {
        const std::string text = ReadWholeFile(path);
        std::size_t start = 0;
        for (int i = 1; i < n; ++i) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) return {};
            start = end + 2;
        }
        return text.substr(start, text.find("\r\n", start) - start);
    }
    // What the start-up loop does between waits: the events, then a switch
    // of database one of them asked for.
    static void Pump() {
        WaitForEvents(1);
        RunRequestedSwitch();
    }
    bool TimerRunning() { return KillTimer(MainWindow().window, ids::ProgramTimer) != 0; }
};

}  // namespace vemo::testing
