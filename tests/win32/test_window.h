// A runtime window with one control of each kind the program uses, and a
// handler that records every event it sees, for the window tests and the demo.
#pragma once

#include <functional>
#include <vector>

#include "runtime/dialogs.h"
#include "runtime/events.h"
#include "support/harness.h"

namespace vemo::testing {

enum TestControlId : int {
    kAddButton = 7,
    kOkButton = 8,
    kNotifyList = 11,
    kPlainList = 12,
    kPlainButton = 13,
    kCombo = 15,
    kScrollBar = 3,
    kLabel = 20,
    kHiddenEdit = 30,
    kEntry = 44,
    kCheck = 68,
    kToolbar = 100,
};

// Window style: caption, system menu, minimise box, both scroll bars.
inline constexpr std::uint32_t kTestWindowStyle = 0xCA0000 | 0x300000;

struct RecordedEvents {
    std::vector<EventRecord> seen;
    // Runs inside the handler after the event is recorded, when set.
    std::function<void()> on_event;
};

RecordedEvents& Recorded();
int RecordingHandler();

// Defines the test window at (x, y) with its controls, ready to open.
void DefineTestWindow(DialogDefinition& dialog, int x = 40, int y = 40);

}  // namespace vemo::testing
