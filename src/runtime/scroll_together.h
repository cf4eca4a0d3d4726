// List boxes that show one list side by side (the six task columns): what
// scrolls one of them (the mouse wheel, its scroll bar, the keys, a
// selection brought into view) scrolls the others to the same top row, so
// every line shows one row.
#pragma once

#include <span>

#include "runtime/win32.h"

namespace vemo {

// The boxes keep one top row from now on, until they are destroyed; calling
// it again with the same boxes changes nothing.
void ScrollTogether(std::span<const HWND> boxes);

}  // namespace vemo
