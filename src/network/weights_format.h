// The weights file "weights.ini": six weight positions, then six response
// texts, one per line. Portable.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "runtime/textio.h"

namespace vemo {

inline constexpr int kConditionCount = 6;

struct Weights {
    std::array<std::int32_t, kConditionCount> positions{};
    std::array<std::string, kConditionCount> texts;
};

// The response texts in force until the file supplies others (27 characters each).
std::array<std::string, kConditionCount> DefaultResponseTexts();

// Reads positions (unparseable or missing lines give 0, halves round to even)
// and texts (an empty or missing line keeps the text held).
void ParseWeights(ByteSource& source, Weights& weights);
std::string FormatWeights(const Weights& weights);

}  // namespace vemo
