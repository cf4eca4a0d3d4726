// The scheduler's tick on the real main window, with the test clock: ticks
// are WM_TIMER messages sent to the window; the shell's "open" and the sound
// commands go to recorders.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "alarms/alarm_actions.h"
#include "app/settings_file.h"
#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/ids.h"
#include "program/startup.h"
#include "runtime/atomic_file.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
using Texts = std::vector<std::string>;

class SchedulerTest : public ProgramTest {
  protected:
    // Whether timer 1 was running when each message box came up.
    std::vector<bool> timer_running;

    void SetUp() override {
        ProgramTest::SetUp();
        Seams().message_responder = [this](const MessageCall& call) {
            messages.push_back(call);
            timer_running.push_back(KillTimer(MainWindow().window, ids::ProgramTimer) != 0);
            return IDOK;
        };
        SetClock(9, 0);
        WriteWholeFile(folder / "bell.wav", "RIFF");
        settings.program_path = "notepad.exe";
        settings.sound_path = folder / "bell.wav";
        settings.run_program = 1;
        settings.play_sound = 1;
        settings.show_network_output = "no";
    }

    static void SetClock(int hour, int minute) { SetTestClock(hour, minute); }
    void Tick(int hour, int minute) {
        SetClock(hour, minute);
        SendMessageA(MainWindow().window, WM_TIMER, ids::ProgramTimer, 0);
    }
    std::string Line() { return GetControlText(MainWindow(), ids::MessageLine); }
    std::string Code(int row) { return GetItemText(MainWindow(), ids::StateColumn, row); }
    int Selection(int id) { return GetSelection(MainWindow(), id); }
    static TaskRow Row(const char* text, const char* date, const char* time,
                       const char* state = " 6", const char* priority = " 2") {
        return {text, priority, "01-12-2026", date, time, state};
    }
};

TEST_F(SchedulerTest, AReminderAtHalfPastTwoAlarmsOnceAndAgesAfterwards) {
    Start(
        {Row("Call the bank", "07-12-2026", "14:30"), Row("Water plants", "--Tue", "08:00", " 5")});
    SendMessageA(MainWindow().window, WM_CLOSE, 0, 0);  // into the tray
    const std::string summary = "Reminders today: 1. Active Old reminders: 1. ";
    const std::string alarm = "<< REMINDER ALARM >> Call the bank  ";
    struct Step {
        int minute;
        std::string line;
        const char* code;
        std::size_t actions;
    };
    for (const Step& step :
         {Step{29, summary, " 6", 0}, Step{30, alarm, " 0", 1}, Step{30, alarm, " 0", 1},
          Step{31, alarm, " 0", 1},
          Step{32, "Reminder 2 minutes old: Call the bank  " + summary, " 2", 1}}) {
        Tick(14, step.minute);
        EXPECT_EQ(Line(), step.line) << step.minute;
        EXPECT_EQ(Code(0), step.code) << step.minute;
        EXPECT_EQ(Code(1), " 5");
        EXPECT_EQ(Selection(ids::TextColumn), 0);
        EXPECT_EQ(opened.size(), step.actions) << step.minute;
        EXPECT_EQ(IsWindowVisible(MainWindow().window) != 0, step.actions > 0) << step.minute;
        EXPECT_TRUE(TimerRunning());
        if (step.minute == 30) {
            EXPECT_EQ(ReadWholeFile(folder / "VemoMessage.txt"), "Vemo:  " + alarm + "\r\n");
        }
    }
    EXPECT_EQ(opened, Texts{"notepad.exe"});
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0], "Play " + ShortPathName(folder / "bell.wav"));
    EXPECT_FALSE(Tray().InTray);
    EXPECT_EQ(Network().ChosenClass, 3);  // two minutes old: within the hour
}

