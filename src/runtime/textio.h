// The text-file format shared by every text file of the program: lines ended
// by CR LF, LF or CR, and number tokens followed by one blank. Portable: it
// reads and writes through a small byte source and sink, which is a Win32 file
// handle in the program and memory in the tests and fuzzers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vemo {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes; returns how many were read, 0 at the end.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // Moves the position back over `count` bytes that the last reads returned.
    virtual void Unread(std::size_t count) = 0;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes the bytes; returns how many were written.
    virtual std::size_t Write(const char* data, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::string_view data) : data_(data) {}
    // The source only views its bytes: a temporary string would vanish under it.
    explicit MemorySource(std::string&&) = delete;
    template <std::size_t N>
    explicit MemorySource(const char (&literal)[N]) : data_(literal, N - 1) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    void Unread(std::size_t count) override;
    std::size_t Position() const { return position_; }

  private:
    std::string_view data_;
    std::size_t position_ = 0;
};

class StringSink final : public ByteSink {
  public:
    explicit StringSink(std::string& out) : out_(out) {}
    std::size_t Write(const char* data, std::size_t size) override;

  private:
    std::string& out_;
};

// Bytes fetched per read while looking for a line end.
inline constexpr std::size_t kLineChunk = 128;
// Longest number token; the bytes after it start the next read.
inline constexpr std::size_t kNumberTokenCapacity = 40;

// Reads one line into `line` (without its line end) and leaves the source just
// behind the line end. A line longer than kTextCapacity keeps its first
// kTextCapacity characters; the rest of it is consumed and dropped.
// Returns 0 when anything was consumed (an empty line too), -1 at the end.
int ReadTextLine(ByteSource& source, std::string& line);

struct NumberToken {
    double value = 0.0;
    bool found = false;
};

// Skips everything up to a digit or "-" (line ends too), collects digits, "."
// and "-", and consumes the byte that ends the token.
NumberToken ReadNumberToken(ByteSource& source);

// The line and CR LF; returns the bytes written.
std::size_t WriteTextLine(ByteSink& sink, std::string_view line);
// NumberText(value) and one blank, no line end; returns the bytes written.
std::size_t WriteNumberToken(ByteSink& sink, double value);

}  // namespace vemo
