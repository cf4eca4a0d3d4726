// The reminder scheduler's state between ticks.
#pragma once

#include <optional>
#include <string>

#include "alarms/reminder_rules.h"

namespace vemo {

// Rebuilt whenever the start-up loop builds the main window (a database
// switch keeps it); the fields of ReminderMemory say which of them each tick
// keeps.
struct SchedulerState : ReminderMemory {
    std::string SchedulerMessage;  // rebuilt each tick
    // The line last written to the message file; "" at start, so a new
    // window writes the file once.
    std::string LastMessage;
    // An imported line whose row is in the list while its file is still
    // there (the save or the deletion failed): the next tick finishes the
    // job instead of adding the row twice.
    struct ImportedLine {
        std::string line;
        bool saved = false;
    };
    std::optional<ImportedLine> PendingImport;
    // A resume was reported from its automatic notice; the user's notice of
    // the same resume that may follow adds nothing.
    bool ResumeReported = false;
    // The sound player's mode: 1 plays the sound, 0 stops it; an alarm and
    // the Alarm Action dialog's "P" and "S" set it. 1 on each pass of the
    // start-up loop.
    int SoundTestMode = 1;
};

SchedulerState& Scheduler();

}  // namespace vemo
