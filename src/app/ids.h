// Control ids, toolbar commands, timer ids and intervals of the program's windows.
#pragma once

#include "app/task_model.h"  // the six list columns

namespace vemo::ids {

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

// The Alarm Action dialog's controls.
namespace alarm {
inline constexpr int RunProgramCheck = 2;
inline constexpr int ProgramPathEdit = 3;
inline constexpr int BrowseProgramButton = 4;
inline constexpr int PlaySoundCheck = 5;
inline constexpr int SoundPathEdit = 6;
inline constexpr int BrowseSoundButton = 7;
inline constexpr int OkButton = 8;
inline constexpr int CancelButton = 9;
inline constexpr int PlayButton = 10;  // "P"
inline constexpr int StopButton = 11;  // "S"
}  // namespace alarm

// The weights dialog's controls: scroll bar i weighs condition i.
namespace weights {
inline constexpr int FirstWeightBar = 1;
inline constexpr int LastWeightBar = 6;
inline constexpr int ResponseLabel = 7;  // "Condition response "
inline constexpr int WeightLabel = 8;    // "Control:     Weight:"
inline constexpr int Caption1a = 9;      // "1=Priority"
inline constexpr int Caption0 = 10;      // "0=Alarm"
inline constexpr int Caption1b = 11;     // "ONE"
inline constexpr int Caption2a = 12;     // "2=Alarm"
inline constexpr int Caption2b = 13;     // "within hour"
inline constexpr int Caption3a = 14;     // "3=Reminders"
inline constexpr int Caption4b = 15;     // "today"
inline constexpr int Caption4a = 16;     // "4=Reminders"
inline constexpr int Caption3b = 17;     // "today pending"
inline constexpr int Caption5a = 18;     // "5=Old reminders"
inline constexpr int Caption5b = 19;     // "still active"
inline constexpr int UpdateButton = 21;
inline constexpr int ResponseEdit = 22;
}  // namespace weights

inline constexpr int ProgramTimer = 1;
inline constexpr unsigned FirstTickMs = 2000;
// Every tick stops the timer first and arms it with this as its last step.
inline constexpr unsigned TickMs = 3000;
inline constexpr unsigned SwitchInactiveTickMs = 2000;
inline constexpr unsigned PauseRestartMs = 3000;
inline constexpr unsigned DatabaseSwitchTickMs = 4000;
// While the user edits a row's date the scheduler waits longer.
inline constexpr unsigned EditingTickMs = 20000;

}  // namespace vemo::ids
