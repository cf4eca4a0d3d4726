// Any bytes as "vemo.ini": no crash, no read outside the input, every text
// within its capacity, and a save of what was read reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/settings_format.h"
#include "runtime/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vemo::MemorySource source(bytes);
    vemo::Settings settings;
    vemo::ParseSettings(source, settings);
    for (const std::string* text :
         {&settings.program_path, &settings.sound_path, &settings.database_path,
          &settings.message_prefix, &settings.import_file_path, &settings.fine_tune}) {
        if (text->size() > vemo::kTextCapacity) std::abort();
    }
    const std::string saved = vemo::FormatSettings(settings);
    vemo::MemorySource again(saved);
    vemo::Settings back;
    vemo::ParseSettings(again, back);
    if (back.database_path != settings.database_path) std::abort();
    return 0;
}
