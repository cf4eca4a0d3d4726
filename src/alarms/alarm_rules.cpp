#include "alarms/alarm_rules.h"

#include "app/task_record.h"
#include "runtime/text.h"

namespace vemo {

std::string SoundCommand(std::string_view verb, std::string_view short_path) {
    const bool quote =
        short_path.find(' ') != std::string_view::npos &&
        !(short_path.size() >= 2 && short_path.front() == '"' && short_path.back() == '"');
    if (quote) return JoinText(verb, "\"", short_path, "\"");
    return JoinText(verb, short_path);
}

std::string MessageFileLine(std::string_view prefix, std::string_view message_line) {
    return CutText(JoinText(prefix, " ", message_line));
}

std::string MessageFileContent(std::string_view fine_tune, std::string_view import_path,
                               std::string_view alarm_text, std::string_view line) {
    if (fine_tune != "no") return JoinText(import_path, "\r\n", alarm_text, "\r\n");
    return JoinText(line, "\r\n");
}

std::string ImportLine(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of("\r\n");
    return CutText(bytes.substr(0, end), kTaskTextCapacity);
}

}  // namespace vemo
