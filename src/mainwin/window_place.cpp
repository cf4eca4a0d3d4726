#include "mainwin/window_place.h"

#include <algorithm>

#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/layout_math.h"
#include "runtime/text.h"

namespace vemo {

void KeepWindowPlaceOnScreen(SettingsState& state) {
    if (!state.PlaceFromFile) return;
    Settings& settings = state.Values;
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

void RememberWindowState() {
    DialogDefinition& window = MainWindow();
    if (window.window == nullptr) return;
    SettingsState& state = SettingsOf();
    // A minimised window reports a parking place far off screen: keep the
    // place it will come back to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(window.window) && GetWindowPlacement(window.window, &placement)) {
        // That place is in workspace coordinates, which start at the work
        // area: shift them by a taskbar on the top or left edge to get the
        // screen coordinates the next start opens the window at.
        POINT offset{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONEAREST),
                            &monitor)) {
            offset.x = monitor.rcWork.left - monitor.rcMonitor.left;
            offset.y = monitor.rcWork.top - monitor.rcMonitor.top;
        }
        state.LastWindowX = placement.rcNormalPosition.left + offset.x;
        state.LastWindowY = placement.rcNormalPosition.top + offset.y;
    } else {
        int width = 0;
        int height = 0;
        GetControlRect(window, state.LastWindowX, state.LastWindowY, width, height, 0);
    }
    state.LastCreateMessageFile = GetCheck(window, ids::CreateMessageFileCheck) != 0;
    state.LastFineTune = GetCheck(window, ids::FineTuneCheck) != 0;
    state.HaveWindowState = true;
}

void UpdateDatabaseName() {
    // A database in the program folder is named by its file name; elsewhere
    // too, rather than by a meaningless cut of its path.
    const std::string& path = SettingsOf().Values.database_path;
    const auto slash = path.find_last_of("\\/");
    TaskList().DatabaseName = slash == std::string::npos ? path : path.substr(slash + 1);
    Program().WindowTitle = JoinText(kProgramTitle, " - Database: ", TaskList().DatabaseName);
    SetWindowCaption(MainWindow(), Program().WindowTitle);
}

}  // namespace vemo
