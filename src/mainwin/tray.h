// The tray icon with its menu.
#pragma once

#include <cstdint>

#include "runtime/win32.h"

namespace vemo {

// InTray is set again on each pass; IconShown follows the shell.
struct TrayState {
    bool InTray = true;
    bool IconShown = false;
};

TrayState& Tray();

// The tray icon reports to the main window with this message; the mouse
// message that happened on the icon is in the low word of lParam.
inline constexpr UINT kTrayMessage = WM_APP + 1;

// The window opened hidden (vemo.exe /tray): the icon is all there is.
void StartInTray();
// Saves, then hides the window behind the tray icon; minimises it when the
// icon could not be added.
void GoToTray();
// InTray: icon shown and window hidden; not: window restored, icon removed.
void ApplyTrayState();
// An alarm brings the window back from the tray: restored, on top, icon
// removed, but not activated, so typing elsewhere never lands in it.
void ShowFromTrayForAlarm();
void OnTrayMessage(LPARAM lparam);
void OnTrayMenuCommand(int item);
// The shell announces a restart: the icon must be added again.
UINT TaskbarCreatedMessage();
void OnTaskbarCreated();
// Another start on this folder asked for the window: restored as the tray's
// "Restore" does, and put in front.
void OnBringForward();
void RemoveTrayIcon();

}  // namespace vemo
