// What the two export writers share: the conversion of task texts, which
// are in the system's single-byte code page, to UTF-8, and the line the
// export prints. Portable: no platform headers.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The program passes the code page's conversion (MultiByteToWideChar, then
// WideCharToMultiByte); tests pass Latin1ToUtf8.
using TextToUtf8 = std::function<std::string(std::string_view)>;

// Each byte as the code point of the same number: ISO 8859-1.
std::string Latin1ToUtf8(std::string_view text);

// "3 tasks exported to FILE", and for a calendar " (1 without a rule)".
std::string ExportedLine(std::size_t tasks, std::string_view file,
                         std::optional<std::size_t> without_rule);

}  // namespace vemo
