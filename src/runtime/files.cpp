#include "runtime/files.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "runtime/shell.h"

namespace vemo {

namespace {

constexpr std::uint32_t kKindMask = 0xFFFF;

struct OpenMode {
    std::uint32_t kind;
    std::string_view mode;
    DWORD access;
    DWORD sharing;
    DWORD creation;
};

constexpr DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

// A file opened for reading lets others read and write it; a file opened for
// writing lets others only read it.
constexpr OpenMode kOpenModes[] = {
    {TextFile, "R", GENERIC_READ, kShareAll, OPEN_EXISTING},
    {TextFile, "r", GENERIC_READ, kShareAll, OPEN_EXISTING},
    {TextFile, "W", kReadWrite, FILE_SHARE_READ, CREATE_ALWAYS},
    {TextFile, "w", kReadWrite, FILE_SHARE_READ, CREATE_ALWAYS},
    {TextFile, "A", kReadWrite, FILE_SHARE_READ, OPEN_ALWAYS},
    {TextFile, "a", kReadWrite, FILE_SHARE_READ, OPEN_ALWAYS},
    {RecordFile, "R", GENERIC_READ, kShareAll, OPEN_EXISTING},
    {RecordFile, "r", GENERIC_READ, kShareAll, OPEN_EXISTING},
    {RecordFile, "R+", kReadWrite, FILE_SHARE_READ, OPEN_EXISTING},
    {RecordFile, "r+", kReadWrite, FILE_SHARE_READ, OPEN_EXISTING},
    {RecordFile, "W", kReadWrite, FILE_SHARE_READ, CREATE_ALWAYS},
    {RecordFile, "w", kReadWrite, FILE_SHARE_READ, CREATE_ALWAYS},
    {RecordFile, "A", kReadWrite, FILE_SHARE_READ, OPEN_ALWAYS},
    {RecordFile, "a", kReadWrite, FILE_SHARE_READ, OPEN_ALWAYS},
};

bool IsAppendMode(std::string_view mode) {
    return mode == "a" || mode == "A";
}

std::size_t WriteAll(HANDLE handle, const void* data, std::size_t size) {
    DWORD written = 0;
    if (size == 0 || !WriteFile(handle, data, static_cast<DWORD>(size), &written, nullptr)) {
        return 0;
    }
    return written;
}

class HandleSink final : public ByteSink {
  public:
    explicit HandleSink(HANDLE handle) : handle_(handle) {}
    std::size_t Write(const char* data, std::size_t size) override {
        return WriteAll(handle_, data, size);
    }

  private:
    HANDLE handle_;
};

bool MoveTo(HANDLE handle, long long offset) {
    LARGE_INTEGER position{};
    position.QuadPart = offset;
    return offset >= 0 && SetFilePointerEx(handle, position, nullptr, FILE_BEGIN) != 0;
}

std::size_t ReadAll(HANDLE handle, std::span<std::uint8_t> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        DWORD read = 0;
        const auto wanted = static_cast<DWORD>(buffer.size() - total);
        if (!ReadFile(handle, buffer.data() + total, wanted, &read, nullptr) || read == 0) break;
        total += read;
    }
    return total;
}

// A record's byte offset, or -1 when record n cannot exist.
long long RecordOffset(long long n, std::size_t length) {
    const auto size = static_cast<long long>(length);
    if (n < 1 || n - 1 > std::numeric_limits<long long>::max() / size) return -1;
    return (n - 1) * size;
}

}  // namespace

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &read, nullptr)) return 0;
    return read;
}

void FileSource::Unread(std::size_t count) {
    if (count == 0) return;
    LARGE_INTEGER distance{};
    distance.QuadPart = -static_cast<LONGLONG>(count);
    SetFilePointerEx(handle_, distance, nullptr, FILE_CURRENT);
}

long long FileSize(const FileHandle& file) {
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.get(), &size)) return -1;
    return size.QuadPart;
}

bool ReadExactly(const FileHandle& file, long long offset, std::span<std::uint8_t> bytes) {
    return file.IsOpen() && MoveTo(file.get(), offset) &&
           ReadAll(file.get(), bytes) == bytes.size();
}

namespace detail {

bool IsKind(std::uint32_t kind, std::uint32_t expected) {
    return (kind & kKindMask) == (expected & kKindMask);
}

double ClampToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return std::clamp(value, -kMax, kMax);
}

