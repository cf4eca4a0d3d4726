// Control colours and owner-drawn push buttons: every control of a runtime
// window runs one of the runtime's procedures in front of its own, answers
// colour requests from colours kept with it, and push buttons are drawn here.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// The colour request the dialog reflects to a control (the old WM_CTLCOLOR).
inline constexpr UINT kColourRequest = 0x0019;
// In the window that asks for them, a list box's Delete comes to the window
// as a command of the list box's id with this notification code, and the
// key goes no further.
inline constexpr int kListDeleteKey = 0x7001;
// Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, come the same way from a list box, a
// button, or an edit field with no typing of its own to take back.
inline constexpr int kUndoKey = 0x7002;
inline constexpr int kRedoKey = 0x7003;
// The one window whose controls send those keys (other windows' controls
// keep them).
void SendKeysAsCommands(HWND window);

// Attaches "FGRND", "BGRND", "BBRUSH" and "LPFN" and installs the procedure
// for the kind. Everything is removed again when the control is destroyed.
void SubclassControl(HWND control, int kind);

// Draws an owner-drawn push button in the item's state.
void DrawPushButton(HWND button, const DRAWITEMSTRUCT& item);

// Brushes made for controls and not yet deleted (a leak shows here).
int LiveControlBrushes();

}  // namespace vemo
