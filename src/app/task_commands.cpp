#include "app/task_commands.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/dates.h"
#include "app/log_files.h"
#include "app/log_lines.h"
#include "app/message_line.h"
#include "app/state.h"
#include "app/task_history.h"
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

// A step of the user's, kept for Ctrl+Z: the row at `row` as it is now.
void Remember(StepKind kind, const char* name, bool saves, int row, TaskField field = {},
              std::string before = {}) {
    TaskStep step;
    step.kind = kind;
    step.name = name;
    step.saves = saves;
    step.row = row;
    step.field = field;
    step.before = std::move(before);
    step.task = Tasks().Row(row);
    History().Record(std::move(step));
}

int PriorityOf(int row) {
    return RoundTo<int>(TextToNumber(Tasks().Cell(row, TaskField::Priority)));
}

// "+" and "-": the priority column's selected row one step, never above 1;
// counted in a double, so the largest priority still goes one further down.
CommandEffect StepPriority(int step) {
    CommandEffect effect;
    const int row = Tasks().Selection(TaskField::Priority);
    if (row != -1 && (step > 0 || PriorityOf(row) > 1)) {
        std::string before(Tasks().Cell(row, TaskField::Priority));
        Tasks().ReplaceCell(TaskField::Priority, row,
                            NumberText(PriorityOf(row) + static_cast<double>(step)));
        NoteAttributeChanged(Tasks().Rows().View(row), true);
        Remember(StepKind::Rewrite, step < 0 ? "Priority up" : "Priority down", false, row,
                 TaskField::Priority, std::move(before));
        effect.select = CommandEffect::Pick{TaskField::Priority, row};
    }
    effect.list_dirty = true;
    return effect;
}

// The rows put in this order: the row each comes from, the rows past them
// after them as they were. The chosen row has moved.
void ShowInOrder(const std::vector<int>& from) {
    const TaskRows& rows = Tasks().Rows();
    TaskRows ordered;
    ordered.Reserve(static_cast<std::size_t>(rows.Count()), rows.TextBytes());
    for (const int row : from) ordered.Append(rows.View(row));
    for (auto row = static_cast<int>(from.size()); row < rows.Count(); ++row) {
        ordered.Append(rows.View(row));
    }
    {
        const ScopedRedraw quiet(Tasks().Window());
        Tasks().Replace(std::move(ordered));
    }
    EndRowChoice();
}