NumberToken ReadNumberItem(FileHandle& file, std::uint32_t kind) {
    if (!IsKind(kind, TextFile)) return {};
    return ReadNumber(file);
}

std::size_t WriteNumberItem(FileHandle& file, std::uint32_t kind, double value) {
    if (!IsKind(kind, TextFile) || !file.IsOpen()) return 0;
    HandleSink sink(file.get());
    return WriteNumberToken(sink, value);
}

}  // namespace detail

int OpenFile(FileHandle& file, std::uint32_t kind, const std::string& path, std::string_view mode) {
    if (!detail::IsKind(kind, TextFile) && !detail::IsKind(kind, RecordFile)) {
        ShowMessageBox(nullptr, "Runtime error (OPENFILE): file variable expected", "Error", 0);
        return 1;
    }
    const auto entry = std::find_if(
        std::begin(kOpenModes), std::end(kOpenModes),
        [&](const OpenMode& m) { return detail::IsKind(kind, m.kind) && m.mode == mode; });
    if (entry == std::end(kOpenModes)) return 1;

    HANDLE handle =
        CreateFileA(path.c_str(), entry->access, entry->sharing, nullptr, entry->creation,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return 1;
    file.handle_.reset(handle);
    if (IsAppendMode(mode)) {
        SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_END);
    }
    return 0;
}

void CloseFile(FileHandle& file, std::uint32_t kind) {
    if (!detail::IsKind(kind, TextFile) && !detail::IsKind(kind, RecordFile)) {
        ShowMessageBox(nullptr, "Runtime Error: Invalid file variable", "Error", 0);
        return;
    }
    file.handle_.reset();
}

void ReadRecord(const FileHandle& file, long long n, std::span<std::uint8_t> buffer) {
    if (!file.IsOpen() || buffer.empty()) return;
    if (!MoveTo(file.get(), RecordOffset(n, buffer.size()))) return;
    ReadAll(file.get(), buffer);
}

void WriteRecord(const FileHandle& file, long long n, std::span<const std::uint8_t> buffer) {
    if (!file.IsOpen() || buffer.empty()) return;
    if (!MoveTo(file.get(), RecordOffset(n, buffer.size()))) return;
    WriteAll(file.get(), buffer.data(), buffer.size());
}

long long SeekFile(const FileHandle& file, long long offset) {
    if (!file.IsOpen()) return -1;
    LARGE_INTEGER distance{};
    LARGE_INTEGER position{};
    DWORD method = FILE_CURRENT;
    if (offset != -1) {
        distance.QuadPart = offset;
        method = FILE_BEGIN;
    }
    if (!SetFilePointerEx(file.get(), distance, &position, method)) return -1;
    return position.QuadPart;
}

NumberToken ReadNumber(const FileHandle& file) {
    if (!file.IsOpen()) return {};
    FileSource source(file);
    return ReadNumberToken(source);
}

int ReadItem(FileHandle& file, std::uint32_t kind, std::string& line) {
    line.clear();
    if (!detail::IsKind(kind, TextFile) || !file.IsOpen()) return -1;
    FileSource source(file);
    return ReadTextLine(source, line);
}

int ReadItem(FileHandle& file, std::uint32_t kind, std::span<std::uint8_t> bytes) {
    if (!detail::IsKind(kind, RecordFile) || !file.IsOpen()) return -1;
    return ReadAll(file.get(), bytes) == bytes.size() ? 0 : -1;
}

std::size_t WriteItem(FileHandle& file, std::uint32_t kind, std::string_view text) {
    if (!file.IsOpen()) return 0;
    if (detail::IsKind(kind, TextFile)) {
        HandleSink sink(file.get());
        return WriteTextLine(sink, text);
    }
    if (detail::IsKind(kind, RecordFile)) return WriteAll(file.get(), text.data(), text.size());
    return 0;
}

std::size_t WriteItem(FileHandle& file, std::uint32_t kind, std::span<const std::uint8_t> bytes) {
    if (!detail::IsKind(kind, RecordFile) || !file.IsOpen()) return 0;
    return WriteAll(file.get(), bytes.data(), bytes.size());
}

bool CopyFileTo(const std::string& source, const std::string& target, bool fail_if_exists) {
    return CopyFileA(source.c_str(), target.c_str(), fail_if_exists ? TRUE : FALSE) != 0;
}

}  // namespace vemo
