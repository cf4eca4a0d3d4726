// The task list at 1,000 and 10,000 rows: opening the main window, loading
// and saving through the program's own path, each beside the floor that
// bounds it, measured in the same run with the same items:
//   fill   six bare list boxes filled (room reserved, drawing held)
//   safe write  the database's bytes alone, written crash-safe (a temporary
//          file, flushed, moved over the old one), read from nowhere
//   dialog a bare dialog of the main window's controls, created and shown
// and the working set the rows add beside what six bare list boxes add.
// Two more figures for reference: every item of the six read back with
// LB_GETTEXT, and the bytes written and flushed in place.
// Each time is the best of a few runs. Prints its figures; asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/database_watch.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_commands.h"
#include "app/task_list.h"
#include "app/task_merge.h"
#include "app/task_model.h"
#include "app/task_store.h"
#include "app/task_sync.h"
#include "bench/bench_support.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "mainwin/shared_database.h"
#include "program/startup.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/shell.h"
#include "runtime/win32.h"
#include "support/harness.h"

// Needs <windows.h> first.
#include <psapi.h>

namespace {

using namespace vemo::bench;
constexpr int kRuns = 5;

// The best time of `kRuns` runs of `prepare` (not timed) then `work`.
double BestMs(const std::function<void()>& prepare, const std::function<void()>& work,
              int runs = kRuns) {
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const Clock::time_point start = Clock::now();
        work();
        best = std::min(best, MsSince(start));
    }
    return best;
}

double MegabytesInUse() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// A bare dialog from the main window's own template: the same controls,
// none of Vemo's handling.
INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

HWND OpenBareDialog(const std::vector<std::uint8_t>& bytes) {
    std::vector<DWORD> aligned((bytes.size() + 3) / 4);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEA>(aligned.data()),
                                             nullptr, BareDialogProc, 0);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    return dialog;
}

constexpr int kColumnIds[] = {vemo::ids::TextColumn,       vemo::ids::CreatedColumn,
                              vemo::ids::PriorityColumn,   vemo::ids::TimeColumn,
                              vemo::ids::RemindDateColumn, vemo::ids::StateColumn};

const std::string& Field(const vemo::TaskRow& row, int k) {
    const std::string* fields[6] = {&row.text, &row.created,     &row.priority,
                                    &row.time, &row.remind_date, &row.state};
    return *fields[k];
}

// The floors' six list boxes: those of a bare dialog of the same template.
void FillBare(HWND dialog, const std::vector<vemo::TaskRow>& rows) {
    for (int k = 0; k < 6; ++k) {
        HWND box = GetDlgItem(dialog, kColumnIds[k]);
        SendMessageA(box, LB_RESETCONTENT, 0, 0);
        SendMessageA(box, LB_INITSTORAGE, rows.size(), rows.size() * 16);
        SendMessageA(box, WM_SETREDRAW, FALSE, 0);
        for (const vemo::TaskRow& row : rows) {
            SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Field(row, k).c_str()));
        }
        SendMessageA(box, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(box, nullptr, TRUE);
    }
}