// Each occurrence restores the window from the tray and starts the program
// once: hourly in every hour, again after its time is edited, once for each
// of two rows alarming together, and late when its window passed unseen.
TEST_F(SchedulerTest, EachOccurrenceBringsTheWindowBackOnce) {
    settings.play_sound = 0;
    struct Step {
        int hour, minute;
        std::size_t opened;  // programs started so far
        bool visible;
        std::string line = "";              // checked when given
        const char* edit_minute = nullptr;  // row 0's new time, 14:MM, before the tick
    };
    struct Scenario {
        std::vector<TaskRow> rows;
        std::vector<Step> steps;
    };
    const std::string today = "07-12-2026";
    const Scenario scenarios[] = {
        {{Row("Stretch", "--Mon", ":15")},
         {{0, 10, 0, false},
          {9, 15, 1, true, "<< REMINDER ALARM >> Stretch  "},
          {9, 16, 1, false},
          {10, 15, 2, true}}},
        {{Row("Call", today.c_str(), "14:30")},
         {{14, 0, 0, false}, {14, 30, 1, true}, {14, 31, 1, false}, {14, 40, 2, true, "", "40"}}},
        {{Row("a", "--Day", "14:30"), Row("b", "07--Dec", "14:30")},
         {{14, 0, 0, false}, {14, 30, 2, true}, {14, 31, 2, false, "<< REMINDER ALARM >> b  "}}},
        {{Row("Call", today.c_str(), "14:30"), Row("Tea", today.c_str(), "17:00")},
         {{14, 0, 0, false},
          {16, 5, 1, true, "Reminder 95 minutes old: Call  Reminders today: 2. "},
          {16, 8, 1, false, "Reminders today: 2. "}}},
        {{Row("a", today.c_str(), "14:10"), Row("b", today.c_str(), "14:20")},
         {{14, 25, 0, false, "There are 2 reminders within the hour. Reminders today: 2. "}}},
    };
    for (const Scenario& scenario : scenarios) {
        Scheduler() = SchedulerState{};
        opened.clear();
        Start(scenario.rows);
        for (const Step& step : scenario.steps) {
            const std::string at = scenario.rows[0].text + " at " + std::to_string(step.hour) +
                                   ":" + std::to_string(step.minute);
            if (step.edit_minute != nullptr) {  // the time column's "Change", on row 0
                SetSelection(MainWindow(), ids::TimeColumn, 0);
                SetControlText(MainWindow(), ids::HourField, "14");
                SetControlText(MainWindow(), ids::MinuteField, step.edit_minute);
                Command(ids::ChangeTimeButton);
            }
            SendMessageA(MainWindow().window, WM_CLOSE, 0, 0);  // "Send to tray"
            ASSERT_FALSE(IsWindowVisible(MainWindow().window)) << at;
            Tick(step.hour, step.minute);
            EXPECT_EQ(opened.size(), step.opened) << at;
            EXPECT_EQ(IsWindowVisible(MainWindow().window) != 0, step.visible) << at;
            if (!step.line.empty()) {
                EXPECT_EQ(Line(), step.line) << at;
            }
        }
        CloseDialog(MainWindow(), 0);
    }
}

// An alarm brings the window up beside the program the user is typing in,
// never taking its keyboard (or every typed Enter and space would edit the
// list), and flashes its taskbar button until the user turns to it; the
// tray's Restore and double click, asked for by the user, still activate it.
// Another program's window, where the user types: an edit control on a
// thread of its own, as the program's windows are on theirs, counting the
// times it loses the keyboard.
std::atomic<int> g_focus_losses{0};
WNDPROC g_edit_procedure = nullptr;
LRESULT CALLBACK CountFocusLosses(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_KILLFOCUS) ++g_focus_losses;
    return CallWindowProcA(g_edit_procedure, window, message, wparam, lparam);
}

class ForeignWindow {
  public:
    ForeignWindow() {
        std::promise<HWND> made;
        std::future<HWND> window = made.get_future();
        thread_ = std::thread([&made, this] {
            thread_id_ = GetCurrentThreadId();
            HWND edit = CreateWindowExA(0, "EDIT", "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400,
                                        300, 200, 100, nullptr, nullptr, nullptr, nullptr);
            g_edit_procedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountFocusLosses)));
            made.set_value(edit);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            DestroyWindow(edit);
        });
        window_ = window.get();
    }
    ~ForeignWindow() {
        PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND get() const { return window_; }
    // Its thread's keyboard focus, once its thread has caught up with the
    // activation messages sent to it (up to a second).
    HWND Focus(HWND expected) const {
        HWND focus = nullptr;
        for (int wait = 0; wait < 100; ++wait) {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            focus = GetGUIThreadInfo(thread_id_, &info) ? info.hwndFocus : nullptr;
            if (focus == expected) break;
            Sleep(10);
        }
        return focus;
    }

  private:
    std::thread thread_;
    DWORD thread_id_ = 0;
    HWND window_ = nullptr;
};

