#include "runtime/shell.h"

#include <array>
#include <cstdio>
#include <vector>

#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/seams.h"
#include "runtime/system_dlls.h"

namespace vemo {

namespace {

// Date pictures yield at most 39 characters.
constexpr int kDateTextBuffer = 40;

}  // namespace

SYSTEMTIME CurrentLocalTime() {
    if (Seams().clock) return *Seams().clock;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

std::optional<std::int64_t> ClockOffsetMinutes() {
    if (Seams().clock) return Seams().clock_offset_minutes;
    // The tick count runs on through sleep, unlike the interrupt time; it
    // wraps every 49.7 days, which each call (one a tick) carries over.
    static std::uint64_t wraps = 0;
    static DWORD last = 0;
    const DWORD ticks = GetTickCount();
    if (ticks < last) wraps += std::uint64_t{1} << 32;
    last = ticks;
    FILETIME utc{};
    GetSystemTimeAsFileTime(&utc);
    const std::uint64_t utc_100ns =
        (static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    constexpr std::uint64_t k100nsPerMinute = 600000000;
    return static_cast<std::int64_t>(utc_100ns / k100nsPerMinute) -
           static_cast<std::int64_t>((wraps + ticks) / 60000);
}

SYSTEMTIME CurrentUtcTime() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return now;
}

std::string AnsiToUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int wide_length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_length > 0 ? wide_length : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wide_length);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle h) { return h == nullptr; }
    static void Adopted(Handle) {}
    static bool Free(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
using ScopedRegistryKey = UniqueHandle<RegistryKeyTraits>;

template <class Change>
LogonEntryResult ChangeLogonEntries(const Change& change) {
    HKEY opened = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0,
                                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &opened, nullptr);
    const ScopedRegistryKey key(opened);
    if (status != ERROR_SUCCESS) return {false, status};
    return {true, change(key.get())};
}

}  // namespace

LogonEntryResult SetLogonEntry(const std::string& name, const std::string& command) {
    return ChangeLogonEntries([&](HKEY key) {
        return RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(command.c_str()),
                              static_cast<DWORD>(command.size() + 1));
    });
}

LogonEntryResult RemoveLogonEntry(const std::string& name) {
    return ChangeLogonEntries([&](HKEY key) { return RegDeleteValueA(key, name.c_str()); });
}

std::string DateText(std::string_view picture) {
    const SYSTEMTIME now = CurrentLocalTime();
    const std::string picture_text(picture);
    std::array<char, kDateTextBuffer> buffer{};
    // The invariant locale names days and months in English.
    const int written = GetDateFormatA(LOCALE_INVARIANT, 0, &now, picture_text.c_str(),
                                       buffer.data(), kDateTextBuffer);
    if (written <= 0) return {};
    return std::string(buffer.data());
}

std::string DateText() {
    const SYSTEMTIME now = CurrentLocalTime();
    std::array<char, kDateTextBuffer> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02d-%02d-%04d", now.wMonth, now.wDay, now.wYear);
    return std::string(buffer.data());
}

std::string TimeText() {
    const SYSTEMTIME now = CurrentLocalTime();
    return FormatTimeText(now.wHour, now.wMinute, now.wSecond);
}

std::string LowerText(std::string_view text) {
    std::string lower(text);
    if (!lower.empty()) CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

std::string ProgramPath() {
    // Long enough for any path the platform can give, so it is never cut.
    std::vector<char> buffer(32768);
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof(name);
    return GetComputerNameA(name, &length) ? std::string(name, length) : std::string();
}

std::string UserName() {
    char name[257] = {};  // UNLEN + 1
    DWORD length = sizeof(name);
    // The length counts the closing zero.
    return GetUserNameA(name, &length) && length > 0 ? std::string(name, length - 1)
                                                     : std::string();
}

const std::string& ThisPcName() {
    static const std::string name = ComputerName() + "-" + UserName();
    return name;
}

std::string ProgramFolder() {
    if (!Seams().program_folder.empty()) return Seams().program_folder;
    return FolderOfModulePath(ProgramPath());
}

bool RemoveFile(const std::string& name) {
    return DeleteFileA(name.c_str()) != 0;
}

void OpenDocument(const std::string& file, const std::string& parameters) {
    if (Seams().open_recorder) {
        Seams().open_recorder(OpenCall{file, parameters});
        return;
    }
    ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

std::string ShortPathName(const std::string& path) {
    std::string buffer(kTextCapacity + 1, '\0');
    DWORD length =
        GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        // Too long for the first buffer: the result is the size it needs.
        buffer.assign(length, '\0');
        length = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length >= buffer.size()) return {};
    }
    buffer.resize(length);
    return buffer;
}

void SendMultimediaCommand(const std::string& command) {
    if (Seams().multimedia_recorder) {
        Seams().multimedia_recorder(command);
        return;
    }
    SendMciCommand(command.c_str());
}

}  // namespace vemo
