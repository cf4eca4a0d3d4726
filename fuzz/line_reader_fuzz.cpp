// Any bytes read as lines: no crash, no read outside the input, every line
// within the text capacity, progress on every successful read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/text.h"
#include "runtime/textio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vemo::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string line;
    std::size_t lines = 0;
    for (;;) {
        const std::size_t before = source.Position();
        if (vemo::ReadTextLine(source, line) != 0) break;
        if (line.size() > vemo::kTextCapacity) std::abort();
        if (source.Position() <= before || source.Position() > size) std::abort();
        if (line.find_first_of("\r\n") != std::string::npos) std::abort();
        if (++lines > size) std::abort();
    }
    if (source.Position() != size || !line.empty()) std::abort();
    return 0;
}
