// What vemo.exe does with its command line: a plain start, a start in the
// tray, the logon entry, a task added from a script, an export. Every switch
// but the plain start ends without a window of its own.
#pragma once

#include <string_view>

namespace vemo {

// Returns the process exit code: 0 done, 1 failed (a line says why), 2 bad
// arguments (a line names the argument; nothing is written).
int RunCommandLine(std::string_view command_line);

}  // namespace vemo
