// The condition network's state: its weights and texts, its inputs and its
// last choice.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "network/weights_format.h"
#include "runtime/text_view.h"

namespace vemo {

// Weights and texts are read again when the main window opens; the dialog
// flags are reset on each pass of the start-up loop.
struct NetworkState {
    Weights Values;
    int CurrentCondition = 1;
    bool WeightsDialogOpen = false;
    // Written by every tick, in network order (ReminderCounts::Inputs).
    std::array<int, kConditionCount> Inputs{};
    // 0 until an evaluation finds a positive value; never reset.
    int ChosenClass = 0;
    // The response text of ChosenClass at the last evaluation; "" at start.
    std::string ResponseText;
    // The main window's weights line, which every evaluation sets.
    TextView WeightsLine;
};

NetworkState& Network();

}  // namespace vemo
