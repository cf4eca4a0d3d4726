// Opens the runtime test window with items, a toolbar and tooltips, so it can
// be looked at or photographed: `scripts/runtime-demo.sh` takes a screenshot
// in the virtual display. Closes on its close box, or after the seconds given
// as its argument.
#include <cstdlib>

#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/shell.h"
#include "win32/test_window.h"

namespace {

vemo::DialogDefinition g_demo;
int g_run = 1;

int DemoHandler() {
    const vemo::EventRecord& event = vemo::Event();
    if (event.code == vemo::EVENT_CLOSE || event.code == WM_TIMER) g_run = 0;
    if (event.code == vemo::EVENT_CONTROL && event.control_id == vemo::testing::kAddButton) {
        vemo::AddItem(g_demo, vemo::testing::kNotifyList,
                      vemo::GetControlText(g_demo, vemo::testing::kEntry));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vemo;
    using namespace vemo::testing;
    DefineTestWindow(g_demo, 60, 60);
    g_demo.handler = DemoHandler;
    if (OpenModeless(g_demo, nullptr) == nullptr) return 1;
    for (const char* task : {"Buy milk", "Call the dentist", "Backup the database"}) {
        AddItem(g_demo, kNotifyList, task);
    }
    for (const char* priority : {" 1", " 2", " 3"}) AddItem(g_demo, kPlainList, priority);
    AddItem(g_demo, kCombo, "every day");
    SetSelection(g_demo, kCombo, 0);
    SetCheck(g_demo, kCheck, 1);
    const int commands[] = {3, 16, 0, 5};
    CreateToolbar(g_demo, std::string(), kToolbar, commands, CCS_NORESIZE | TBSTYLE_TOOLTIPS);
    ControlCommand(g_demo, kToolbar, 4, std::string("Close|Add|Send to tray"));
    ControlCommand(g_demo, kToolbar, 9, 3, std::string("Close Vemo"));
    MoveControl(g_demo, 10, 240, 300, 40, kToolbar);
    ControlCommand(g_demo, kToolbar, 0);
    if (argc > 1) StartTimer(g_demo, static_cast<UINT>(std::atoi(argv[1]) * 1000), 1);
    do {
        WaitForEvents(0);
    } while (g_run != 0);
    CloseDialog(g_demo, 0);
    ReleaseDialogs();
    return 0;
}
