#include "app/settings_file.h"

#include <algorithm>

#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/layout_math.h"
#include "runtime/layout_rows.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

std::string SettingsPath() {
    return ProgramFolder() + "vemo.ini";
}

// A saved place from which the window could not be dragged back, because
// no monitor shows enough of its caption (a damaged vemo.ini, a monitor since
// removed), opens the window on the nearest monitor's work area instead, as
// Windows restores windows. It also keeps the place inside what a dialog
// template can hold.
void KeepWindowPlaceOnScreen(Settings& settings) {
    // Far enough off any screen to stay off, near enough that the edges
    // below cannot overflow.
    constexpr int kFar = 1 << 20;
    constexpr int kGrip = 40;  // caption pixels a mouse needs to drag by
    const int x = std::clamp(settings.window_x, -kFar, kFar);
    const int y = std::clamp(settings.window_y, -kFar, kFar);
    // The window as it opens at the screen's DPI.
    const int dpi = ScreenDpi();
    RECT frame{0, 0, ScaleToDpi(kMainWindowWidth, dpi), ScaleToDpi(kMainWindowHeight, dpi)};
    AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int caption = std::max(1, static_cast<int>(-frame.top));
    const RECT wanted{x, y, x + width, y + height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const RECT caption_strip{x, y, x + width, y + caption};
    RECT grip{};
    if (IntersectRect(&grip, &caption_strip, &work) && grip.right - grip.left >= kGrip &&
        grip.bottom - grip.top >= std::min(caption, 8)) {
        return;
    }
    const Point at =
        MoveInside(x, y, width, height, {work.left, work.top, work.right, work.bottom});
    settings.window_x = at.x;
    settings.window_y = at.y;
}

}  // namespace

void LoadSettings() {
    Settings& values = SettingsOf().Values;
    FileHandle file;
    if (OpenFile(file, TextFile, SettingsPath(), "r") != 0) {
        values.database_path = ProgramFolder() + "vemo.dat";
        values.window_x = 0;
        values.window_y = 0;
        values.import_file_path.clear();
        return;
    }
    FileSource source(file);
    ParseSettings(source, values);
    CloseFile(file, TextFile);
    KeepWindowPlaceOnScreen(values);
}

void SaveSettings(SaveReport report) {
    SettingsState& state = SettingsOf();
    if (state.HaveWindowState) {
        state.Values.window_x = state.LastWindowX;
        state.Values.window_y = state.LastWindowY;
        state.Values.create_message_file = state.LastCreateMessageFile ? "yes" : "no";
        state.Values.fine_tune = state.LastFineTune ? "yes" : "no";
    }
    if (!ReplaceFileAtomically(SettingsPath(), FormatSettings(state.Values))) {
        TraceSaveFailure("SaveSettings", GetLastError());
        if (report == SaveReport::Show) {
            ShowMessageBox(Owner(), "Unable to create INI file", "Error...SaveData...", 0);
        }
    }
}

}  // namespace vemo