void ReadBare(HWND dialog, int rows) {
    std::string buffer;
    for (int id : kColumnIds) {
        HWND box = GetDlgItem(dialog, id);
        for (int i = 0; i < rows; ++i) {
            const auto length = SendMessageA(box, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            buffer.resize(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
            SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(buffer.data()));
        }
    }
}

void Pump() {
    vemo::WaitForEvents(1);
}

void Measure(const std::string& folder, int count) {
    using namespace vemo;
    std::vector<TaskRow> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back({"Task number " + std::to_string(i) + " with a little text to carry",
                        NumberText(i % 9 + 1), "01-12-2026", "Mon", "14:30", " 6"});
    }
    RecordBuffer buffer{};
    const std::string bytes = EncodeDatabase(rows, buffer);
    WriteBytes(folder + "vemo.dat", bytes);
    LoadSettings();
    DefineProgramWindows();
    const std::vector<std::uint8_t> bare_template = DialogTemplateFor(MainWindow());

    // The floors.
    HWND bare = nullptr;
    const double dialog_ms = BestMs(
        [&] {
            if (bare != nullptr) DestroyWindow(bare);
            Pump();
        },
        [&] { bare = OpenBareDialog(bare_template); });
    const double bare_before = MegabytesInUse();
    const double fill_ms = BestMs([] {}, [&] { FillBare(bare, rows); });
    const double bare_growth = MegabytesInUse() - bare_before;
    const double read_ms = BestMs([] {}, [&] { ReadBare(bare, count); });
    const double write_ms = BestMs([] {}, [&] { WriteBytes(folder + "plain.dat", bytes, true); });
    DestroyWindow(bare);
    Pump();

    // Vemo's own path.
    const double vemo_before = MegabytesInUse();
    const double open_ms = BestMs(
        [] {
            CloseDialog(MainWindow(), 0);
            Pump();
        },
        [] {
            RunStartPass(StartPass::WindowsOnly);  // the window's first step loads the rows
            UpdateWindow(MainWindow().window);
        });
    const double vemo_growth = MegabytesInUse() - vemo_before;
    const double load_ms = BestMs([] { Tasks().Clear(); }, [] { LoadTaskList(); });
    // The save and its floor in turns, each going first every other run: a
    // flush costs less right after another one, and neither may have that
    // for itself.
    double save_ms = 1e30;
    double safe_write_ms = 1e30;
    const auto save = [&] { save_ms = std::min(save_ms, BestMs([] {}, [] { SaveData(); }, 1)); };
    const auto floor = [&] {
        safe_write_ms =
            std::min(safe_write_ms,
                     BestMs([] {}, [&] { ReplaceFileAtomically(folder + "safe.dat", bytes); }, 1));
    };
    for (int run = 0; run < 2 * kRuns; ++run) {
        if (run % 2 == 0) {
            save();
            floor();
        } else {
            floor();
            save();
        }
    }
    const double settings_ms = BestMs([] {}, [] { SaveSettings(); });

    // Another PC's version: every hundredth task changed, one added.
    std::vector<TaskRow> theirs = rows;
    for (std::size_t i = 0; i < theirs.size(); i += 100) theirs[i].text += " (changed there)";
    theirs.push_back({"Added there", " 1", "01-12-2026", "Tue", "09:00", " 5"});
    RecordBuffer their_buffer{};
    WriteBytes(folder + "theirs.dat", EncodeDatabase(theirs, their_buffer));
    const double decode_ms =
        BestMs([] {}, [&] { ReadDatabaseFile(folder + "theirs.dat", nullptr, true); });
    const double merge_ms = BestMs([] {},
                                   [&] {
                                       const DatabaseRead read =
                                           ReadDatabaseFile(folder + "theirs.dat", nullptr, true);
                                       MergeTaskLists(Tasks().Rows(), {}, read.rows, {});
                                   });
    // A reload, from the tick's question to the list shown: the file has
    // the same tasks, every tenth with another priority, each run in turn.
    std::vector<std::string> versions = {bytes, {}};
    std::vector<TaskRow> reprioritised = rows;
    for (std::size_t i = 0; i < rows.size(); i += 10) reprioritised[i].priority = " 9";
    RecordBuffer reload_buffer{};
    versions[1] = EncodeDatabase(reprioritised, reload_buffer);
    int version = 0;
    bool reloaded = true;
    const double reload_ms = BestMs(
        [&] {
            version = 1 - version;
            WriteBytes(folder + "next.dat", versions[static_cast<std::size_t>(version)]);
            MoveFileExA((folder + "next.dat").c_str(), (folder + "vemo.dat").c_str(),
                        MOVEFILE_REPLACE_EXISTING);
        },
        [&] {
            AskAboutDatabase(MainWindow().window, kDatabaseNotice);
            MSG msg;
            while (!PeekMessageA(&msg, MainWindow().window, kDatabaseNotice, kDatabaseNotice,
                                 PM_REMOVE)) {
                Sleep(0);
            }
            OnDatabaseNotice();
            reloaded = reloaded && GetItemText(MainWindow(), ids::PriorityColumn, 0) ==
                                       (version == 1 ? " 9" : rows[0].priority);
        });
    // What the store adds to a save: the look at the file and the records
    // before it, this PC's last list after it.
    const std::string database = folder + "vemo.dat";
    const double check_ms = BestMs([] {},
                                   [&] {
                                       OpenedStamp(database);
                                       ReadRecordsFiles(database);
                                   });
    const double last_ms =
        BestMs([] {}, [&] { ReplaceFileAtomically(folder + "vemo.dat.PC-user.last", bytes); });
    // The copies a merge keeps until it is written: the file as found and
    // the list before it.
    double kept_mb = 0;
    {
        const double before_mb = MegabytesInUse();
        const TaskRows found = ReadDatabaseFile(folder + "theirs.dat", nullptr, true).rows;
        const TaskRows list_before = Tasks().Rows();
        kept_mb = MegabytesInUse() - before_mb;
    }
    // Clear All taken back with Ctrl+Z: every row back, noted for the next
    // merge and saved.
    double undo_ms = 1e30;
    bool undone = true;
    for (int run = 0; run < kRuns; ++run) {
        ClearAll("07-12-2026");
        undo_ms = std::min(undo_ms, BestMs([] {}, [] { ApplyCommand(UndoStep()); }, 1));
        undone = undone && Tasks().Count() == count;
    }
    const int shown = GetItemCount(MainWindow(), ids::TextColumn);
    CloseDialog(MainWindow(), 0);
    Pump();

    const auto line = [count](const char* what, double ms, const char* floor_name,
                              double floor_ms) {
        std::printf("  %-18s %8.1f ms  %6.2f us/row   floor %-22s %8.1f ms   ratio %5.2f\n", what,
                    ms, 1000.0 * ms / count, floor_name, floor_ms, ms / floor_ms);
    };
    std::printf("%6d rows, %.2f MB file, %d rows shown\n", count,
                static_cast<double>(bytes.size()) / (1024.0 * 1024.0), shown);
    line("load", load_ms, "fill", fill_ms);
    line("save", save_ms, "safe write", safe_write_ms);
    line("open main window", open_ms, "bare dialog + fill", dialog_ms + fill_ms);
    line("merge", merge_ms, "decode-only read", decode_ms);
    line(reloaded ? "reload" : "reload (NOT SHOWN)", reload_ms, "load", load_ms);
    line(undone ? "undo Clear All" : "undo (NOT ALL BACK)", undo_ms, "load + save",
         load_ms + save_ms);
    std::printf(
        "  a save's look at the file and the records before it %.2f ms, its last list after "
        "it %.1f ms; a waiting merge keeps %.1f MB (the file as found, the list before)\n",
        check_ms, last_ms, kept_mb);
    std::printf(
        "  floors: fill %.1f ms, safe write %.1f ms, bare dialog %.1f ms; for reference: read "
        "%.1f ms, write/flush in place %.1f ms, the settings' own save (part of every save) "
        "%.1f ms\n",
        fill_ms, safe_write_ms, dialog_ms, read_ms, write_ms, settings_ms);
    std::printf(
        "  working set grown %.1f MB beside %.1f MB for six bare list boxes   ratio %5.2f\n",
        vemo_growth, bare_growth, bare_growth > 0 ? vemo_growth / bare_growth : 0.0);
}

}  // namespace

int main() {
    using namespace vemo;
    const testing::TempFolder temp;
    const std::string& folder = temp.path();
    Seams().program_folder = folder;
    Seams().message_responder = [](const MessageCall&) { return IDOK; };
    WriteBytes(folder + "weights.ini", " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    SetCurrentDirectoryA(folder.c_str());
    LoadSettings();
    std::printf("task list benchmark (%s, best of %d), working set at start %.1f MB\n",
                sizeof(void*) == 4 ? "32-bit" : "64-bit", kRuns, MegabytesInUse());
    for (int rows : {1000, 10000}) Measure(folder, rows);
    return 0;
}
