#include "runtime/layout_math.h"

#include <cstdint>

#include "runtime/text.h"

namespace vemo {

int PixelsToUnits(int pixels, int units, int cell) {
    if (cell <= 0) return 0;
    const double quotient = static_cast<double>(static_cast<std::int64_t>(pixels) * units) / cell;
    return static_cast<int>(RoundHalfEven(quotient));
}

DialogUnits ToDialogUnits(int x, int y, int width, int height, FontCell cell) {
    const int left = PixelsToUnits(x, 4, cell.width);
    const int right = PixelsToUnits(x + width, 4, cell.width);
    const int top = PixelsToUnits(y, 8, cell.height);
    const int bottom = PixelsToUnits(y + height, 8, cell.height);
    return {left, top, right - left, bottom - top};
}

namespace {

// a · b / c, rounded to the nearest, halves away from zero.
int MulDivRounded(int a, int b, int c) {
    if (c == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t magnitude = (product < 0 ? -product : product) * 2 + (c < 0 ? -c : c);
    const std::int64_t quotient = magnitude / (2 * static_cast<std::int64_t>(c < 0 ? -c : c));
    return static_cast<int>((product < 0) != (c < 0) ? -quotient : quotient);
}

}  // namespace

Place FromDialogUnits(const DialogUnits& units, FontCell base) {
    return {MulDivRounded(units.x, base.width, 4), MulDivRounded(units.y, base.height, 8),
            MulDivRounded(units.cx, base.width, 4), MulDivRounded(units.cy, base.height, 8)};
}

int ScaleToDpi(int pixels, int dpi) {
    return MulDivRounded(pixels, dpi, kLayoutDpi);
}

Place ScaleToDpi(const Place& place, int dpi) {
    return {ScaleToDpi(place.x, dpi), ScaleToDpi(place.y, dpi), ScaleToDpi(place.width, dpi),
            ScaleToDpi(place.height, dpi)};
}

namespace {

int KeepInside(int position, int size, int low, int high) {
    if (position < low) return low;
    if (position + size > high) return high - size;
    return position;
}

}  // namespace

Point CentreOver(const Rect& area, int width, int height, const Rect& bounds) {
    const int x = (area.left + area.right) / 2 - width / 2;
    const int y = (area.top + area.bottom) / 2 - height / 2;
    return {KeepInside(x, width, bounds.left, bounds.right),
            KeepInside(y, height, bounds.top, bounds.bottom)};
}

Point MoveInside(int x, int y, int width, int height, const Rect& work) {
    const auto inside = [](long long position, long long size, long long low, long long high) {
        if (position + size > high) position = high - size;
        if (position < low) position = low;
        return static_cast<int>(position);
    };
    return {inside(x, width, work.left, work.right), inside(y, height, work.top, work.bottom)};
}

Point PlaceMessageBox(const Rect& parent, int width, int height, const Rect& work_area) {
    const int x = parent.left + (parent.Width() - width) / 2;
    const int y = parent.top + (parent.Height() - height) / 2;
    return {KeepInside(x, width, 0, work_area.right), KeepInside(y, height, 0, work_area.bottom)};
}

}  // namespace vemo
