// The numbered control kinds of run-time window descriptions: which platform
// class each becomes and which styles it gets. Portable.
#pragma once

#include <cstdint>
#include <string>

namespace vemo {

enum ControlKind : int {
    PushButton = 1,
    CheckBox = 2,
    RadioButton = 3,
    Edit = 4,
    ListBox = 5,
    ComboBox = 6,
    Static = 7,
    ScrollBar = 8,
    GroupBox = 9,
    RichEdit = 10,
    ListView = 11,
    StatusBar = 12,
    PlainButton = 13,
    TreeView = 14,
};

// Style bits the kinds use, as the platform numbers them.
namespace style_bits {
inline constexpr std::uint32_t kChild = 0x40000000;
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kClientEdge = 0x00000200;
// In a control's style: the control starts hidden.
inline constexpr std::uint32_t kStartHidden = 0x00080000;
inline constexpr std::uint32_t kButtonBitmap = 0x80;
inline constexpr std::uint32_t kDefPushButton = 0x1;
inline constexpr std::uint32_t kOwnerDraw = 0xB;
// Added to every window description's own style: popup, visible, modal frame, set font.
inline constexpr std::uint32_t kDialogStyle = 0x900000C0;
}  // namespace style_bits

struct ControlStyle {
    std::string class_name;  // empty for a kind outside 1..14
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    bool default_button = false;
};

ControlStyle StyleForKind(int kind, std::uint32_t style);

// The kinds that need the common controls initialised.
bool NeedsCommonControls(int kind);

}  // namespace vemo
