// What the benchmark programs share besides the test harness (its folder and
// clock): a clock in milliseconds, and whole files written plainly, flushed
// when asked, for the floors.
#pragma once

#include <chrono>
#include <string>

#include "runtime/win32.h"

namespace vemo::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Writes the file whole; with `flush`, to the disk before it returns.
inline void WriteBytes(const std::string& path, const std::string& bytes, bool flush = false) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (flush) FlushFileBuffers(file);
    CloseHandle(file);
}

}  // namespace vemo::bench
