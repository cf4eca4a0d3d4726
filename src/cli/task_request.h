// What a second start hands the running Vemo of its folder (through
// WM_COPYDATA): a task to add, or "save now" before an export reads the
// database. Any program on the desktop can send such a message, so the
// decoder takes nothing on trust. Portable: no platform headers.
//
// Layout: the tag "VEMOREQ" and a version byte, the kind byte, then for a
// task four fields, each a 16-bit little-endian length and its bytes: text,
// remind date, time, priority digits; an empty field is one left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/new_task.h"

namespace vemo {

inline constexpr std::string_view kRequestTag{"VEMOREQ\x01", 8};
// The copy-data id the sender sets beside the bytes ('VEMO').
inline constexpr std::uint32_t kRequestCopyDataId = 0x56454D4F;
// Larger than any request the encoder makes (tag, kind, four lengths and a
// full text are under 300 bytes); anything longer is refused unread.
inline constexpr std::size_t kMaxRequestSize = 512;

enum class RequestKind : std::uint8_t { AddTask = 1, SaveNow = 2 };

struct Request {
    RequestKind kind = RequestKind::AddTask;
    NewTask task;  // AddTask only

    bool operator==(const Request&) const = default;
};

// Fields are written as given, cut at their capacities; what the checks of
// new_task.h refuse, the decoder refuses.
std::string EncodeRequest(const Request& request);

// None unless the bytes are exactly one request: our tag, a known kind, a
// size within kMaxRequestSize, every field within its capacity and passing
// the same checks as the command line, nothing after the last field.
std::optional<Request> DecodeRequest(std::span<const std::byte> bytes);
std::optional<Request> DecodeRequest(std::string_view bytes);

}  // namespace vemo
