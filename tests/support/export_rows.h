// A task of every pattern kind, with accents, commas and quotes and a text
// long enough to fold twice: written to both export files by
// host/export_sample.cpp and by the real vemo.exe in the end-to-end test,
// then read back by e2e/check_exports.py against host/export_sample.json.
// Portable: no platform headers.
#pragma once

#include <string>
#include <vector>

#include "app/task_record.h"

namespace vemo::testing {

// Created on Wednesday 04-02-2026; the texts are Latin-1, as the code page
// gives them.
inline std::vector<TaskRow> ExportSampleRows() {
    const std::string created = "04-02-2026";
    return {
        {"Dentist, 2nd floor; bring card", " 1", created, "07-12-2026", "14:30", " 6"},
        {"Caf\xE9 au lait \"Fran\xE7ois\"", " 2", created, "--Mon", "09:00", " 6"},
        {"Stand-up", " 3", created, "--Day", "08:00", " 3"},
        {"Birthday gift for J\xF6rg", " 12", created, "07--Dec", "10:00", " 5"},
        {"Stretch", " 5", created, "--Day", ":30", " 0"},
        {"Water plants", " 6", created, "--Fri", ":15", " 6"},
        {"Invoice day", " 7", created, "07-12-2026", ":45", " 4"},
        {"Leap day", " 8", created, "29--Feb", ":05", " 6"},
        {"Every day after all", " 9", created, "--Monday", "07:00", " 6"},
        {"Not a pattern", " 0", created, "whenever", "10:00", " 6"},
        {std::string(120, 'x') + "\xE9\xE9\xE9 long enough to fold twice " + std::string(60, 'y'),
         " 10", created, "--Sun", "23:59", " 6"},
    };
}

}  // namespace vemo::testing
