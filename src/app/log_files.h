// The log file of each database and the note file of added tasks.
#pragma once

#include "app/save_report.h"

#include <string>

namespace vemo {

// "VemoLog-" + database name + ".txt", in the current folder.
std::string LogFileName();
// Appends one line to "AddFile.txt".
// False when the note could not be written (said at once unless quiet).
bool AddToTxtFile(const std::string& line, SaveReport report = SaveReport::Show);

}  // namespace vemo
