// The switches vemo.exe takes, read from the one string WinMain is given
// (or from arguments already split). A start without arguments is a plain
// start. Portable: no platform headers.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/new_task.h"

namespace vemo {

// What a process whose arguments are bad ends with, after its message.
inline constexpr int kBadArgumentsExitCode = 2;

enum class Command { Start, Tray, AutostartOn, AutostartOff, Add, Export, Help };
enum class ExportFormat { Calendar, Csv };

struct CommandLine {
    Command command = Command::Start;
    NewTask task;             // Add: checked, the text cut at its capacity
    std::string export_path;  // Export
    ExportFormat export_format = ExportFormat::Calendar;
    // Not empty when the arguments are bad: one line for the console that
    // names the argument ("vemo: bad time \"24:00\" (HH:MM or :MM)").
    std::string error;

    bool operator==(const CommandLine&) const = default;
};

// Splits a command line as the C runtime does for a Windows program's argv:
// blanks and tabs separate arguments except inside double quotes; 2n
// backslashes before a quote give n and the quote opens or closes quoting,
// 2n+1 give n and a literal quote; other backslashes are literal; "" inside
// quotes is a literal quote. The program's name is not expected in front.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

// Switch names in any case, with "/" or "-": /tray, /autostart on|off,
// /add "text" [date] [time] [priority], /export FILE.ics|FILE.csv, /? or
// /help.
CommandLine ParseArguments(std::span<const std::string> arguments);
CommandLine ParseCommandLine(std::string_view command_line);

// What "/?" prints: every switch with an example, then the exit codes.
std::string_view HelpText();
// A Windows error a user can cause at the command line, in English words
// ("the folder does not exist"); "" for one with no words here.
std::string_view WindowsErrorWords(unsigned long error);

// The logon entry's value: the program's full path quoted, then /tray.
std::string AutostartCommand(std::string_view exe_path);

}  // namespace vemo
