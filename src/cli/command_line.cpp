#include "cli/command_line.h"

#include "app/dates.h"

#include "runtime/text.h"

namespace vemo {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// An argument as a message shows it: on one line, and short enough to read.
std::string Shown(std::string_view argument) {
    constexpr std::size_t kShownLength = 60;
    std::string shown;
    for (const char c : argument.substr(0, kShownLength)) {
        shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    if (argument.size() > kShownLength) shown += "...";
    return JoinText("\"", shown, "\"");
}

CommandLine Bad(std::string_view what, std::string_view argument = {},
                std::string_view expected = {}) {
    CommandLine line;
    line.error = JoinText("vemo: ", what);
    if (!argument.empty() || !expected.empty()) line.error += JoinText(" ", Shown(argument));
    if (!expected.empty()) line.error += JoinText(" (", expected, ")");
    return line;
}

CommandLine ParseAdd(std::span<const std::string> values) {
    if (values.empty()) return Bad("/add needs a task text");
    if (values.size() > 4) return Bad("extra argument", values[4], "after the priority");
    CommandLine line;
    line.command = Command::Add;
    NewTask& task = line.task;
    task.text = CutText(values[0], kTaskTextCapacity);
    if (task.text.empty()) return Bad("empty task text");
    if (!IsTaskText(task.text)) {
        return Bad("bad task text", task.text, "no line breaks or other control characters");
    }
    if (values.size() > 1) {
        task.remind_date = CanonicalRemindDate(values[1]);
        // A date that can never come says why, as the date fields do.
        if (const std::string why = WhyDateCannotRing(values[1]); !why.empty()) {
            return Bad("bad date", values[1], why);
        }
        if (!task.remind_date) {
            return Bad("bad date", values[1], "dd-MM-yyyy, --Mon ... --Sun, --Day or dd--Mmm");
        }
    }
    if (values.size() > 2) {
        if (const std::string why = WhyTimeCannotRing(values[2]); !why.empty()) {
            return Bad("bad time", values[2], why);
        }
        if (!IsReminderTime(values[2])) return Bad("bad time", values[2], "HH:MM or :MM");
        task.time = values[2];
    }
    if (values.size() > 3) {
        task.priority = ReadPriority(values[3]);
        if (!task.priority) {
            return Bad("bad priority", values[3], "a whole number from 1 to 2147483647");
        }
    }
    return line;
}

CommandLine ParseExport(std::span<const std::string> values) {
    if (values.empty()) return Bad("/export needs a file name ending .ics or .csv");
    if (values.size() > 1) return Bad("extra argument", values[1], "after the file name");
    CommandLine line;
    line.command = Command::Export;
    line.export_path = values[0];
    const std::string lower = Lower(values[0]);
    if (lower.size() > 4 && EndsWith(lower, ".ics")) {
        line.export_format = ExportFormat::Calendar;
    } else if (lower.size() > 4 && EndsWith(lower, ".csv")) {
        line.export_format = ExportFormat::Csv;
    } else {
        return Bad("bad export file", values[0], "a name ending .ics or .csv");
    }
    return line;
}

CommandLine ParseAutostart(std::span<const std::string> values) {
    if (values.empty()) return Bad("/autostart needs on or off");
    if (values.size() > 1) return Bad("extra argument", values[1], "after on or off");
    CommandLine line;
    const std::string choice = Lower(values[0]);
    if (choice == "on") {
        line.command = Command::AutostartOn;
    } else if (choice == "off") {
        line.command = Command::AutostartOff;
    } else {
        return Bad("bad /autostart argument", values[0], "on or off");
    }
    return line;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t n = command_line.size();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (true) {
        while (i < n && blank(command_line[i])) ++i;
        if (i >= n) break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !blank(command_line[i]))) {
            std::size_t slashes = 0;
            while (i < n && command_line[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < n && command_line[i] == '"') {
                argument.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < n && command_line[i + 1] == '"') {
                    argument += '"';  // "" inside quotes
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(slashes, '\\');
                if (i < n && (quoted || !blank(command_line[i]))) argument += command_line[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

CommandLine ParseArguments(std::span<const std::string> arguments) {
    if (arguments.empty()) return CommandLine{};
    const std::string& first = arguments[0];
    // Vemo never read its arguments before the switches came: a file dropped
    // on it or a shortcut's arguments still make a plain start.
    if (first.empty() || (first[0] != '/' && first[0] != '-')) return CommandLine{};
    if (first.size() < 2)
        return Bad("unknown switch", first, "/tray, /autostart, /add, /export or /?");
    const std::string name = Lower(std::string_view(first).substr(1));
    const std::span<const std::string> values = arguments.subspan(1);
    if (name == "tray") {
        if (!values.empty()) return Bad("extra argument", values[0], "after /tray");
        CommandLine line;
        line.command = Command::Tray;
        return line;
    }
    if (name == "?" || name == "help") {
        CommandLine line;
        line.command = Command::Help;
        return line;
    }
    if (name == "autostart") return ParseAutostart(values);
    if (name == "add") return ParseAdd(values);
    if (name == "export") return ParseExport(values);
    return Bad("unknown switch", first, "/tray, /autostart, /add, /export or /?");
}

CommandLine ParseCommandLine(std::string_view command_line) {
    const std::vector<std::string> arguments = SplitCommandLine(command_line);
    return ParseArguments(arguments);
}

std::string_view HelpText() {
    return "Vemo: your tasks and reminders.\n"
           "\n"
           "vemo.exe                      starts Vemo (a second start shows the first)\n"
           "vemo.exe /tray                starts Vemo in the tray\n"
           "    vemo.exe /tray\n"
           "vemo.exe /autostart on|off    starts Vemo in the tray at logon, or no longer\n"
           "    vemo.exe /autostart on\n"
           "vemo.exe /add \"text\" [date] [time] [priority]\n"
           "                              adds a task; date dd-MM-yyyy, --Mon, --Day or dd--Mmm,\n"
           "                              time HH:MM or :MM (every hour), priority from 1\n"
           "    vemo.exe /add \"Call the dentist\" 24-12-2026 09:30 2\n"
           "vemo.exe /export FILE.ics|FILE.csv\n"
           "                              writes the tasks as a calendar or as a table\n"
           "    vemo.exe /export tasks.ics\n"
           "vemo.exe /? or /help          shows this\n"
           "\n"
           "Exit codes: 0 done, 1 failed, 2 bad arguments.\n";
}

std::string_view WindowsErrorWords(unsigned long error) {
    struct Words {
        unsigned long error;
        std::string_view words;
    };
    static constexpr Words kWords[] = {
        {2, "the file does not exist"},
        {3, "the folder does not exist"},
        {5, "no right to write there, or the file is read-only"},
        {15, "the drive does not exist"},
        {19, "the disk is write-protected"},
        {21, "the drive is not ready"},
        {32, "the file is held by another program"},
        {33, "part of the file is locked by another program"},
        {53, "the network path was not found"},
        {67, "the network name was not found"},
        {80, "the file exists"},
        {82, "the folder cannot take the file"},
        {112, "the disk is full"},
        {123, "the name is not a valid file name"},
        {161, "the path is not valid"},
        {206, "the name or path is too long"},
        {267, "the folder name is not valid"},
        {1224, "the file is open in a way that does not let it change"},
    };
    for (const Words& words : kWords) {
        if (words.error == error) return words.words;
    }
    return {};
}

std::string AutostartCommand(std::string_view exe_path) {
    return JoinText("\"", exe_path, "\" /tray");
}

}  // namespace vemo