// An alarm brings the window up beside the program the user is typing in,
// never taking its keyboard (or every typed Enter and space would edit the
// list), and flashes its taskbar button until the user turns to it, unless
// Vemo or one of its dialogs is in front already; the tray's Restore and
// double click, asked for by the user, still activate it.
TEST_F(SchedulerTest, AnAlarmLeavesTheKeyboardWhereItWasAndFlashes) {
    settings.play_sound = 0;
    std::vector<DWORD> flashes;
    Seams().flash_recorder = [&flashes](HWND window, DWORD flags) {
        EXPECT_EQ(window, MainWindow().window);
        flashes.push_back(flags);
    };
    Start({Row("Call", "07-12-2026", "14:30"), Row("Tea", "07-12-2026", "14:40"),
           Row("Post", "07-12-2026", "14:50"), Row("Bins", "07-12-2026", "14:53"),
           Row("Dog", "07-12-2026", "14:56")});
    HWND main = MainWindow().window;
    const ForeignWindow other;
    ASSERT_NE(other.get(), nullptr);
    // Which of the two windows lies higher on the screen.
    auto main_above_other = [main, &other] {
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            if (w == main || w == other.get()) return w == main;
        }
        return false;
    };
    constexpr DWORD kUntilInFront = FLASHW_TRAY | FLASHW_TIMERNOFG;
    struct Step {
        const char* where;  // "tray", "behind", "minimised", "front", "dialog"
        int minute;
        std::vector<DWORD> flashes;
        std::size_t opened;  // programs started so far
    };
    for (const Step& step :
         {Step{"tray", 30, {kUntilInFront}, 1}, Step{"behind", 40, {kUntilInFront}, 2},
          Step{"minimised", 50, {kUntilInFront}, 3}, Step{"front", 53, {}, 4},
          Step{"dialog", 56, {}, 5}}) {
        flashes.clear();
        const std::string where = step.where;
        NOTIFYICONDATAA taken{};  // our icon's id in use: the tray refuses it
        taken.cbSize = NOTIFYICONDATAA_V1_SIZE;
        taken.hWnd = main;
        taken.uID = 1;
        taken.uFlags = NIF_ICON;
        taken.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        if (where == "minimised") {
            ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &taken));
        }
        if (where == "tray" || where == "minimised") SendMessageA(main, WM_CLOSE, 0, 0);
        if (where == "minimised") {
            ASSERT_TRUE(IsIconic(main));
        }
        if (where == "dialog") OpenAlarmActionDialog();
        HWND front = where == "front"    ? main
                     : where == "dialog" ? AlarmActionDialog().window
                                         : other.get();
        SetForegroundWindow(front);
        if (front == other.get()) {
            SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            ASSERT_FALSE(main_above_other()) << where;
        }
        ASSERT_EQ(GetForegroundWindow(), front) << where;
        const HWND typing_in = other.Focus(front == other.get() ? other.get() : nullptr);
        g_focus_losses = 0;
        Tick(14, step.minute);
        EXPECT_EQ(opened.size(), step.opened) << where;
        EXPECT_TRUE(IsWindowVisible(main)) << where;
        EXPECT_FALSE(IsIconic(main)) << where;
        EXPECT_EQ(GetForegroundWindow(), front) << where;
        EXPECT_EQ(other.Focus(typing_in), typing_in) << where;
        // Not even for a moment; coming back from a minimised state, Wine
        // moves the activation whatever the flags say, and the keyboard is
        // handed straight back.
        if (where == "tray" || where == "behind") {
            EXPECT_EQ(g_focus_losses, 0) << where;
        } else if (where == "minimised") {
            EXPECT_LE(g_focus_losses, 1) << where;
        }
        // Back from the tray, above the typing. (From a minimised state,
        // Wine moves the activation afterwards, on the other thread's time,
        // and the window handed the keyboard back may come up again.)
        if (where == "tray") {
            EXPECT_TRUE(main_above_other()) << where;
        }
        EXPECT_EQ(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << where;
        EXPECT_EQ(flashes, step.flashes) << where;
        EXPECT_FALSE(Tray().InTray) << where;
        EXPECT_FALSE(Tray().IconShown) << where;
        if (where == "minimised") Shell_NotifyIconA(NIM_DELETE, &taken);
        if (where == "dialog") CloseDialog(AlarmActionDialog(), 0);
    }
    // Restored by the user: in front, with the keyboard.
    for (const char* way : {"Restore", "double click"}) {
        SendMessageA(main, WM_CLOSE, 0, 0);
        SetForegroundWindow(other.get());
        if (std::string(way) == "Restore") {
            SendMessageA(main, WM_COMMAND, ids::TrayRestoreItem, 0);
        } else {
            SendMessageA(main, kTrayMessage, 1, WM_LBUTTONDBLCLK);
        }
        EXPECT_EQ(GetForegroundWindow(), main) << way;
    }
}

