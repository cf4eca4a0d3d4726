#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "cli/task_request.h"

namespace vemo {
namespace {

Request AddTask(std::string text, std::optional<std::string> date = {},
                std::optional<std::string> time = {}, std::optional<std::int32_t> priority = {}) {
    return {RequestKind::AddTask, {std::move(text), std::move(date), std::move(time), priority}};
}

// A task request written by hand: tag, kind, then each field's length and bytes.
std::string Raw(char kind, std::initializer_list<std::string> fields) {
    std::string out(kRequestTag);
    out += kind;
    for (const std::string& field : fields) {
        out += static_cast<char>(field.size() & 0xFF);
        out += static_cast<char>(field.size() >> 8);
        out += field;
    }
    return out;
}

TEST(TaskRequest, RoundTripsEveryKindOfTask) {
    std::string accents(kTaskTextCapacity, ',');
    for (std::size_t i = 0; i < accents.size(); i += 2)
        accents[i] = static_cast<char>(0x80 + i % 128);
    const Request requests[] = {
        {RequestKind::SaveNow, {}},
        AddTask("Buy milk"),
        AddTask("x", "29-02-2024", "09:05", 7),
        AddTask("x", "--Day", ":15"),
        AddTask("x", "07--Dec", {}, 2147483647),
        AddTask(accents, "--Sun", "23:59", 1),
    };
    for (const Request& request : requests) {
        const std::string bytes = EncodeRequest(request);
        EXPECT_LE(bytes.size(), kMaxRequestSize);
        EXPECT_EQ(DecodeRequest(bytes), request) << bytes;
        const auto* first = reinterpret_cast<const std::byte*>(bytes.data());
        EXPECT_EQ(DecodeRequest(std::span<const std::byte>(first, bytes.size())), request);
    }
    // Names are taken in any case, as on the command line, and kept as written.
    EXPECT_EQ(DecodeRequest(Raw(1, {"x", "--mon", "", ""})), AddTask("x", "--Mon"));
}

TEST(TaskRequest, RefusesAnythingButOneWholeCheckedRequest) {
    const std::string good = Raw(1, {"x", "07-12-2026", "14:30", "3"});
    ASSERT_TRUE(DecodeRequest(good));
    std::string other_tag = good, other_version = good;
    other_tag[0] = 'v';
    other_version[kRequestTag.size() - 1] = 2;
    const std::string too_long = Raw(1, {std::string(kTaskTextCapacity + 1, 't'), "", "", ""});
    std::string lying_length = Raw(1, {"x", "", "", ""});
    lying_length[kRequestTag.size() + 1] = 9;  // the text claims more bytes than follow
    const std::string refused[] = {
        "",
        std::string(kRequestTag),
        other_tag,
        other_version,
        Raw(0, {}),
        Raw(3, {}),
        Raw(2, {""}),  // "save now" carries nothing
        good + '\0',
        Raw(1, {"x", "", ""}),
        too_long,
        lying_length,
        Raw(1, {"", "", "", ""}),
        Raw(1, {std::string("a\0b", 3), "", "", ""}),
        Raw(1, {"x", "31-02-2026", "", ""}),
        Raw(1, {"x", "07-12-2026 ", "", ""}),
        Raw(1, {"x", "--Monday", "", ""}),
        Raw(1, {"x", "", "24:00", ""}),
        Raw(1, {"x", "", ":60", ""}),
        Raw(1, {"x", "", "", "0"}),
        Raw(1, {"x", "", "", "2147483648"}),
        Raw(1, {"x", "", "", " 3"}),
        Raw(1, {"x", "", "", ""}) + std::string(kMaxRequestSize, '\0'),
    };
    for (const std::string& bytes : refused) EXPECT_FALSE(DecodeRequest(bytes)) << bytes;
    // Cut short anywhere, a request is no request.
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(DecodeRequest(std::string_view(good).substr(0, size))) << size;
    }
}

}  // namespace
}  // namespace vemo
