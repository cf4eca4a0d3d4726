#include "network/condition_network.h"

#include "app/ids.h"
#include "app/message_line.h"
#include "app/state.h"
#include "network/condition_rules.h"
#include "runtime/controls.h"

namespace vemo {

namespace {

// The texts are mostly the same from one tick to the next; setting one
// anyway would repaint the control every few seconds.
void ShowText(int id, const std::string& text) {
    if (GetControlText(MainWindow(), id) != text) SetControlText(MainWindow(), id, text);
}

}  // namespace

void EvaluateConditions() {
    NetworkState& network = Network();
    const NetworkEvaluation evaluation =
        EvaluateNetwork(network.Inputs, network.Values.positions, network.ChosenClass);
    network.ConditionValues = evaluation.values;
    network.ChosenClass = evaluation.chosen_class;
    if (network.ChosenClass >= 1 && network.ChosenClass <= kConditionCount) {
        network.ResponseText =
            network.Values.texts[static_cast<std::size_t>(network.ChosenClass - 1)];
    }
    ShowText(ids::WeightsLine, evaluation.weights_line);
}

void ShowConditionResponse() {
    const NetworkState& network = Network();
    const SchedulerState& scheduler = Scheduler();
    Message().Show(ConditionResponseText(SettingsOf().Values.show_network_output,
                                         network.ChosenClass, network.ResponseText,
                                         scheduler.AlarmText, scheduler.SchedulerMessage));
}

}  // namespace vemo
