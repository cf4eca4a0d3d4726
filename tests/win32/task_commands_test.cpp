// The task commands called as the main window calls them, on its real list
// columns: a sequence of commands against the rows, the user's chosen row
// and what each asks of the window.
#include <gtest/gtest.h>

#include <functional>

#include "app/task_commands.h"
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

}  // namespace
}  // namespace vemo
