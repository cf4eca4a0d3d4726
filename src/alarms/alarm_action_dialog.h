// The Alarm Action dialog: what an alarm does besides showing its text.
#pragma once

namespace vemo {

// Opens the dialog, or brings it forward when it is open.
void OpenAlarmActionDialog();
int AlarmActionDialogHandler();

}  // namespace vemo
