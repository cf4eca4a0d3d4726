#include "mainwin/window_place.h"

#include "app/state.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "runtime/controls.h"

namespace vemo {

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

}  // namespace vemo
