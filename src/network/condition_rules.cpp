#include "network/condition_rules.h"

#include "runtime/text.h"

namespace vemo {

namespace {

constexpr std::size_t kTrailingBlanks = 18;

}  // namespace

NetworkEvaluation EvaluateNetwork(const std::array<int, kConditionCount>& inputs,
                                  const std::array<std::int32_t, kConditionCount>& positions,
                                  int chosen_class) {
    NetworkEvaluation result;
    result.chosen_class = chosen_class;
    result.weights_line = "Weights: ";
    std::int64_t best = 0;
    for (std::size_t i = 0; i < kConditionCount; ++i) {
        const std::int64_t weight = 100 - static_cast<std::int64_t>(positions[i]);
        const bool alarm_only_passed = i == 0 && inputs[i] == 1;
        const std::int64_t value = alarm_only_passed ? 0 : weight * inputs[i];
        result.values[i] = value;
        if (i > 0) result.weights_line += ":";
        // The value text of NumberText, for the whole 64-bit range.
        result.weights_line += ' ';
        result.weights_line += std::to_string(value);
        if (value > best) {
            best = value;
            result.chosen_class = static_cast<int>(i) + 1;
        }
    }
    result.weights_line.append(kTrailingBlanks, ' ');
    return result;
}

std::string ConditionResponseText(std::string_view show_network_output, int chosen_class,
                                  std::string_view response_text, std::string_view alarm_text,
                                  std::string_view scheduler_message) {
    if (show_network_output != "yes") return CutText(scheduler_message);
    if (chosen_class == 1) return CutText(JoinText(response_text, " ", alarm_text));
    return CutText(response_text);
}

}  // namespace vemo
