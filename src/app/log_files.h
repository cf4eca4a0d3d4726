// The log file of each database and the note file of added tasks.
#pragma once

#include <string>

namespace vemo {

// "VemoLog-" + database name + ".txt", in the current folder.
std::string LogFileName();
// Appends the selected row to the log and, when a row was chosen since the
// last deletion, removes it from the list. The caller saves.
void SendToLog();
// Appends one line to "AddFile.txt".
void AddToTxtFile(const std::string& line);

}  // namespace vemo
