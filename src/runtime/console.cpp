#include "runtime/console.h"

#include "runtime/win32.h"

namespace vemo {

namespace {

HANDLE ConsoleHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) return handle;
    // Once attached, the parent's console is ours for the process's life.
    static const HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
        return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }();
    return console;
}

void WriteLine(DWORD which, const std::string& line) {
    HANDLE handle = ConsoleHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void PrintLine(const std::string& line) {
    WriteLine(STD_OUTPUT_HANDLE, line);
}

void PrintErrorLine(const std::string& line) {
    WriteLine(STD_ERROR_HANDLE, line);
}

}  // namespace vemo
