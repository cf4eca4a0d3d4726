// What another process asks of the running Vemo through WM_COPYDATA: a task
// to add (vemo.exe /add) or a save before an export reads the database. Any
// program on the desktop can send the message, so nothing in it is trusted:
// our id, the size and every field are checked, and anything else is
// ignored.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// The reply the sender gets back from SendMessage.
enum RequestReply : LRESULT { kRequestRefused = 0, kRequestDone = 1, kRequestNotSaved = 2 };

// Runs a request inside the sender's SendMessage, so it shows no message box
// there: a save that failed is reported a moment later (kDeferredSaveReport).
LRESULT OnCopyData(const COPYDATASTRUCT* data);

// Posted to the main window when a requested task could not be saved.
// Clear of the tray's message and the runtime's event codes.
inline constexpr UINT kDeferredSaveReport = WM_APP + 0x101;
void ReportFailedRemoteSave();
// The same for the note of such a task.
inline constexpr UINT kDeferredNoteReport = WM_APP + 0x102;
void ReportFailedRemoteNote();

// Requests are taken only while the main window holds its rows: from the
// end of its start (the rows loaded) to its close. Before, a save would
// write an empty list over the database.
void AcceptRequests(bool accept);

}  // namespace vemo
