// Lines for the console a command was started from. A program with windows
// has none of its own: it writes to the handles it was given (a pipe, a
// file) or attaches to its parent's console; started from Explorer, its
// lines go nowhere.
#pragma once

#include <string>

namespace vemo {

void PrintLine(const std::string& line);
void PrintErrorLine(const std::string& line);

}  // namespace vemo
