// The Alarm Action dialog: what an alarm does besides showing its text.
#pragma once

#include "runtime/dialogs.h"

namespace vemo {

// The Alarm Action dialog's controls.
namespace ids::alarm {
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
}  // namespace ids::alarm

DialogDefinition& AlarmActionDialog();
// Defines the dialog and its controls (the start-up loop does, each pass).
void DefineAlarmActionDialog();
// Opens the dialog, or brings it forward when it is open.
void OpenAlarmActionDialog();
int AlarmActionDialogHandler();

}  // namespace vemo
