// The open-file dialog as the program's windows use it.
#pragma once

#include <string>

#include "runtime/dialogs.h"

namespace vemo {

// Asks for a file to open, starting in "C:\", owned by `owner` (or none).
// Returns the path, or "" when cancelled, and also when the path is longer
// than a setting can hold: that is refused with a message, so nothing is cut
// into a path that names another file.
std::string ChooseFile(const std::string& title, const DialogDefinition* owner,
                       const std::string& filter);

}  // namespace vemo
