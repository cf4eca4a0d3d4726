#include "runtime/textio.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "runtime/text.h"

namespace vemo {

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, data_.size() - position_);
    if (count != 0) std::memcpy(buffer, data_.data() + position_, count);
    position_ += count;
    return count;
}

void MemorySource::Unread(std::size_t count) {
    position_ -= std::min(count, position_);
}

std::size_t StringSink::Write(const char* data, std::size_t size) {
    out_.append(data, size);
    return size;
}

int ReadTextLine(ByteSource& source, std::string& line) {
    line.clear();
    std::array<char, kLineChunk> chunk{};
    bool consumed = false;
    for (;;) {
        const std::size_t count = source.Read(chunk.data(), chunk.size());
        if (count == 0) return consumed ? 0 : -1;
        consumed = true;
        for (std::size_t i = 0; i < count; ++i) {
            const char c = chunk[i];
            if (c == '\n') {
                source.Unread(count - i - 1);
                return 0;
            }
            if (c == '\r') {
                if (i + 1 < count) {
                    const std::size_t used = i + 1 + (chunk[i + 1] == '\n' ? 1 : 0);
                    source.Unread(count - used);
                } else {
                    // The CR ends the chunk: one more byte tells whether an LF follows.
                    char next = 0;
                    if (source.Read(&next, 1) == 1 && next != '\n') source.Unread(1);
                }
                return 0;
            }
            if (line.size() < kTextCapacity) line.push_back(c);
        }
    }
}

NumberToken ReadNumberToken(ByteSource& source) {
    auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    char c = 0;
    do {
        if (source.Read(&c, 1) != 1) return {};
    } while (!is_digit(c) && c != '-');

    std::string token(1, c);
    while (token.size() < kNumberTokenCapacity && source.Read(&c, 1) == 1) {
        if (!is_digit(c) && c != '.' && c != '-') break;  // the terminator is consumed
        token.push_back(c);
    }
    return {TextToNumber(token), true};
}

std::size_t WriteTextLine(ByteSink& sink, std::string_view line) {
    std::string bytes(line);
    bytes += "\r\n";
    return sink.Write(bytes.data(), bytes.size());
}

std::size_t WriteNumberToken(ByteSink& sink, double value) {
    const std::string bytes = NumberText(value) + " ";
    return sink.Write(bytes.data(), bytes.size());
}

}  // namespace vemo
