#include "network/weights_dialog.h"

#include "app/ids.h"
#include "app/state.h"
#include "network/condition_network.h"
#include "network/weights_file.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/text.h"

namespace vemo {

namespace {

namespace id = ids::weights;

constexpr int kTopPosition = 0;
constexpr int kBottomPosition = 100;  // weight 0
constexpr int kPageStep = 10;

DialogDefinition& Dialog() {
    return Windows().WeightsDialog;
}

// Scroll bar `bar` (1 to 6) weighs condition `bar`.
std::size_t Index(int bar) {
    return static_cast<std::size_t>(bar - id::FirstWeightBar);
}

std::string& ResponseText(int condition) {
    return Network().Values.texts[Index(condition)];
}

void StoreEditedText() {
    if (Dialog().window == nullptr) return;  // no edit field: nothing was typed
    const int condition = Network().CurrentCondition;
    if (condition < id::FirstWeightBar || condition > id::LastWeightBar) return;
    ResponseText(condition) = CutText(GetControlText(Dialog(), id::ResponseEdit));
}

void OnWeightsInit() {
    DialogDefinition& dialog = Dialog();
    NetworkState& network = Network();
    LoadWeights();
    for (int bar = id::FirstWeightBar; bar <= id::LastWeightBar; ++bar) {
        SetScrollRange(dialog, bar, kTopPosition, kBottomPosition);
        // Out of range, the thumb sits at the nearer end; the stored
        // position keeps its value until the bar is moved.
        SetScrollPosition(dialog, bar, network.Values.positions[Index(bar)]);
    }
    network.CurrentCondition = 1;
    SendMessageA(GetDlgItem(dialog.window, id::ResponseEdit), EM_LIMITTEXT, kTextCapacity, 0);
    SetControlText(dialog, id::ResponseEdit, ResponseText(1));
}

int MovedPosition(int bar, int code) {
    const int position = GetScrollPosition(Dialog(), bar);
    switch (code) {
        case SB_LINEUP: return position - 1;
        case SB_LINEDOWN: return position + 1;
        case SB_PAGEUP: return position - kPageStep;
        case SB_PAGEDOWN: return position + kPageStep;
        case SB_THUMBTRACK: return GetScrollTrackPosition(Dialog(), bar);
        default: return position;  // SB_THUMBPOSITION and the rest
    }
}

void OnWeightScrolled(int bar, int code) {
    if (bar < id::FirstWeightBar || bar > id::LastWeightBar) return;
    DialogDefinition& dialog = Dialog();
    NetworkState& network = Network();
    SetScrollPosition(dialog, bar, MovedPosition(bar, code));
    const int position = GetScrollPosition(dialog, bar);
    network.Values.positions[Index(bar)] = position;
    network.CurrentCondition = bar;
    SetControlText(dialog, id::WeightLabel,
                   JoinText("Control:", NumberText(bar - 1),
                            "  Weight:", NumberText(kBottomPosition - position), "     "));
    // Whatever was typed for the previous condition and not stored goes.
    SetControlText(dialog, id::ResponseEdit, ResponseText(bar));
}

void OnUpdate() {
    StoreEditedText();
    SaveWeights();
    EvaluateConditions();
}

void CloseWeightsDialog() {
    StoreEditedText();
    CloseDialog(Dialog(), 0);
    Network().WeightsDialogOpen = 0;
    SaveWeights();
}

}  // namespace

void ToggleWeightsDialog() {
    NetworkState& network = Network();
    if (network.WeightsDialogOpen == 0) {
        network.WeightsDialogOpen = OpenModeless(Dialog(), nullptr) != nullptr ? 1 : 0;
        EvaluateConditions();
    } else {
        network.WeightsDialogOpen = 0;
        StoreEditedText();
        CloseDialog(Dialog(), 0);
        SaveWeights();
    }
    TaskList().ListDirty = 1;
}

int WeightsDialogHandler() {
    const EventRecord& event = Event();
    switch (event.code) {
        case WM_INITDIALOG: OnWeightsInit(); break;
        case WM_VSCROLL: OnWeightScrolled(event.control_id, static_cast<int>(event.wparam)); break;
        case EVENT_CLOSE: CloseWeightsDialog(); break;
        case EVENT_CONTROL:
            if (event.control_id == id::UpdateButton) OnUpdate();
            break;
        default: break;
    }
    return 0;
}

}  // namespace vemo
