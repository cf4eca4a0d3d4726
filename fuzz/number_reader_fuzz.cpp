// Any bytes read as number tokens, mixed with lines the way the settings file
// is read: no crash, no read outside the input, progress on every token.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/text.h"
#include "runtime/textio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vemo::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string line;
    for (std::size_t round = 0;; ++round) {
        const std::size_t before = source.Position();
        const vemo::NumberToken token = vemo::ReadNumberToken(source);
        if (!token.found) {
            if (token.value != 0 || source.Position() != size) std::abort();
            break;
        }
        if (source.Position() <= before || source.Position() > size) std::abort();
        if (std::isnan(token.value)) std::abort();
        (void)vemo::RoundTo<std::int32_t>(token.value);
        (void)vemo::NumberText(token.value);
        if (round % 3 == 2 && vemo::ReadTextLine(source, line) == 0 &&
            line.size() > vemo::kTextCapacity) {
            std::abort();
        }
    }
    return 0;
}
