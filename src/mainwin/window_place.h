// The main window's own facts: its size and style, and where it stands, as
// the settings keep it. The place and the two stored check boxes are noted
// as they change, for the settings to store at the next save, even one made
// after the window has gone.
#pragma once

#include <cstdint>

#include "app/state.h"
#include "runtime/win32.h"

namespace vemo {

// The main window's client size at 96 DPI and its style.
inline constexpr int kMainWindowWidth = 833;
inline constexpr int kMainWindowHeight = 340;
inline constexpr std::uint32_t kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kMainWindowStyle == 0x00CA0000);

// A saved place from which the window could not be dragged back, because
// no monitor shows enough of its caption (a damaged vemo.ini, a monitor since
// removed), becomes a place on the nearest monitor's work area, as Windows
// restores windows; it also stays inside what a dialog template can hold.
// Applied to a place read from vemo.ini; without the file the window opens
// at (0, 0), as it always has.
void KeepWindowPlaceOnScreen(SettingsState& settings);

void RememberWindowState();

}  // namespace vemo
