// Adding a button: a row here, its command id in ids.h, its case in the main
// window's handler and a cell in assets/make_assets.py (which follows this
// table's order, one image per button).
#include "mainwin/toolbar.h"

#include <array>
#include <string>

#include "app/state.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "runtime/controls.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

struct ToolbarButton {
    int command;  // kSeparator for a gap
    const char* label;
    const char* tooltip;
};

constexpr int kSeparator = 0;

constexpr ToolbarButton kToolbarButtons[] = {
    {ids::CloseCommand, "Close", "Save data and close program"},
    {ids::SendToTrayCommand, "Send to tray", "Send program to system tray"},
    {kSeparator, nullptr, nullptr},
    {ids::DeleteCommand, "Delete", "Delete entry"},
    {ids::ClearAllCommand, "Clear All", "Clear everthing in the list"},
    {ids::RefreshCommand, "Refresh", "Save data and reload the list"},
    {kSeparator, nullptr, nullptr},
    {ids::SendToLogCommand, "Send to log", "Send the entry to the log"},
    {ids::OpenLogCommand, "Open log", "Open notepad and load VemoLog.txt"},
    {kSeparator, nullptr, nullptr},
    {ids::AlarmActionCommand, "Alarm action", "What happens when an alarm is activated"},
    {kSeparator, nullptr, nullptr},
    {ids::DatabaseCommand, "Data base", "Load a data base into the program"},
    {kSeparator, nullptr, nullptr},
    {ids::SortCommand, "Priority", "Sort the list in order of priority"},
    {kSeparator, nullptr, nullptr},
    {ids::WeightsCommand, "NN weights", "Open or close the Neural network weights dialog"},
};

constexpr std::size_t kButtonCount = std::size(kToolbarButtons);
// toolbar.bmp holds one image per button, in the table's order.
constexpr int kToolbarImages = 11;

constexpr bool EveryRowAgrees() {
    int images = 0;
    for (const ToolbarButton& button : kToolbarButtons) {
        const bool separator = button.command == kSeparator;
        if (separator != (button.label == nullptr) || separator != (button.tooltip == nullptr)) {
            return false;
        }
        images += separator ? 0 : 1;
    }
    return images == kToolbarImages;
}
static_assert(EveryRowAgrees(), "each button has a label, a tooltip and an image; gaps have none");

constexpr std::array<int, kButtonCount> ToolbarTableOf() {
    std::array<int, kButtonCount> table{};
    for (std::size_t i = 0; i < kButtonCount; ++i) table[i] = kToolbarButtons[i].command;
    return table;
}
constexpr std::array<int, kButtonCount> ToolbarTable = ToolbarTableOf();
static_assert(ToolbarTable == std::array<int, kButtonCount>{3, 16, 0, 5, 4, 40, 0, 45, 49, 0, 55, 0,
                                                            57, 0, 42, 0, 65});

// "Close|Send to tray|...": the label of each button in order.
std::string ToolbarLabels() {
    std::string labels;
    for (const ToolbarButton& button : kToolbarButtons) {
        if (button.label == nullptr) continue;
        if (!labels.empty()) labels += '|';
        labels += button.label;
    }
    return labels;
}

constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 15;
constexpr int kBitmapWidth = 80;
constexpr int kBitmapHeight = 2;

}  // namespace

void BuildToolbar() {
    DialogDefinition& window = MainWindow();
    const DWORD style = TBSTYLE_TOOLTIPS | CCS_VERT | CCS_NORESIZE | CCS_TOP;
    const bool created = CreateToolbar(window, ProgramFolder() + "toolbar.bmp", ids::Toolbar,
                                       ToolbarTable, style) == 1;
    if (created) {
        ControlCommand(window, ids::Toolbar, ToolbarLabelsCommand, ToolbarLabels());
        for (const ToolbarButton& button : kToolbarButtons) {
            if (button.command == kSeparator) continue;
            ControlCommand(window, ids::Toolbar, ToolbarTooltipCommand, button.command,
                           std::string(button.tooltip));
        }
        ControlCommand(window, ids::Toolbar, ToolbarButtonSizeCommand, kButtonWidth, kButtonHeight);
        ControlCommand(window, ids::Toolbar, ToolbarBitmapSizeCommand, kBitmapWidth, kBitmapHeight);
        MoveControl(window, 744, 23, 90, 348, ids::Toolbar);
    }
    ControlCommand(window, ids::Toolbar, ToolbarAutoSizeCommand);
}

}  // namespace vemo
