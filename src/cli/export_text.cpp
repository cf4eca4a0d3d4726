#include "cli/export_text.h"

namespace vemo {

std::string Latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string ExportedLine(std::size_t tasks, std::string_view file,
                         std::optional<std::size_t> without_rule) {
    std::string line = std::to_string(tasks) + (tasks == 1 ? " task" : " tasks");
    line += " exported to ";
    line += file;
    if (without_rule) line += " (" + std::to_string(*without_rule) + " without a rule)";
    return line;
}

}  // namespace vemo