// Clear All's copy of the rows shown, kept before they go; says so when it
// cannot be made.
bool KeepCopyBeforeClearing() {
    if (KeepClearAllCopy(Tasks().Rows(), Tasks().Count(), TaskList().Buffer)) return true;
    TraceSaveFailure("ClearAll backup", GetLastError());
    ShowMessageBox(Owner(), "Problem saving data", "Error...SaveData...", 0);
    return false;
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

namespace {

// The row Add makes from the values, added as Add adds; nothing for an empty
// text.
CommandEffect AddFromValues(const TaskValues& values, std::string_view today) {
    if (values.text.empty()) {
        CommandEffect effect;
        effect.list_dirty = true;
        return effect;
    }
    return AddTaskRow(MakeTaskRow(values.text, NumberText(Tasks().Count() + 1.0), today,
                                  values.remind_date, values.time));
}

}  // namespace

CommandEffect AddTask(const TaskValues& values, std::string_view today) {
    const int before = Tasks().Count();
    CommandEffect effect = AddFromValues(values, today);
    if (Tasks().Count() > before) Remember(StepKind::Insert, "Add", true, before);
    return effect;
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
    return AddFromValues(
        {text, std::string(today), JoinText(TwoDigits(hour), ":", TwoDigits(minute))}, today);
}

// The cell rewritten as the user asked, kept as a step when it changed.
void ChangeCell(const char* name, TaskField field, int row, std::string_view text) {
    std::string before(Tasks().Cell(row, field));
    if (before == text) return;
    RewriteCell(field, row, text);
    Remember(StepKind::Rewrite, name, false, row, field, std::move(before));
}

CommandEffect ChangeText(std::string_view text) {
    const int row = ChosenRow();
    // Cut as Add cuts: the field may have been given more than it takes.
    if (row != -1) {
        ChangeCell("Change selected", TaskField::Text, row, CutText(text, kTaskTextCapacity));
    }
    CommandEffect effect;
    effect.list_dirty = true;
    return effect;
}

CommandEffect ChangeReminder(TaskField field, std::string_view text) {
    const int row = Tasks().Selection(field);
    if (row >= 0 && Tasks().IsSelected(field, row)) {
        ChangeCell(field == TaskField::Time ? "Change time" : "Change date", field, row, text);
    }
    CommandEffect effect;
    effect.list_dirty = true;
    return effect;
}

CommandEffect DeleteTask() {
    if (TaskList().RowSelected) {
        const int row = ChosenRow();
        if (row >= 0) {
            Remember(StepKind::Remove, "Delete", true, row);
            RemoveRow(row);
        }
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
        // Undone, the row comes back and the log keeps its line.
        Remember(StepKind::Remove, "Send to log", true, row);
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
    if (!KeepCopyBeforeClearing()) return {};
    // The rows shown go, each recorded as cleared here; the file is emptied
    // of them at once, as the command says, keeping only what another PC
    // added since the list was last shown. A file that cannot be written
    // ends the program.
    TaskRows shown = Tasks().Rows();
    Tasks().Clear();
    for (int row = 0; row < shown.Count(); ++row) NoteTaskRemoved(shown.Row(row));
    const SharedSave save = SaveSharedRows(list.Buffer);
    ShowChanges(save);
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
    TaskStep step;
    step.kind = StepKind::ClearAll;
    step.name = "Clear All";
    step.saves = true;
    step.task = std::move(row);
    step.rows = std::move(shown);
    History().Record(std::move(step));
    return {};
}

CommandEffect SortByPriority() {
    const TaskRows& rows = Tasks().Rows();
    std::vector<std::pair<int, int>> order;  // priority, row
    order.reserve(static_cast<std::size_t>(rows.Count()));
    for (int row = 0; row < rows.Count(); ++row) order.emplace_back(PriorityOf(row), row);
    // Equal priorities keep their order: the row breaks the tie.
    std::sort(order.begin(), order.end());
    TaskStep step;
    step.kind = StepKind::Reorder;
    step.name = "Sort";
    step.saves = true;
    for (const auto& [priority, row] : order) step.order.push_back(row);
    ShowInOrder(step.order);
    if (!std::is_sorted(step.order.begin(), step.order.end())) History().Record(std::move(step));
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
        std::string before(Tasks().Cell(row, TaskField::State));
        Tasks().ReplaceCell(TaskField::State, row, inactive ? " 5" : " 6");
        NoteAttributeChanged(Tasks().Rows().View(row), false);
        Remember(StepKind::Rewrite, "Switch inactive", false, row, TaskField::State,
                 std::move(before));
        effect.select = CommandEffect::Pick{TaskField::State, row};
    }
    effect.list_dirty = true;
    effect.restart_highlight = true;
    effect.timer_ms = kSwitchInactiveTickMs;
    return effect;
}

namespace {

// Where a step's task is now: at `hint` when it is there, else its first
// copy in the list; -1 when it is gone.
int FindTask(const TaskRowView& task, int hint) {
    const TaskRows& rows = Tasks().Rows();
    if (rows.Has(hint) && SameTask(rows.View(hint), task)) return hint;
    for (int row = 0; row < rows.Count(); ++row) {
        if (SameTask(rows.View(row), task)) return row;
    }
    return -1;
}

// Clear All made again or taken back: its rows first in the list, its
// default row anywhere; the rows that came since stay.
bool PlayClearAll(const TaskStep& step, bool forward) {
    TaskModel& tasks = Tasks();
    const TaskRows& now = tasks.Rows();
    const int cleared = step.rows.Count();
    const int left = forward ? -1 : FindTask(ViewOf(step.task), now.Count() - 1);
    TaskRows rows = forward ? TaskRows() : step.rows;
    if (forward) {
        if (now.Count() < cleared) return false;
        for (int row = 0; row < cleared; ++row) {
            if (!SameTask(now.View(row), step.rows.View(row))) return false;
        }
    } else if (left < 0) {
        return false;
    }
    for (int row = forward ? cleared : 0; row < now.Count(); ++row) {
        if (row != left) rows.Append(now.View(row));
    }
    if (forward) rows.Append(step.task);
    {
        const ScopedRedraw quiet(tasks.Window());
        tasks.Replace(std::move(rows));
    }
    EndRowChoice();
    // Noted once the list is as it will be saved: a record counts copies.
    if (forward) {
        for (int row = 0; row < cleared; ++row) NoteTaskRemoved(step.rows.View(row));
    } else {
        NoteTasksCreated(step.rows);
    }
    forward ? NoteTaskCreated(ViewOf(step.task)) : NoteTaskRemoved(ViewOf(step.task));
    return true;
}

// The step made again (`forward`) or taken back, with the notes a merge
// needs, as the command made them; false, with nothing changed, when a task
// it names is no longer in the list.
bool Play(const TaskStep& step, bool forward, CommandEffect& effect) {
    TaskModel& tasks = Tasks();
    switch (step.kind) {
        case StepKind::Insert:
        case StepKind::Remove: {
            EndRowChoice();
            if ((step.kind == StepKind::Insert) == forward) {
                // Back where it was, chosen as when it went.
                const int row = std::min(step.row, tasks.Count());
                tasks.Insert(row, step.task);
                NoteTaskCreated(ViewOf(step.task));
                ChooseRow(row);
                tasks.SelectIn(row, {TaskField::Priority, TaskField::RemindDate, TaskField::Time,
                                     TaskField::State, TaskField::Created});
                effect.select = CommandEffect::Pick{TaskField::Text, row};
                return true;
            }
            const int row = FindTask(ViewOf(step.task), step.row);
            if (row >= 0) RemoveRow(row);  // a redo of Send to log writes no second line
            return row >= 0;
        }
        case StepKind::Rewrite: {
            // Found as it is after the step (undo) or before it (redo).
            TaskRowView from = ViewOf(step.task);
            std::string_view to = step.before;
            if (forward) std::swap(to, FieldOf(from, step.field));
            const int row = FindTask(from, step.row);
            if (row < 0) return false;
            RewriteCell(step.field, row, to);
            if (step.field == TaskField::Priority || step.field == TaskField::State) {
                NoteAttributeChanged(tasks.Rows().View(row), step.field == TaskField::Priority);
            }
            if (step.field == TaskField::State) {  // as "+/-" does
                effect.restart_highlight = true;
                effect.timer_ms = kSwitchInactiveTickMs;
            }
            effect.select = CommandEffect::Pick{step.field, row};
            return true;
        }
        case StepKind::Reorder: {
            const std::size_t count = step.order.size();
            if (static_cast<std::size_t>(tasks.Count()) < count) return false;
            std::vector<int> from = step.order;
            for (std::size_t row = 0; !forward && row < count; ++row) {
                from[static_cast<std::size_t>(step.order[row])] = static_cast<int>(row);
            }
            ShowInOrder(from);
            return true;
        }
        case StepKind::ClearAll: break;
    }
    return PlayClearAll(step, forward);
}

// Ctrl+Z (`forward` false) and Ctrl+Y: the step played, saved when the
// command saved, and the message line saying what was done.
CommandEffect Replay(bool forward) {
    TaskHistory& history = History();
    const TaskStep* step = forward ? history.ToRedo() : history.ToUndo();
    std::string line = forward ? "redo" : "undo";
    CommandEffect effect;
    if (step == nullptr) {
        line.insert(0, "Nothing to ");
        if (history.WhyEmpty() != nullptr) (line += ' ') += history.WhyEmpty();
        Message().Show(line);
        return effect;
    }
    // Clear All made again keeps its copy first, as Clear All does.
    if (forward && step->kind == StepKind::ClearAll && !KeepCopyBeforeClearing()) return effect;
    std::string what = step->name;
    if (step->kind == StepKind::ClearAll) {
        ((what += " (") += std::to_string(step->rows.Count())) += " tasks)";
    } else if (step->kind != StepKind::Reorder) {
        // The message line is narrower than a task's text can be: cut
        // after 40 bytes' worth of whole characters of the code page.
        constexpr std::size_t kShown = 40;
        const std::string& text = step->task.text;
        std::size_t cut = 0;
        while (cut < text.size()) {
            const auto next =
                static_cast<std::size_t>(CharNextA(text.c_str() + cut) - text.c_str());
            if (next > kShown || next == cut) break;
            cut = next;
        }
        ((what += " \"") += text.substr(0, cut)) += cut < text.size() ? "...\"" : "\"";
    }
    if (!Play(*step, forward, effect)) {
        // Only a merge takes a task away behind the user's back, and a merge
        // ends the steps; whatever did, they no longer fit the list.
        history.Restart(nullptr);
        Message().Show("Cannot " + line + ": " + what + " - the task is no longer in the list");
        return {};
    }
    forward ? history.Redone() : history.Undone();
    Message().Show((forward ? "Redone: " : "Undone: ") + what);
    effect.save = step->saves;
    effect.list_dirty = true;
    return effect;
}

}  // namespace

CommandEffect UndoStep() {
    return Replay(false);
}

CommandEffect RedoStep() {
    return Replay(true);
}

}  // namespace vemo
