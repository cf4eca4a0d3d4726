// The date and time fields under the remind-date and time columns, and the
// buttons that fill, step and write them. How the fields are filled decides a
// row's reminder pattern: a date, a weekday, every day, a yearly day, or a
// minute of every hour.
#pragma once

#include "app/task_commands.h"

namespace vemo {

// What Add takes from the fields: the entry's text, the remind date and the
// time, as the user left them.
TaskValues FieldValues();

// Routes the date and time controls' events; false for any other control.
bool OnDateTimeControl(int id, int notify);

void OnRemindDateSelected();
void OnTimeDoubleClicked();
void ChangeDate();
void ChangeTime();
void NextWeekday();
void NextMonth();
void TodayDate();
void NextHour();
void NextMinute();
void TimeNow();

}  // namespace vemo
