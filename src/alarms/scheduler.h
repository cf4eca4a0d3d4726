// The reminder scheduler: the program timer's tick over the task list, and
// the wake-ups after which the next tick reports the day's earlier alarms.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// The main window's WM_TIMER, WM_POWERBROADCAST and WM_TIMECHANGE.
void OnSchedulerEvent(UINT message, WPARAM wparam);

// One tick: stops timer 1, classifies and counts the rows, rewrites their
// codes, raises alarms, evaluates the network, shows the message, mirrors it
// into the message file, imports the import file and arms timer 1 again.
void ReminderScheduler();

// After a resume from sleep or a clock change an alarm may have passed
// unseen: the next tick reports today's earlier alarms, as at start-up.
void ReportEarlierAlarmsNextTick();

// The timer runs again after the user paused it: the paused minutes raise
// no missed reminders.
void RestartTickClock();

// The tick's import step: the import file's first line becomes a task, and
// the file goes once the task is saved.
void ImportTask();

}  // namespace vemo
