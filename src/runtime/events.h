// Platform messages turned into events for parameterless handlers: the event
// record, the runtime's dialog procedure, the wait loop and timers.
#pragma once

#include "runtime/dialogs.h"
#include "runtime/win32.h"

namespace vemo {

inline constexpr int EVENT_CLOSE = 0x8002;
inline constexpr int EVENT_MENU = 0x8003;
inline constexpr int EVENT_CONTROL = 0x8004;
inline constexpr int EVENT_SIZED = 0x8009;

// What a handler reads while it runs. Each dispatch restores it afterwards,
// except the menu id, which keeps the last menu command.
struct EventRecord {
    int code = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    int mouse_x = 0;
    int mouse_y = 0;
    DialogDefinition* window = nullptr;
    int control_id = 0;
    int menu_id = 0;
    int notify_code = 0;
};

EventRecord& Event();

// The dialog procedure of every runtime window.
INT_PTR CALLBACK RuntimeDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Fills the event record for the message, calls the window's handler and
// restores the record. Returns the handler's result.
int DispatchEvent(DialogDefinition& dialog, UINT message, WPARAM wparam, LPARAM lparam);

// With no_wait 0: waits for a message, then handles every queued message and
// returns when the queue is empty. Otherwise it does not wait. Returns 0.
int WaitForEvents(int no_wait);

void StartTimer(DialogDefinition& dialog, UINT interval_ms, UINT_PTR timer_id);
void StopTimer(DialogDefinition& dialog, UINT_PTR timer_id);

}  // namespace vemo
