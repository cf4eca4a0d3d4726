// The main window's control ids, toolbar commands, tray menu items, and its
// timer with the intervals it is armed with.
#pragma once

#include "app/task_model.h"

namespace vemo::ids {

// The six list columns, aligned by index.
inline constexpr int TextColumn = 1;
inline constexpr int PriorityColumn = 9;
inline constexpr int CreatedColumn = 11;
inline constexpr int RemindDateColumn = 20;
inline constexpr int TimeColumn = 39;
inline constexpr int StateColumn = 46;

inline constexpr int EntryField = 2;
inline constexpr int AddButton = 7;
inline constexpr int ChangeSelectedButton = 56;
inline constexpr int PriorityUpButton = 13;
inline constexpr int PriorityDownButton = 14;
inline constexpr int SwitchInactiveButton = 47;
inline constexpr int MessageLine = 44;
inline constexpr int WeightsLine = 66;
inline constexpr int CreateMessageFileCheck = 68;
inline constexpr int ShowNetworkOutputCheck = 69;
inline constexpr int FineTuneCheck = 70;
inline constexpr int Toolbar = 71;

// Labels.
inline constexpr int EntryLabel = 8;      // "enter text here"
inline constexpr int PriorityLabel = 10;  // "Priority"
inline constexpr int CreatedLabel = 12;   // "Date created"
inline constexpr int IncreasePriorityLabel = 15;
inline constexpr int DecreasePriorityLabel = 17;
inline constexpr int RemindLabel = 19;           // "Remind me on"
inline constexpr int HighestPriorityLabel = 23;  // "(1 = highest)"
inline constexpr int MonthYearDash = 31;
inline constexpr int DayMonthDash = 32;
inline constexpr int HourMinuteColon = 33;
inline constexpr int TimeLabel = 38;

// Date and time entry fields and their buttons.
inline constexpr int DayField = 28;
inline constexpr int MonthField = 29;
inline constexpr int YearField = 30;
inline constexpr int HourField = 52;
inline constexpr int MinuteField = 51;
inline constexpr int ChangeDateButton = 54;
inline constexpr int NextWeekdayButton = 59;  // "day"
inline constexpr int NextMonthButton = 60;    // "month"
inline constexpr int TodayButton = 61;        // "year"
inline constexpr int ChangeTimeButton = 53;
inline constexpr int NextHourButton = 62;    // "hr"
inline constexpr int NextMinuteButton = 63;  // "min"
inline constexpr int TimeNowButton = 64;     // "R"

// Toolbar commands.
inline constexpr int CloseCommand = 3;
inline constexpr int ClearAllCommand = 4;
inline constexpr int DeleteCommand = 5;
inline constexpr int SendToTrayCommand = 16;
inline constexpr int RefreshCommand = 40;
inline constexpr int SortCommand = 42;
inline constexpr int SendToLogCommand = 45;
inline constexpr int OpenLogCommand = 49;
inline constexpr int AlarmActionCommand = 55;
inline constexpr int DatabaseCommand = 57;
inline constexpr int WeightsCommand = 65;

// Tray menu items.
inline constexpr int TrayTitleItem = 305;
inline constexpr int TrayRestoreItem = 308;
inline constexpr int TrayExitItem = 310;

inline constexpr int ProgramTimer = 1;
inline constexpr unsigned FirstTickMs = 2000;
// Every tick stops the timer first and arms it with this as its last step.
inline constexpr unsigned TickMs = 3000;
inline constexpr unsigned PauseRestartMs = 3000;
inline constexpr unsigned DatabaseSwitchTickMs = 4000;
// While the user edits a row's date the scheduler waits longer.
inline constexpr unsigned EditingTickMs = 20000;

}  // namespace vemo::ids

namespace vemo {

// The list box that shows each field, in the order the model fills them.
inline constexpr TaskColumns kTaskColumns = {{{TaskField::Text, ids::TextColumn},
                                              {TaskField::Created, ids::CreatedColumn},
                                              {TaskField::Priority, ids::PriorityColumn},
                                              {TaskField::Time, ids::TimeColumn},
                                              {TaskField::RemindDate, ids::RemindDateColumn},
                                              {TaskField::State, ids::StateColumn}}};

}  // namespace vemo
