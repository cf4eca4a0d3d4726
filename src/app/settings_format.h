// The settings file "vemo.ini": thirteen values on eleven lines, texts as
// lines and the window position as two number tokens. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/textio.h"

namespace vemo {

struct Settings {
    std::string program_path;                 // 1: program an alarm runs
    std::string sound_path;                   // 2: sound an alarm plays
    std::uint8_t run_program = 0;             // 3
    std::uint8_t play_sound = 0;              // 4
    std::string database_path;                // 5
    std::int32_t window_x = 0;                // 6
    std::int32_t window_y = 0;                // 7
    std::string message_prefix = "Vemo: ";    // 8: the rest of line 6
    std::string create_message_file = "yes";  // 9
    std::string show_network_output = "yes";  // 10
    std::string message_file_path;            // 11
    std::string fine_tune = "no";             // 12
    std::string import_file_path;             // 13

    bool operator==(const Settings&) const = default;
};

// Reads the values in file order into `settings`. Missing lines read as empty
// texts and missing numbers as 0, so older, shorter files load; an empty
// line 9 means "yes" and an empty line 10 "no".
void ParseSettings(ByteSource& source, Settings& settings);

// The file's bytes.
std::string FormatSettings(const Settings& settings);

}  // namespace vemo
