#include "network/weights_format.h"

#include "runtime/text.h"

namespace vemo {

std::array<std::string, kConditionCount> DefaultResponseTexts() {
    return {" << ALARM >>               ", "Priority ONE               ",
            "Alarm within the hour      ", "Reminders pending today    ",
            "Reminders today            ", "Old active reminders       "};
}

void ParseWeights(ByteSource& source, Weights& weights) {
    std::string line;
    for (std::int32_t& position : weights.positions) {
        ReadTextLine(source, line);
        position = RoundTo<std::int32_t>(TextToNumber(line));
    }
    for (std::string& text : weights.texts) {
        ReadTextLine(source, line);
        if (!line.empty()) text = line;
    }
}

std::string FormatWeights(const Weights& weights) {
    std::string out;
    StringSink sink(out);
    for (std::int32_t position : weights.positions) WriteTextLine(sink, NumberText(position));
    for (const std::string& text : weights.texts) WriteTextLine(sink, text);
    return out;
}

}  // namespace vemo
