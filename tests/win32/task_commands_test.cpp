// The task commands called as the main window calls them, on its real list
// columns: a sequence of commands against the rows, the user's chosen row
// and what each asks of the window.
#include <gtest/gtest.h>

#include <functional>

#include "app/message_line.h"
#include "app/task_commands.h"
#include "runtime/colours.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;
using Texts = std::vector<std::string>;

using TaskCommands = ProgramTest;

TEST_F(TaskCommands, EachActsOnItsRowAndSaysWhatTheWindowMustDo) {
    Start(Rows({"a", "b", "c"}));  // priorities 1, 2, 3
    const std::string today = "07-12-2026";
    auto select = [](TaskField field, int row) { Tasks().Select(field, row); };
    struct Step {
        const char* name;
        std::function<CommandEffect()> run;
        Texts texts;
        Texts priorities;
        int chosen;  // ChosenRow() afterwards
        bool save;
        unsigned timer_ms = 0;
        std::optional<CommandEffect::Pick> select = std::nullopt;
    };
    const Step steps[] = {
        {"add",
         [&] {
             return AddTask({"d", "24-12-2026", "18:00"}, today);
         },
         {"a", "b", "c", "d"},
         {" 1", " 2", " 3", " 4"},
         -1,
         true},
        {"add nothing",
         [&] {
             return AddTask({"", "24-12-2026", "18:00"}, today);
         },
         {"a", "b", "c", "d"},
         {" 1", " 2", " 3", " 4"},
         -1,
         false},
        {"change without a choice",
         [] { return ChangeText("x"); },
         {"a", "b", "c", "d"},
         {" 1", " 2", " 3", " 4"},
         -1,
         false},
        {"change the chosen row, wherever the selection went",
         [&] {
             ChooseRow(1);
             select(TaskField::Text, 3);
             return ChangeText("B");
         },
         {"a", "B", "c", "d"},
         {" 1", " 2", " 3", " 4"},
         1,
         false},
        {"priority down",
         [&] {
             select(TaskField::Priority, 0);
             return PriorityDown();
         },
         {"a", "B", "c", "d"},
         {" 2", " 2", " 3", " 4"},
         1,
         false,
         0,
         CommandEffect::Pick{TaskField::Priority, 0}},
        {"priority up stops at one",
         [&] {
             select(TaskField::Priority, 0);
             PriorityUp();
             select(TaskField::Priority, 0);
             return PriorityUp();
         },
         {"a", "B", "c", "d"},
         {" 1", " 2", " 3", " 4"},
         1,
         false},
        {"switch inactive",
         [&] {
             select(TaskField::State, 2);
             return SwitchInactive();
         },
         {"a", "B", "c", "d"},
         {" 1", " 2", " 3", " 4"},
         1,
         false,
         kSwitchInactiveTickMs,
         CommandEffect::Pick{TaskField::State, 2}},
        {"delete the chosen row",
         [] { return DeleteTask(); },
         {"a", "c", "d"},
         {" 1", " 3", " 4"},
         -1,
         true},
        {"delete with no choice left",
         [] { return DeleteTask(); },
         {"a", "c", "d"},
         {" 1", " 3", " 4"},
         -1,
         true},
        {"import, past the fields",
         [&] { return ImportTask("e\tf", today, 9, 7); },
         {"a", "c", "d", "e f"},
         {" 1", " 3", " 4", " 4"},
         -1,
         true},
        {"sort, stable, ends the choice",
         [&] {
             for (int step = 0; step < 4; ++step) {
                 select(TaskField::Priority, 0);
                 PriorityDown();
             }
             ChooseRow(0);
             return SortByPriority();
         },
         {"c", "d", "e f", "a"},
         {" 3", " 4", " 4", " 5"},
         -1,
         true},
        {"send the chosen row to the log",
         [&] {
             ChooseRow(2);
             return SendToLog(today);
         },
         {"c", "d", "a"},
         {" 3", " 4", " 5"},
         -1,
         true},
        {"clear all",
         [&] {
             ChooseRow(0);
             return ClearAll(today);
         },
         {"Vemo V009u - your tasks and reminders"},
         {" 1"},
         -1,
         false},
    };
    for (const Step& step : steps) {
        const CommandEffect effect = step.run();
        EXPECT_EQ(Column(ids::TextColumn), step.texts) << step.name;
        EXPECT_EQ(Column(ids::PriorityColumn), step.priorities) << step.name;
        EXPECT_EQ(ChosenRow(), step.chosen) << step.name;
        EXPECT_EQ(effect.save, step.save) << step.name;
        EXPECT_EQ(effect.timer_ms, step.timer_ms) << step.name;
        // Only "+/-" starts the scheduler's highlight again, with its timer.
        EXPECT_EQ(effect.restart_highlight, step.timer_ms != 0) << step.name;
        EXPECT_EQ(effect.select.has_value(), step.select.has_value()) << step.name;
        if (effect.select && step.select) {
            EXPECT_EQ(effect.select->field, step.select->field) << step.name;
            EXPECT_EQ(effect.select->row, step.select->row) << step.name;
        }
    }
    EXPECT_EQ(Column(ids::StateColumn), Texts{" 0"});
    EXPECT_NE(ReadWholeFile(folder / ("VemoLog-vemo.dat.txt")).find("e f"), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

// Ctrl+Z and Ctrl+Y as the list boxes send them, after each command the
// user can take back: the undo brings the rows back as they were and the
// redo makes the step again, each saved when the command saves, and the
// steps go back and forth in order across the whole sequence.
TEST_F(TaskCommands, EachStepIsUndoneAndRedoneAndSavedAsTheCommandSaves) {
    Start(Rows({"a", "b", "c"}));
    auto key = [](int notify) {
        SendMessageA(MainWindow().window, WM_COMMAND, MAKEWPARAM(ids::TextColumn, notify),
                     reinterpret_cast<LPARAM>(Control(ids::TextColumn)));
    };
    auto text = [](int id, const char* value) { SetControlText(MainWindow(), id, value); };
    auto log_lines = [this] {
        const std::string log = ReadWholeFile(folder / "VemoLog-vemo.dat.txt");
        return std::count(log.begin(), log.end(), '\n');
    };
    struct Case {
        const char* message;  // after "Undone: "
        bool saves;
        std::function<void()> act;
        bool empties = false;  // Clear All: the file emptied, the default row not yet in it
    };
    const Case cases[] = {
        {"Add \"d\"", true, [&] { text(ids::EntryField, "d"), Click(ids::AddButton); }},
        {"Delete \"b\"", true, [&] { ChooseRow(1), Command(ids::DeleteCommand); }},
        {"Send to log \"a\"", true, [&] { ChooseRow(0), Command(ids::SendToLogCommand); }},
        {"Change selected \"C\"", false,
         [&] { ChooseRow(0), text(ids::EntryField, "C"), Click(ids::ChangeSelectedButton); }},
        {"Change date \"d\"", false,
         [&] {
             SetSelection(MainWindow(), ids::RemindDateColumn, 1);
             text(ids::DayField, ""), text(ids::MonthField, ""), text(ids::YearField, "Fri");
             Click(ids::ChangeDateButton);
         }},
        {"Change time \"d\"", false,
         [&] {
             SetSelection(MainWindow(), ids::TimeColumn, 1);
             text(ids::HourField, "07"), text(ids::MinuteField, "15");
             Click(ids::ChangeTimeButton);
         }},
        {"Priority down \"C\"", false,
         [&] {
             SetSelection(MainWindow(), ids::PriorityColumn, 0), Click(ids::PriorityDownButton);
         }},
        {"Priority up \"d\"", false,
         [&] { SetSelection(MainWindow(), ids::PriorityColumn, 1), Click(ids::PriorityUpButton); }},
        {"Switch inactive \"C\"", false,
         [&] {
             SetSelection(MainWindow(), ids::StateColumn, 0), Click(ids::SwitchInactiveButton);
         }},
        {"Sort", true, [&] { Command(ids::SortCommand); }},
        {"Clear All (2 tasks)", true, [&] { Command(ids::ClearAllCommand); }, true},
    };
    std::vector<std::vector<TaskRow>> shown{ReadAllRows()};
    std::vector<std::vector<TaskRow>> saved{SavedRows()};
    const auto lines = log_lines();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        c.act();
        const std::vector<TaskRow> after = ReadAllRows();
        const std::vector<TaskRow> saved_after = SavedRows();
        ASSERT_NE(after, shown.back());
        EXPECT_EQ(saved_after, c.empties ? std::vector<TaskRow>{} : c.saves ? after : saved.back());
        key(kUndoKey);
        EXPECT_EQ(ReadAllRows(), shown.back());
        EXPECT_EQ(SavedRows(), c.saves ? shown.back() : saved.back());
        EXPECT_EQ(Message().Text(), std::string("Undone: ") + c.message);
        key(kRedoKey);
        EXPECT_EQ(ReadAllRows(), after);
        EXPECT_EQ(SavedRows(), c.saves ? after : saved_after);
        EXPECT_EQ(Message().Text(), std::string("Redone: ") + c.message);
        shown.push_back(after);
        saved.push_back(SavedRows());
    }
    // The log keeps its one line through the undo and the redo.
    EXPECT_EQ(log_lines(), lines + 1);

    // A task from outside is no step and stays through every undo.
    ApplyCommand(ImportTask("from outside", "07-12-2026", 9, 5));
    for (std::size_t k = shown.size() - 1; k-- > 0;) {
        key(kUndoKey);
        std::vector<TaskRow> rows = ReadAllRows();
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back().text, "from outside") << k;
        rows.pop_back();
        EXPECT_EQ(rows, shown[k]) << k;
    }
    key(kUndoKey);
    EXPECT_EQ(Message().Text(), "Nothing to undo");
    for (std::size_t k = 1; k < shown.size(); ++k) key(kRedoKey);
    EXPECT_EQ(Column(ids::TextColumn),
              (Texts{"from outside", "Vemo V009u - your tasks and reminders"}));
    key(kRedoKey);
    EXPECT_EQ(Message().Text(), "Nothing to redo");

    // A new step ends the steps undone; a Refresh starts a new history.
    key(kUndoKey);
    ChooseRow(0);
    Command(ids::DeleteCommand);
    key(kRedoKey);
    EXPECT_EQ(Message().Text(), "Nothing to redo");
    Command(ids::RefreshCommand);
    CloseDialog(MainWindow(), 0);  // what the start-up loop does next
    Start();
    key(kUndoKey);
    EXPECT_EQ(Message().Text(), "Nothing to undo since the list was loaded again");
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vemo
