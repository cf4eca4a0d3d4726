// File primitives: text files read by lines and number tokens, record files of
// fixed-length records addressed by number. Every read and write goes to the
// platform at once; nothing is buffered here.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "runtime/scoped.h"
#include "runtime/text.h"
#include "runtime/textio.h"
#include "runtime/win32.h"

namespace vemo {

// The kind codes callers pass, with bit 16 set as the program always does
// (only the low 16 bits select the kind).
enum FileKind : std::uint32_t {
    TextFile = 0x10006,
    RecordFile = 0x1000B,
};

// One open file, or none. Closes what it holds when it goes away.
class FileHandle {
  public:
    HANDLE get() const { return handle_.get(); }
    bool IsOpen() const { return handle_.valid(); }

  private:
    friend int OpenFile(FileHandle&, std::uint32_t, const std::string&, std::string_view);
    friend void CloseFile(FileHandle&, std::uint32_t);
    ScopedHandle handle_;
};

// Opens with the access, sharing and creation of the mode: "r"/"R" read,
// "w"/"W" create or empty, "a"/"A" open or create and go to the end, and for
// record files "r+"/"R+" open existing for reading and writing. Returns 0 when
// opened, 1 when not (the handle is then unchanged); a mode outside these is refused.
int OpenFile(FileHandle& file, std::uint32_t kind, const std::string& path, std::string_view mode);
void CloseFile(FileHandle& file, std::uint32_t kind);

// Record n (1-based) of records as long as the buffer. A read that finds fewer
// bytes leaves the rest of the buffer as it was.
void ReadRecord(const FileHandle& file, long long n, std::span<std::uint8_t> buffer);
void WriteRecord(const FileHandle& file, long long n, std::span<const std::uint8_t> buffer);

// Offset -1 reports the position without moving; others move there from the
// start. Returns the position, -1 when the file is not open.
long long SeekFile(const FileHandle& file, long long offset);

NumberToken ReadNumber(const FileHandle& file);

// The text format's byte source over an open file, reading at its position.
class FileSource final : public ByteSource {
  public:
    explicit FileSource(const FileHandle& file) : handle_(file.get()) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    void Unread(std::size_t count) override;

  private:
    HANDLE handle_;
};

// The size of an open file in bytes, -1 when it cannot be had.
long long FileSize(const FileHandle& file);
// Exactly `bytes.size()` bytes from `offset`; false when the read falls
// short or fails, so a part of a file is never passed off as all of it.
bool ReadExactly(const FileHandle& file, long long offset, std::span<std::uint8_t> bytes);

// Text file: the next line. Returns 0 when a line (an empty one too) was read,
// -1 at the end of the file; record files have no lines and give -1.
int ReadItem(FileHandle& file, std::uint32_t kind, std::string& line);
// Record file: as many bytes as the buffer holds, at the current position.
int ReadItem(FileHandle& file, std::uint32_t kind, std::span<std::uint8_t> bytes);

// Text file: the line and CR LF. Record file: the bytes of the text alone.
std::size_t WriteItem(FileHandle& file, std::uint32_t kind, std::string_view text);
// Record file: the bytes at the current position; text files take no raw bytes.
std::size_t WriteItem(FileHandle& file, std::uint32_t kind, std::span<const std::uint8_t> bytes);

template <class T>
concept FileNumber =
    std::is_arithmetic_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>;

namespace detail {
NumberToken ReadNumberItem(FileHandle& file, std::uint32_t kind);
std::size_t WriteNumberItem(FileHandle& file, std::uint32_t kind, double value);
bool IsKind(std::uint32_t kind, std::uint32_t expected);
double ClampToFloat(double value);
}  // namespace detail

// Text file: the next number token, rounded halves-to-even for integer types
// and kept in the width of T; 0 and -1 when none is left. Record file: the raw
// little-endian bytes of T at the current position.
template <FileNumber T>
int ReadItem(FileHandle& file, std::uint32_t kind, T& value) {
    if (detail::IsKind(kind, RecordFile)) {
        std::uint8_t raw[sizeof(T)] = {};
        if (ReadItem(file, kind, std::span<std::uint8_t>(raw)) != 0) return -1;
        std::memcpy(&value, raw, sizeof(T));
        return 0;
    }
    const NumberToken token = detail::ReadNumberItem(file, kind);
    if constexpr (std::is_integral_v<T>) {
        value = RoundTo<T>(token.value);
    } else if constexpr (std::is_same_v<T, float>) {
        value = static_cast<float>(detail::ClampToFloat(token.value));
    } else {
        value = static_cast<T>(token.value);
    }
    return token.found ? 0 : -1;
}

// Text file: NumberText(value) and one blank, no line end. Record file: the
// raw bytes of T. Returns the bytes written.
template <FileNumber T>
std::size_t WriteItem(FileHandle& file, std::uint32_t kind, T value) {
    if (detail::IsKind(kind, RecordFile)) {
        std::uint8_t raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        return WriteItem(file, kind, std::span<const std::uint8_t>(raw));
    }
    return detail::WriteNumberItem(file, kind, static_cast<double>(value));
}

// Copies source to target; with fail_if_exists false an existing target is
// replaced. True when copied.
bool CopyFileTo(const std::string& source, const std::string& target, bool fail_if_exists);

}  // namespace vemo
