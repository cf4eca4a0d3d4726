#include "network/weights_dialog.h"

#include "app/state.h"
#include "network/condition_network.h"
#include "network/network_state.h"
#include "network/weights_file.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/layout_rows.h"
#include "runtime/text.h"

namespace vemo {

namespace {

namespace id = ids::weights;

constexpr int kTopPosition = 0;
constexpr int kBottomPosition = 100;  // weight 0
constexpr int kPageStep = 10;

DialogDefinition& Dialog() {
    return WeightsDialog();
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
    SetTextLimit(dialog, id::ResponseEdit, kTextCapacity);
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
    Network().WeightsDialogOpen = false;
    SaveWeights();
}

}  // namespace

DialogDefinition& WeightsDialog() {
    static DialogDefinition dialog;
    return dialog;
}

void DefineWeightsDialog(int x, int y) {
    DialogDefinition& dialog = Dialog();
    DefineDialog(dialog, x, y, 446, 249, kDialogBoxStyle | WS_MINIMIZEBOX, nullptr,
                 "Neural Network condition weights", WeightsDialogHandler);
    dialog.escape_closes = true;  // as its close box
    DefineRows(dialog,
               {
                   {ScrollBar, "hello", 12, 64, 21, 128, kVerticalBar, id::FirstWeightBar},
                   {ScrollBar, "", 88, 64, 21, 128, kVerticalBar, id::FirstWeightBar + 1},
                   {ScrollBar, "", 164, 64, 21, 128, kVerticalBar, id::FirstWeightBar + 2},
                   {ScrollBar, "", 240, 64, 21, 128, kVerticalBar, id::FirstWeightBar + 3},
                   {ScrollBar, "", 316, 64, 21, 128, kVerticalBar, id::FirstWeightBar + 4},
                   {ScrollBar, "", 392, 64, 21, 128, kVerticalBar, id::FirstWeightBar + 5},
                   {Static, "Condition response ", 5, 6, 100, 20, kLabel, id::ResponseLabel},
                   {Static, "Control:     Weight:", 160, 35, 200, 20, kLabel, id::WeightLabel},
                   {Static, "1=Priority", 75, 199, 46, 17, kLabel, id::Caption1a},
                   {Static, "0=Alarm", 2, 199, 41, 20, kLabel, id::Caption0},
                   {Static, "ONE", 87, 214, 26, 17, kLabel, id::Caption1b},
                   {Static, "2=Alarm", 150, 199, 47, 19, kLabel, id::Caption2a},
                   {Static, "within hour", 144, 214, 58, 19, kLabel, id::Caption2b},
                   {Static, "3=Reminders", 218, 199, 66, 21, kLabel, id::Caption3a},
                   {Static, "today", 317, 214, 30, 20, kLabel, id::Caption4b},
                   {Static, "4=Reminders", 296, 199, 65, 20, kLabel, id::Caption4a},
                   {Static, "today pending", 213, 214, 70, 20, kLabel, id::Caption3b},
                   {Static, "5=Old reminders", 364, 199, 80, 20, kLabel, id::Caption5a},
                   {Static, "still active", 379, 214, 55, 17, kLabel, id::Caption5b},
                   {PushButton, "Update", 5, 31, 145, 20, kChildVisible, id::UpdateButton},
                   {Edit, "Message box", 100, 5, 335, 20, kTab, id::ResponseEdit},
               });
}

void DropWeightsDialog() {
    CloseDialog(Dialog(), 0);
    Network().WeightsDialogOpen = false;
}

void ToggleWeightsDialog() {
    NetworkState& network = Network();
    if (!network.WeightsDialogOpen) {
        network.WeightsDialogOpen = OpenModeless(Dialog(), nullptr) != nullptr;
        EvaluateConditions();
    } else {
        network.WeightsDialogOpen = false;
        StoreEditedText();
        CloseDialog(Dialog(), 0);
        SaveWeights();
    }
    TaskList().ListDirty = true;
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
