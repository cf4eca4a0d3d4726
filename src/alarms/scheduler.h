// The reminder scheduler: what each tick of the program timer decides over
// the task list, in the order of its steps. The main window owns the timer,
// the tray and the entry fields: it runs the steps and does what they hand
// back (see OnProgramTimer).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "alarms/reminder_rules.h"
#include "alarms/scheduler_state.h"
#include "app/task_rows.h"
#include "runtime/win32.h"

namespace vemo {

// 1. Classifies and counts the rows, rewrites the codes that change, raises
// the alarms and moves the two selections. Returns how many times the alarm
// actions are to run.
int ClassifyRows();
// 2. Evaluates the network on the counts, shows the message line and, with
// the "Create message file" box checked, mirrors it into the message file.
void ShowTickResult(bool show_network_output, bool create_message_file);
// 3. The import file's first line when it is to become a task; a line whose
// task was added but not yet saved is saved again instead.
std::optional<std::string> TakeImportLine();
// 4. The imported line's task was added: the file goes once it is saved.
void ImportAdded(const std::string& line, bool saved);

// The five texts of each row the tick reads, borrowed from the rows.
std::vector<ReminderRow> ReminderRowsOf(const TaskRows& rows);

// The main window's WM_POWERBROADCAST and WM_TIMECHANGE: after a resume or
// a clock change an alarm may have passed unseen, so the next tick reports
// today's earlier alarms, as at start-up.
void OnPowerOrClockChange(UINT message, WPARAM wparam);
void ReportEarlierAlarmsNextTick();

// The timer runs again after the user paused it: the paused minutes raise
// no missed reminders.
void RestartTickClock();

}  // namespace vemo
