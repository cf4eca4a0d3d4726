#include "win32/test_window.h"

namespace vemo::testing {

RecordedEvents& Recorded() {
    static RecordedEvents recorded;
    return recorded;
}

int RecordingHandler() {
    Recorded().seen.push_back(Event());
    if (Recorded().on_event) Recorded().on_event();
    return 0;
}

void DefineTestWindow(DialogDefinition& dialog, int x, int y) {
    DefineDialog(dialog, x, y, 520, 300, kTestWindowStyle, nullptr, "Runtime test window",
                 RecordingHandler);
    DefineControl(dialog, PushButton, "Add", 10, 10, 80, 24, 0x10000, kAddButton);
    DefineControl(dialog, PushButton, "OK", 100, 10, 80, 24, 0x10001, kOkButton);
    DefineControl(dialog, PlainButton, "Plain", 190, 10, 80, 24, 0x10000, kPlainButton);
    DefineControl(dialog, CheckBox, "Create message file", 280, 10, 160, 20, 0x10000, kCheck);
    DefineControl(dialog, Edit, "entry", 10, 45, 250, 22, 0x10080, kEntry);
    DefineControl(dialog, Edit, "hidden", 270, 45, 100, 22, 0x80000, kHiddenEdit);
    DefineControl(dialog, ListBox, "", 10, 80, 150, 120, 0x50B10141, kNotifyList);
    DefineControl(dialog, ListBox, "", 170, 80, 150, 120, 0x50A10140, kPlainList);
    DefineControl(dialog, ComboBox, "", 330, 80, 120, 100, 0x50210003, kCombo);
    DefineControl(dialog, Static, "Label", 10, 210, 100, 20, 0, kLabel);
    DefineControl(dialog, ScrollBar, "", 470, 80, 17, 120, 0x1, kScrollBar);
    // A second control with a taken id is ignored.
    DefineControl(dialog, Static, "duplicate", 10, 240, 100, 20, 0, kAddButton);
}

}  // namespace vemo::testing