// The program timer's intervals: the first tick, every tick after it, the
// pause for editing a date, the pause box, the switch of a row's state.
TEST_F(SchedulerTest, TheTimerIsArmedWithTheIntervalOfEachEvent) {
    std::vector<unsigned> intervals;
    Seams().timer_recorder = [&intervals](unsigned ms, UINT_PTR id) {
        if (id == ids::ProgramTimer) intervals.push_back(ms);
    };
    Start({Row("a", "--Tue", "08:00")});
    Tick(9, 0);
    auto notify = [](int id, int code) {
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(GetDlgItem(MainWindow().window, id)));
    };
    SetSelection(MainWindow(), ids::RemindDateColumn, 0);
    notify(ids::RemindDateColumn, LBN_SELCHANGE);
    notify(ids::CreatedColumn, LBN_SELCHANGE);
    SetSelection(MainWindow(), ids::StateColumn, 0);
    Command(ids::SwitchInactiveButton);
    EXPECT_EQ(intervals, (std::vector<unsigned>{2000, 3000, 20000, 3000, 2000}));
}

TEST_F(SchedulerTest, EarlierAlarmsAreReportedAtStartAndAfterAWakeUp) {
    Start({Row("Tea", "07-12-2026", "16:30"), Row("Dentist", "07-12-2026", "09:00"),
           Row("Lunch", "--Mon", "11:00")});
    const std::string report = "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ";
    Tick(16, 0);
    EXPECT_EQ(Line(), report);
    EXPECT_EQ(Selection(ids::TextColumn), 2);  // the last of them
    EXPECT_EQ(opened.size(), 1u);
    Tick(16, 0);
    EXPECT_EQ(Line(), "Reminders today: 3. ");
    EXPECT_EQ(opened.size(), 1u);

    // Reported again, but what already ran does not run again.
    struct WakeUp {
        UINT message;
        WPARAM kind;
        bool reports;
    };
    for (const WakeUp& w :
         {WakeUp{WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, true},
          // the same resume's notice for the user: already reported
          WakeUp{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, false},
          WakeUp{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, true}, WakeUp{WM_TIMECHANGE, 0, true},
          WakeUp{WM_POWERBROADCAST, PBT_APMSUSPEND, false}}) {
        SendMessageA(MainWindow().window, w.message, w.kind, 0);
        Tick(16, 1);
        EXPECT_EQ(Line(), w.reports ? report : "Reminders today: 3. ") << w.message << w.kind;
        EXPECT_EQ(opened.size(), 1u);
    }
    // Asleep over Tea's minute: raised once on waking, and named; the report
    // of the earlier ones waits for the next tick.
    SendMessageA(MainWindow().window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    Tick(17, 0);
    EXPECT_EQ(Line(), "Reminder 30 minutes old: Tea  Reminders today: 3. ");
    EXPECT_EQ(Selection(ids::TextColumn), 0);
    EXPECT_EQ(opened.size(), 2u);
    Tick(17, 1);
    EXPECT_EQ(Line(), "<< THERE ARE 3 REMINDER ALARMS FROM EARLIER TODAY >> ");
    EXPECT_EQ(Selection(ids::TextColumn), 0);  // still on the task caught up
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(SchedulerTest, TheHighlightRovesThroughTheRowsOfTheChosenClass) {
    Start({Row("a", "--Tue", "08:00", " 5"), Row("b", "--Tue", "08:00", " 6"),
           Row("c", "--Tue", "08:00", " 5"), Row("d", "--Tue", "08:00", " 5")});
    for (int expected : {-1, 0, 2, 3, -1, 0}) {
        Tick(9, 0);
        EXPECT_EQ(Selection(ids::StateColumn), expected);
    }
    EXPECT_EQ(GetControlText(MainWindow(), ids::WeightsLine),
              "Weights:  0: 0: 0: 0: 0: 300" + std::string(18, ' '));
    EXPECT_EQ(Texts({Code(0), Code(1), Code(2), Code(3)}), Texts({" 5", " 6", " 5", " 5"}));
}

TEST_F(SchedulerTest, TheMessageFileFollowsTheLineOnlyWhenItChanges) {
    settings.message_file_path = folder / "missing\\VemoMessage.txt";
    Start({});
    Tick(9, 0);  // cannot be written: skipped without a word, tried again later
    EXPECT_TRUE(messages.empty());
    SettingsOf().Values.message_file_path = "";
    Tick(9, 0);
    const std::string file = folder / "VemoMessage.txt";
    EXPECT_EQ(ReadWholeFile(file), "Vemo:  No Reminder today.\r\n");
    DeleteFileA(file.c_str());
    Tick(9, 1);
    EXPECT_FALSE(FileExists(file));  // the same line: not written again

    SettingsOf().Values.fine_tune = "yes";
    SettingsOf().Values.import_file_path = folder / "import.txt";
    SetCheck(MainWindow(), ids::ShowNetworkOutputCheck, 1);  // the line changes
    Tick(9, 2);
    EXPECT_EQ(ReadWholeFile(file), folder / "import.txt\r\n\r\n");
    SetCheck(MainWindow(), ids::CreateMessageFileCheck, 0);
    SetCheck(MainWindow(), ids::ShowNetworkOutputCheck, 0);
    DeleteFileA(file.c_str());
    Tick(9, 3);
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(SettingsOf().Values.create_message_file, "no");
    EXPECT_FALSE(FileExists(TemporaryPathFor(file)));
}

TEST_F(SchedulerTest, TheImportFileBecomesATaskAndGoesOnlyOnceSaved) {
    settings.import_file_path = folder / "import.txt";
    Start({Row("first", "--Tue", "08:00")});
    // The user is typing a task of their own: the import leaves it alone.
    const std::pair<int, const char*> typed[] = {{ids::EntryField, "Half-typed task"},
                                                 {ids::DayField, "24"},
                                                 {ids::MonthField, "12"},
                                                 {ids::YearField, "2026"},
                                                 {ids::HourField, "18"},
                                                 {ids::MinuteField, "45"}};
    for (const auto& [id, text] : typed) SetControlText(MainWindow(), id, text);
    WriteWholeFile(folder / "import.txt", "Pick up parcel\r\nnot this\r\n");
    Tick(9, 5);
    EXPECT_FALSE(FileExists(folder / "import.txt"));
    EXPECT_EQ(ReadRow(1),
              (TaskRow{"Pick up parcel", " 2", "07-12-2026", "07-12-2026", "09:05", " 6"}));
    for (const auto& [id, text] : typed) EXPECT_EQ(GetControlText(MainWindow(), id), text) << id;
    RecordBuffer buffer{};
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer).size(), 2u);
    EXPECT_NE(ReadWholeFile(folder / "AddFile.txt").find("Pick up parcel"), std::string::npos);

    WriteWholeFile(folder / "import.txt", std::string(300, 'L'));
    Tick(9, 6);
    EXPECT_EQ(ReadRow(2).text, std::string(257, 'L'));
    // A tab or a zero byte would end the record's text early: blanks instead.
    WriteWholeFile(folder / "import.txt", std::string("Call\tBob\0now\r\n", 14));
    Tick(9, 6);
    EXPECT_EQ(ReadRow(3).text, "Call Bob now");
    // An empty first line adds nothing; the file goes all the same.
    WriteWholeFile(folder / "import.txt", "\r\nsecond line\r\n");
    Tick(9, 6);
    EXPECT_EQ(Tasks().Count(), 4);
    EXPECT_FALSE(FileExists(folder / "import.txt"));

    SetFileAttributesA((folder / "vemo.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteWholeFile(folder / "import.txt", "Ship it");
    for (int tick = 0; tick < 3; ++tick) {
        // Held open a moment by whoever writes it: the import stays pending.
        ScopedHandle held(tick == 1 ? CreateFileA((folder / "import.txt").c_str(), GENERIC_READ, 0,
                                                  nullptr, OPEN_EXISTING, 0, nullptr)
                                    : nullptr);
        Tick(9, 7);
        EXPECT_TRUE(FileExists(folder / "import.txt"));
    }
    EXPECT_EQ(GetItemCount(MainWindow(), ids::TextColumn), 5);  // added once
    ASSERT_EQ(messages.size(), 1u);                             // told once; the retries are quiet
    EXPECT_EQ(messages[0].text, "Problem saving data");
    EXPECT_EQ(timer_running, (std::vector<bool>{false}));  // stopped during the tick
    SetFileAttributesA((folder / "vemo.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    Tick(9, 8);
    EXPECT_FALSE(FileExists(folder / "import.txt"));
    EXPECT_EQ(DecodeDatabase(ReadWholeFile(folder / "vemo.dat"), buffer).back().text, "Ship it");
}

TEST_F(SchedulerTest, ThePauseBoxHoldsTheTimerUntilItIsAnswered) {
    Start({Row("a", "--Tue", "08:00"), Row("Call", "07-12-2026", "09:02")});
    Tick(9, 0);
    TaskList().ListDirty = false;
    // Answered ten minutes later: what fell due meanwhile was paused, not missed.
    const auto record = Seams().message_responder;
    Seams().message_responder = [&record](const MessageCall& call) {
        SetClock(9, 10);
        return record(call);
    };
    SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(ids::CreatedColumn, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(MainWindow().window, ids::CreatedColumn)));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Pause...");
    EXPECT_EQ(messages[0].text,
              "The program timer has been stopped, \r\n all alarm functions have been halted, "
              "\r\n press OK to restart program timer.");
    EXPECT_EQ(messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(timer_running, std::vector<bool>{false});
    EXPECT_TRUE(TimerRunning());
    EXPECT_TRUE(TaskList().ListDirty);
    Tick(9, 10);
    EXPECT_TRUE(opened.empty());
}

TEST_F(SchedulerTest, ASoundPathWithBlanksStillNamesItsFileInTheCommand) {
    CreateDirectoryA((folder / "my sounds").c_str(), nullptr);
    settings.sound_path = folder / "my sounds\\the bell.wav";
    WriteWholeFile(settings.sound_path, "RIFF");
    Start({Row("a", "07-12-2026", "09:00")});
    Tick(9, 0);
    Scheduler().SoundTestMode = 0;
    PlaySoundFile();
    ASSERT_EQ(sounds.size(), 2u);
    for (const auto& [command, verb] : {std::pair{sounds[0], "Play "}, {sounds[1], "Close "}}) {
        ASSERT_EQ(command.rfind(verb, 0), 0u) << command;
        std::string path = command.substr(std::string(verb).size());
        if (path.find(' ') != std::string::npos) {
            // A blank would end the command's file name unless it is quoted.
            ASSERT_TRUE(path.size() > 2 && path.front() == '"' && path.back() == '"') << path;
            path = path.substr(1, path.size() - 2);
        }
        EXPECT_EQ(ReadWholeFile(path), "RIFF") << path;
    }
    EXPECT_EQ(sounds[0].substr(5), sounds[1].substr(6));
}

}  // namespace
}  // namespace vemo
