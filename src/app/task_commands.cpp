#include "app/task_commands.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/dates.h"
#include "app/log_files.h"
#include "app/log_lines.h"
#include "app/message_line.h"
#include "app/state.h"
#include "app/task_merge.h"
#include "app/task_model.h"
#include "app/task_store.h"
#include "app/task_sync.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/list_box.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"
#include "runtime/text.h"

namespace vemo {

namespace {

constexpr char kCreditText[] = " - your tasks and reminders";

int PriorityOf(int row) {
    return RoundTo<int>(TextToNumber(Tasks().Cell(row, TaskField::Priority)));
}

// "+" and "-": the priority column's selected row one step, never above 1;
// counted in a double, so the largest priority still goes one further down.
CommandEffect StepPriority(int step) {
    CommandEffect effect;
    const int row = Tasks().Selection(TaskField::Priority);
    if (row != -1 && (step > 0 || PriorityOf(row) > 1)) {
        Tasks().ReplaceCell(TaskField::Priority, row,
                            NumberText(PriorityOf(row) + static_cast<double>(step)));
        NoteAttributeChanged(Tasks().Row(row), true);
        effect.select = CommandEffect::Pick{TaskField::Priority, row};
    }
    effect.list_dirty = true;
    return effect;
}

}  // namespace

void EndRowChoice() {
    TaskList().RowSelected = false;
}

void ChooseRow(int row) {
    TaskListState& list = TaskList();
    list.SelectedRow = row;
    list.RowSelected = true;
}

int ChosenRow() {
    const TaskListState& list = TaskList();
    if (!list.RowSelected || list.SelectedRow < 0 || list.SelectedRow >= Tasks().Count()) {
        return -1;
    }
    return list.SelectedRow;
}

CommandEffect AddTask(const TaskValues& values, std::string_view today) {
    if (values.text.empty()) {
        CommandEffect effect;
        effect.list_dirty = true;
        return effect;
    }
    return AddTaskRow(MakeTaskRow(values.text, NumberText(Tasks().Count() + 1.0), today,
                                  values.remind_date, values.time));
}

// A cell of the chosen task rewritten: when the task is another one now,
// the old one is recorded as changed and the new one as created here.
void RewriteCell(TaskField field, int row, std::string_view text) {
    const TaskRow old = Tasks().Row(row);
    Tasks().ReplaceCell(field, row, text);
    const TaskRow now = Tasks().Row(row);
    if (IdentityOf(old) == IdentityOf(now)) return;
    NoteTaskRemoved(old);
    NoteTaskCreated(now);
}

// The row at `row` goes, recorded as deleted here.
void RemoveRow(int row) {
    const TaskRow old = Tasks().Row(row);
    Tasks().Delete(row);
    NoteTaskRemoved(old);
}

CommandEffect AddTaskRow(const TaskRow& row) {
    Tasks().Append(row);
    NoteTaskCreated(row);
    CommandEffect effect;
    effect.list_dirty = true;
    effect.save = true;
    effect.note = NoteLine(row);
    return effect;
}

CommandEffect ImportTask(std::string_view line, std::string_view today, int hour, int minute) {
    std::string text(line);
    std::replace_if(
        text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    return AddTask({text, std::string(today), JoinText(TwoDigits(hour), ":", TwoDigits(minute))},
                   today);
}

CommandEffect ChangeText(std::string_view text) {
    const int row = ChosenRow();
    // Cut as Add cuts: the field may have been given more than it takes.
    if (row != -1) RewriteCell(TaskField::Text, row, CutText(text, kTaskTextCapacity));
    CommandEffect effect;
    effect.list_dirty = true;
    return effect;
}

CommandEffect ChangeReminder(TaskField field, std::string_view text) {
    const int row = Tasks().Selection(field);
    if (row >= 0 && Tasks().IsSelected(field, row)) RewriteCell(field, row, text);
    CommandEffect effect;
    effect.list_dirty = true;
    return effect;
}

CommandEffect DeleteTask() {
    if (TaskList().RowSelected) {
        const int row = ChosenRow();
        if (row >= 0) RemoveRow(row);
        EndRowChoice();
    }
    CommandEffect effect;
    effect.save = true;
    return effect;
}

CommandEffect DeleteByKey() {
    const int chosen = ChosenRow();
    if (chosen < 0 || chosen != Tasks().Selection(TaskField::Text)) return {};
    return DeleteTask();
}

CommandEffect SendToLog(std::string_view today) {
    TaskListState& list = TaskList();
    // The row the user chose, wherever the tick has moved the selection since.
    const int row = list.RowSelected ? list.SelectedRow : Tasks().Selection(TaskField::Text);
    list.SelectedRow = row;
    CommandEffect effect;
    effect.save = true;
    effect.list_dirty = true;
    FileHandle log;
    if (OpenFile(log, TextFile, LogFileName(), "a") != 0) {
        ShowMessageBox(Owner(), "Unable to write to log", "Error...sub SendToLog...", 0);
        return effect;
    }
    WriteItem(log, TextFile, LogLine(Tasks().Row(row), std::string(today)));
    CloseFile(log, TextFile);
    if (list.RowSelected && row >= 0 && row < Tasks().Count()) {
        RemoveRow(row);
        EndRowChoice();
    } else {
        ShowMessageBox(Owner(), "Problem deleting entry", "Error!", 0);
    }
    return effect;
}

CommandEffect ClearAll(std::string_view today) {
    TaskListState& list = TaskList();
    // The rows go for good: without a copy kept first, nothing is cleared.
    if (!KeepClearAllCopy(Tasks().Rows(), Tasks().Count(), list.Buffer)) {
        TraceSaveFailure("ClearAll backup", GetLastError());
        ShowMessageBox(Owner(), "Problem saving data", "Error...SaveData...", 0);
        return {};
    }
    // The rows shown go, each recorded as cleared here; the file is emptied
    // of them at once, as the command says, keeping only what another PC
    // added since the list was last shown. A file that cannot be written
    // ends the program.
    const TaskRows shown = Tasks().Rows();
    Tasks().Clear();
    for (int row = 0; row < shown.Count(); ++row) NoteTaskRemoved(shown.Row(row));
    const SharedSave save = SaveSharedRows(list.Buffer);
    if (save.merged > 0) Message().Show(MergedMessage(save.merged));
    if (!save.saved) {
        TraceSaveFailure("ClearAll", GetLastError());
        ShowMessageBox(Owner(), "Cant find vemo.dat", "Error!", 0);
        EndProgramNow();
        return {};
    }
    TaskRow row =
        MakeTaskRow(JoinText(kProgramTitle, kCreditText), " 1", "06-02-2004", today, " 1");
    row.state = " 0";
    Tasks().Append(row);
    NoteTaskCreated(row);
    EndRowChoice();
    return {};
}

CommandEffect SortByPriority() {
    const TaskRows& rows = Tasks().Rows();
    std::vector<std::pair<int, int>> order;  // priority, row
    order.reserve(static_cast<std::size_t>(rows.Count()));
    for (int row = 0; row < rows.Count(); ++row) order.emplace_back(PriorityOf(row), row);
    // Equal priorities keep their order: the row breaks the tie.
    std::sort(order.begin(), order.end());
    TaskRows sorted;
    sorted.Reserve(order.size(), order.size() * 64);
    for (const auto& [priority, row] : order) sorted.Append(rows.View(row));
    {
        const ScopedRedraw quiet(Tasks().Window());
        Tasks().Replace(std::move(sorted));
    }
    EndRowChoice();               // the chosen row has moved
    TaskList().ListDirty = true;  // before the save, as the sort always has
    CommandEffect effect;
    effect.save = true;
    return effect;
}

CommandEffect PriorityUp() {
    return StepPriority(-1);
}

CommandEffect PriorityDown() {
    return StepPriority(+1);
}

CommandEffect SwitchInactive() {
    CommandEffect effect;
    const int row = Tasks().Selection(TaskField::State);
    if (row != -1) {
        const bool inactive = TextToNumber(Tasks().Cell(row, TaskField::State)) == 6;
        Tasks().ReplaceCell(TaskField::State, row, inactive ? " 5" : " 6");
        NoteAttributeChanged(Tasks().Row(row), false);
        effect.select = CommandEffect::Pick{TaskField::State, row};
    }
    effect.list_dirty = true;
    effect.restart_highlight = true;
    effect.timer_ms = kSwitchInactiveTickMs;
    return effect;
}

}  // namespace vemo
