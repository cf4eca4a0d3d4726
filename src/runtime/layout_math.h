// Arithmetic of window layouts: pixels to dialog units and back, layouts at
// the screen's DPI, and placing a window over a reference area while keeping
// it inside bounds. Portable.
#pragma once

namespace vemo {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The measuring font's cell: average character width + 1, and character height.
struct FontCell {
    int width = 0;
    int height = 0;
};

// A pixel rectangle in dialog units: each edge is rounded on its own (halves
// to even) and the size is the difference of the rounded edges.
struct DialogUnits {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};
DialogUnits ToDialogUnits(int x, int y, int width, int height, FontCell cell);

// One edge: pixels · units / cell, rounded to the nearest, halves to even.
int PixelsToUnits(int pixels, int units, int cell);

// A place and size in pixels.
struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Place&) const = default;
};

// Dialog units to pixels as the dialog manager places a window's client area
// and its controls: x and width · base width / 4, y and height · base height
// / 8, each on its own (MulDiv's rounding). `base` is the dialog font's
// average width of the alphabet and its height.
Place FromDialogUnits(const DialogUnits& units, FontCell base);

// Every layout is described in the pixels of a 96-DPI screen.
inline constexpr int kLayoutDpi = 96;

// A length of a 96-DPI layout on a screen of `dpi`: pixels · dpi / 96,
// rounded to the nearest, halves away from zero. The one rule every scaled
// length of the program follows (MulDiv's, which the dialog manager uses).
int ScaleToDpi(int pixels, int dpi);
Place ScaleToDpi(const Place& place, int dpi);

struct Point {
    int x = 0;
    int y = 0;
};

// Centres a window of the given size over `area` (halvings truncate toward
// zero), then pulls it inside `bounds`: a window that would start before the
// bounds starts at their left or top edge, one that would end past them ends
// at their right or bottom edge.
Point CentreOver(const Rect& area, int width, int height, const Rect& bounds);

// A saved window place brought inside `work`, as near as it can be to where
// it was: a window larger than the area starts at its left or top edge. Any
// int is a valid input.
Point MoveInside(int x, int y, int width, int height, const Rect& work);

// The message box rule: centred over the parent, then kept on screen: a box
// left of or above the origin moves to 0, one past the work area's right or
// bottom edge ends there.
Point PlaceMessageBox(const Rect& parent, int width, int height, const Rect& work_area);

}  // namespace vemo
