#include "runtime/control_kinds.h"

namespace vemo {

using namespace style_bits;

ControlStyle StyleForKind(int kind, std::uint32_t style) {
    ControlStyle result;
    result.style = style;
    const bool border = (style & kBorder) != 0;
    switch (kind) {
        case PushButton:
            result.class_name = "BUTTON";
            if ((style & kButtonBitmap) == 0) result.style |= kOwnerDraw;
            result.default_button = (style & kDefPushButton) != 0;
            break;
        case CheckBox: result = {"BUTTON", style | 0x3, 0, false}; break;
        case RadioButton: result = {"BUTTON", style | 0x9, 0, false}; break;
        case Edit: result = {"EDIT", style | kBorder, kClientEdge, false}; break;
        case ListBox:
            result = {"LISTBOX", style | kBorder | 0x40 | 0x100, kClientEdge, false};
            break;
        case ComboBox:
            result = {"COMBOBOX", style | kBorder | 0x200 | 0x400, kClientEdge, false};
            break;
        case Static: result.class_name = "STATIC"; break;
        case ScrollBar: result.class_name = "SCROLLBAR"; break;
        case GroupBox: result = {"BUTTON", style | 0x7, 0, false}; break;
        case RichEdit: result = {"RichEdit", style, border ? kClientEdge : 0u, false}; break;
        case ListView: result.class_name = "SysListView32"; break;
        case StatusBar: result.class_name = "msctls_statusbar32"; break;
        case PlainButton:
            result.class_name = "BUTTON";
            result.default_button = (style & kDefPushButton) != 0;
            break;
        case TreeView: result = {"SysTreeView32", style, border ? kClientEdge : 0u, false}; break;
        default: break;
    }
    result.style |= kChild | kVisible;
    if ((result.style & kStartHidden) != 0) result.style &= ~(kStartHidden | kVisible);
    return result;
}

bool NeedsCommonControls(int kind) {
    return kind == RichEdit || kind == ListView || kind == StatusBar || kind == TreeView;
}

}  // namespace vemo
