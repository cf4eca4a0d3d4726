#include "app/settings_format.h"

#include "runtime/text.h"

namespace vemo {

namespace {

std::string NextLine(ByteSource& source) {
    std::string line;
    ReadTextLine(source, line);
    return line;
}

std::int32_t NextNumber(ByteSource& source) {
    return RoundTo<std::int32_t>(ReadNumberToken(source).value);
}

}  // namespace

void ParseSettings(ByteSource& source, Settings& settings) {
    settings.program_path = NextLine(source);
    settings.sound_path = NextLine(source);
    settings.run_program = RoundTo<std::uint8_t>(TextToNumber(NextLine(source)));
    settings.play_sound = RoundTo<std::uint8_t>(TextToNumber(NextLine(source)));
    settings.database_path = NextLine(source);
    settings.window_x = NextNumber(source);
    settings.window_y = NextNumber(source);
    settings.message_prefix = NextLine(source);
    settings.create_message_file = NextLine(source);
    if (settings.create_message_file.empty()) settings.create_message_file = "yes";
    settings.show_network_output = NextLine(source);
    if (settings.show_network_output.empty()) settings.show_network_output = "no";
    settings.message_file_path = NextLine(source);
    settings.fine_tune = NextLine(source);
    settings.import_file_path = NextLine(source);
}

std::string FormatSettings(const Settings& settings) {
    std::string out;
    StringSink sink(out);
    WriteTextLine(sink, settings.program_path);
    WriteTextLine(sink, settings.sound_path);
    WriteTextLine(sink, NumberText(settings.run_program));
    WriteTextLine(sink, NumberText(settings.play_sound));
    WriteTextLine(sink, settings.database_path);
    WriteNumberToken(sink, settings.window_x);
    WriteNumberToken(sink, settings.window_y);
    for (const std::string* text :
         {&settings.message_prefix, &settings.create_message_file, &settings.show_network_output,
          &settings.message_file_path, &settings.fine_tune, &settings.import_file_path}) {
        WriteTextLine(sink, *text);
    }
    return out;
}

}  // namespace vemo
