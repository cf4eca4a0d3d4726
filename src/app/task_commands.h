// The task commands: what each editing button, the import file and another
// process's request do to the rows. They take values (what the fields hold,
// today's date) and act on the row the user chose or on a column's
// selection, as each button always has; they own the chosen row. Each
// returns what the window must do next. The main window reads its fields,
// calls one of these and applies the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/task_record.h"
#include "app/task_rows.h"

namespace vemo {

// The "+/-" button gives the user this long before the next tick.
inline constexpr unsigned kSwitchInactiveTickMs = 2000;

struct CommandEffect {
    bool save = false;  // save the rows now
    // A line for the note file of added tasks, written after the save.
    std::string note;
    // The program timer armed again with this interval; 0 leaves it.
    unsigned timer_ms = 0;
    // The scheduler's roving highlight starts again from the top.
    bool restart_highlight = false;
    // The list was edited: the tick's next selection step may move the
    // selection. Set last, after the save and its messages.
    bool list_dirty = false;
    // The selection the window shows afterwards.
    struct Pick {
        TaskField field;
        int row;
    };
    std::optional<Pick> select;
};

// The user's choice of a row (a click in the text or remind-date column, a
// double click in the time column): Delete, Send to log and Change selected
// act on it until rows are reordered or removed.
void ChooseRow(int row);
// That row while the choice stands, else -1.
int ChosenRow();
// Whatever reorders or removes rows (a load, the sort, a deletion, Clear
// All) ends the choice.
void EndRowChoice();

// Add: a row from the entry field's text and the date and time fields, with
// the next priority; an empty text adds nothing.
struct TaskValues {
    std::string text;
    std::string remind_date;  // day + "-" + month + "-" + year, as the fields hold them
    std::string time;         // hour + ":" + minute
};
CommandEffect AddTask(const TaskValues& values, std::string_view today);
// A row built elsewhere (another process's request) added as Add adds.
CommandEffect AddTaskRow(const TaskRow& row);
// The import file's first line: the row Add would make from it, for today
// at this hour and minute, with no field touched. Control characters become
// blanks, so the record's text is never cut short; an empty line adds
// nothing.
CommandEffect ImportTask(std::string_view line, std::string_view today, int hour, int minute);

// Change selected: the chosen row's text.
CommandEffect ChangeText(std::string_view text);
// The date or the time "Change": the column's selected row's remind date
// or time, when that row is shown selected.
CommandEffect ChangeReminder(TaskField field, std::string_view text);
// Delete: the chosen row, when there is one; saved either way.
CommandEffect DeleteTask();
// The Delete key in the text column: Delete, when the row shown selected
// there is the row the user chose (the tick's highlight may have moved the
// selection since); nothing otherwise.
CommandEffect DeleteByKey();
// Send to log: the row appended to the log and, when chosen, removed.
CommandEffect SendToLog(std::string_view today);
// Clear All: a copy of the rows as shown kept in "backups\", the database
// emptied, and the list left with the one default row. Says so and changes
// nothing when the copy cannot be made; ends the program when the database
// cannot be written.
CommandEffect ClearAll(std::string_view today);
// Sort: the whole list by priority, equal priorities in their order.
CommandEffect SortByPriority();
// "+" and "-": the priority column's selected row, one step; never above 1.
CommandEffect PriorityUp();
CommandEffect PriorityDown();
// "+/-": the state column's selected row between inactive (" 6") and " 5".
CommandEffect SwitchInactive();

// Ctrl+Z: the user's last step taken back (the rows, the notes a merge
// needs, and a save when the command saved); Ctrl+Y and Ctrl+Shift+Z make it
// again. The message line says what was undone or redone, or why nothing
// was. A task that arrives from outside (the import, /add) is no step.
CommandEffect UndoStep();
CommandEffect RedoStep();

}  // namespace vemo
