#include "app/settings_file.h"

#include <algorithm>

#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/layout_math.h"
#include "runtime/scoped.h"
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
    RECT frame{0, 0, kMainWindowWidth, kMainWindowHeight};
    AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0);
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

bool HoldsExactly(const std::string& path, std::string_view text) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    const ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart != static_cast<LONGLONG>(text.size())) {
        return false;
    }
    std::string held(text.size(), '\0');
    DWORD read = 0;
    return ReadFile(file.get(), held.data(), static_cast<DWORD>(held.size()), &read, nullptr) &&
           read == held.size() && held == text;
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

void SaveSettings() {
    SettingsState& state = SettingsOf();
    if (state.RememberWindow != nullptr) state.RememberWindow();
    if (state.HaveWindowState) {
        state.Values.window_x = state.LastWindowX;
        state.Values.window_y = state.LastWindowY;
        state.Values.create_message_file = state.LastCreateMessageFile ? "yes" : "no";
        state.Values.fine_tune = state.LastFineTune ? "yes" : "no";
    }
    const std::string text = FormatSettings(state.Values);
    // Every save of the rows saves the settings too, which mostly have not
    // changed: a writable file that already holds these bytes is left as it
    // is (a read-only one is still tried, and its failure reported).
    if (HoldsExactly(SettingsPath(), text)) return;
    if (!ReplaceFileAtomically(SettingsPath(), text)) {
        TraceSaveFailure("SaveSettings", GetLastError());
        ShowMessageBox(Owner(), "Unable to create INI file", "Error...SaveData...", 0);
    }
}

}  // namespace vemo
