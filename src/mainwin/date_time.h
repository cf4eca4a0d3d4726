// The date and time fields under the remind-date and time columns, and the
// buttons that fill, step and write them. How the fields are filled decides a
// row's reminder pattern: a date, a weekday, every day, a yearly day, or a
// minute of every hour.
#pragma once

#include <string_view>

#include "app/task_commands.h"

namespace vemo {

// What Add takes from the fields: the entry's text, the remind date and the
// time, as the user left them, a one-digit day, month, hour or minute made
// two ("8" becomes "08", in the field too: dates and times are read by
// their two digits).
TaskValues FieldValues();
// Add from the entry field and the date and time fields, refused with a
// message when the date or time can never ring. True when a row was added.
bool AddFromFields();
// Whether the date and time can ring; when not, a message box under
// `caption` names the value and what is wrong, and false.
bool CanRing(std::string_view date, std::string_view time, const char* caption);

// Ctrl+Z (or Ctrl+Y, Ctrl+Shift+Z when `redo`) on the list: in a column, on
// a button, or in a field with no typing of its own to take back.
void OnUndoKey(bool redo);
// After each command: once the list has a step newer than the typing in the
// entry and date fields, Ctrl+Z there takes back that step, not the typing.
void EndFieldsTyping();

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
