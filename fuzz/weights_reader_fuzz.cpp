// Any bytes as "weights.ini": no crash, no read outside the input, every
// response text present and within its capacity, and a save of what was read
// reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "network/weights_format.h"
#include "runtime/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vemo::MemorySource source(bytes);
    vemo::Weights weights;
    weights.texts = vemo::DefaultResponseTexts();
    vemo::ParseWeights(source, weights);
    for (const std::string& text : weights.texts) {
        if (text.empty() || text.size() > vemo::kTextCapacity) std::abort();
    }
    const std::string saved = vemo::FormatWeights(weights);
    vemo::MemorySource again(saved);
    vemo::Weights back;
    back.texts = vemo::DefaultResponseTexts();
    vemo::ParseWeights(again, back);
    if (back.positions != weights.positions || back.texts != weights.texts) std::abort();
    return 0;
}
