// The few places where unattended tests stand in for the platform. The program
// never sets them; each one left empty makes the real call.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "runtime/win32.h"

namespace vemo {

struct MessageCall {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT flags = 0;
};

struct FileDialogCall {
    std::string title;
    HWND owner = nullptr;
    bool open = true;
    std::string filter;  // as the platform gets it: zero-separated, two zeros at the end
    DWORD flags = 0;
    std::string initial_folder;
};

struct OpenCall {
    std::string file;
    std::string parameters;
};

struct TestSeams {
    // The local date and time that DateText and TimeText read.
    std::optional<SYSTEMTIME> clock;
    // ClockOffsetMinutes under the test clock; none: the clock is taken as
    // never set.
    std::optional<std::int64_t> clock_offset_minutes;
    // The folder ProgramFolder reports, with its trailing backslash.
    std::string program_folder;
    // Answers message boxes instead of showing them; returns the button id.
    std::function<int(const MessageCall&)> message_responder;
    // Answers file dialogs instead of showing them; returns the chosen path.
    std::function<std::string(const FileDialogCall&)> file_dialog_responder;
    // Records the shell's "open" instead of starting anything.
    std::function<void(const OpenCall&)> open_recorder;
    // Records multimedia command strings ("Play ...", "Close ...") instead of
    // sending them.
    std::function<void(const std::string&)> multimedia_recorder;
    // Makes the atomic writer fail at its n-th step (1-based; 0 = never), and
    // when `abandon_on_fault` is set, stop there as a crashed process would.
    int atomic_write_fault_step = 0;
    // Sees every timer a runtime window arms (interval, timer id); the timer
    // is armed all the same.
    std::function<void(unsigned interval_ms, UINT_PTR timer_id)> timer_recorder;
    // Sees every flash of a taskbar button (window, FLASHW_* flags); the
    // button flashes all the same.
    std::function<void(HWND window, DWORD flags)> flash_recorder;
    // Makes the atomic writer's move fail with this error (0 = the real move).
    unsigned long move_error = 0;
    // Stands in for ending the process after a fatal message.
    std::function<void()> end_program;
    bool abandon_on_fault = false;
};

TestSeams& Seams();

}  // namespace vemo
