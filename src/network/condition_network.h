// The condition network on the main window: the evaluation that writes the
// weights line, and the response that writes the message line.
#pragma once

#include <string>

namespace vemo {

// Weighs the six inputs of the last tick, picks ChosenClass and its
// response text, and shows the weights line (control 66).
void EvaluateConditions();

// The message line (control 44): the response text, or the scheduler's
// message when the network output is not shown.
void ShowConditionResponse(const std::string& alarm_text, const std::string& scheduler_message);

}  // namespace vemo
