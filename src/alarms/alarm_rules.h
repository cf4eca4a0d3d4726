// The texts of the alarm actions and the files beside them: the multimedia
// command, the message file's line and content, and the import file's line.
// Portable: no platform headers.
#pragma once

#include <string>
#include <string_view>

namespace vemo {

// "Play " or "Close " and the short path. A short path that still holds a
// blank (volumes without 8.3 names) is quoted, or the command would end at it.
std::string SoundCommand(std::string_view verb, std::string_view short_path);

// The message file's line: the prefix, a blank, the message line; cut at
// the text capacity.
std::string MessageFileLine(std::string_view prefix, std::string_view message_line);

// The whole message file: the line, or in fine-tune mode (anything but "no")
// the import file's path and the alarmed task's text; CR LF after each.
std::string MessageFileContent(std::string_view fine_tune, std::string_view import_path,
                               std::string_view alarm_text, std::string_view line);

// The import file's first line (up to CR or LF), cut at the task text's
// capacity, from the file's first bytes.
std::string ImportLine(std::string_view bytes);

}  // namespace vemo
