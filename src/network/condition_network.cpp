#include "network/condition_network.h"

#include "app/message_line.h"
#include "app/state.h"
#include "network/condition_rules.h"
#include "network/network_state.h"

namespace vemo {

NetworkState& Network() {
    static NetworkState state;
    return state;
}

void EvaluateConditions() {
    NetworkState& network = Network();
    const NetworkEvaluation evaluation =
        EvaluateNetwork(network.Inputs, network.Values.positions, network.ChosenClass);
    network.ChosenClass = evaluation.chosen_class;
    if (network.ChosenClass >= 1 && network.ChosenClass <= kConditionCount) {
        network.ResponseText =
            network.Values.texts[static_cast<std::size_t>(network.ChosenClass - 1)];
    }
    network.WeightsLine.Show(evaluation.weights_line);
}

void ShowConditionResponse(const std::string& alarm_text, const std::string& scheduler_message) {
    const NetworkState& network = Network();
    Message().Show(ConditionResponseText(SettingsOf().Values.show_network_output,
                                         network.ChosenClass, network.ResponseText, alarm_text,
                                         scheduler_message));
}

}  // namespace vemo
