// Control colours and owner-drawn push buttons: every control of a runtime
// window runs one of the runtime's procedures in front of its own, answers
// colour requests from colours kept with it, and push buttons are drawn here.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// The colour request the dialog reflects to a control (the old WM_CTLCOLOR).
inline constexpr UINT kColourRequest = 0x0019;
// A list box's Delete comes to its window as a command of the list box's id
// with this notification code; the key goes no further.
inline constexpr int kListDeleteKey = 0x7001;
// Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, in a list box or on a button come to
// the window the same way; an edit field keeps them for its own undo.
inline constexpr int kUndoKey = 0x7002;
inline constexpr int kRedoKey = 0x7003;

// Attaches "FGRND", "BGRND", "BBRUSH" and "LPFN" and installs the procedure
// for the kind. Everything is removed again when the control is destroyed.
void SubclassControl(HWND control, int kind);

// Draws an owner-drawn push button in the item's state.
void DrawPushButton(HWND button, const DRAWITEMSTRUCT& item);

// Brushes made for controls and not yet deleted (a leak shows here).
int LiveControlBrushes();

}  // namespace vemo
