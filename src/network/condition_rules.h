// The condition network's arithmetic: six counts times six weights, the
// winning class and the texts it leads to. Portable: no platform headers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "network/weights_format.h"

namespace vemo {

struct NetworkEvaluation {
    // (100 - position) x input, in 64 bits: no weight position a weights
    // file can hold makes it overflow.
    std::array<std::int64_t, kConditionCount> values{};
    // 1 to 6; the class held before when no value is positive.
    int chosen_class = 0;
    // "Weights: ", the six values joined by ":", then 18 blanks.
    std::string weights_line;
};

// Inputs in network order: alarm state, priority-one, within-hour, pending
// today, today, old active. An alarm state of 1 counts for nothing.
NetworkEvaluation EvaluateNetwork(const std::array<int, kConditionCount>& inputs,
                                  const std::array<std::int32_t, kConditionCount>& positions,
                                  int chosen_class);

// What the message line shows: the response text (with the alarmed task's
// text after it for class 1) when the network output is shown, otherwise the
// scheduler's message. Cut at the text capacity.
std::string ConditionResponseText(std::string_view show_network_output, int chosen_class,
                                  std::string_view response_text, std::string_view alarm_text,
                                  std::string_view scheduler_message);

}  // namespace vemo
