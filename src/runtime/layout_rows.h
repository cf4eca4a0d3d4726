// Window layouts as tables: one row a control, in the order the controls
// are defined, with the styles the program's windows use.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/control_kinds.h"
#include "runtime/dialogs.h"

namespace vemo {

struct ControlRow {
    int kind;
    const char* caption;
    int x, y, width, height;
    std::uint32_t style;
    int id;
};

inline constexpr std::uint32_t kTab = WS_TABSTOP;
inline constexpr std::uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;
inline constexpr std::uint32_t kVerticalBar = WS_CHILD | WS_VISIBLE | SBS_VERT;
inline constexpr std::uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
inline constexpr std::uint32_t kLabel = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_SIMPLE;
inline constexpr std::uint32_t kMessageEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
inline constexpr std::uint32_t kAutoScroll = ES_AUTOHSCROLL;
inline constexpr std::uint32_t kColumn = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                                         WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT |
                                         LBS_HASSTRINGS | LBS_NOTIFY;
inline constexpr std::uint32_t kQuietColumn = kColumn & ~static_cast<std::uint32_t>(LBS_NOTIFY);
inline constexpr std::uint32_t kUntabbedColumn = kColumn & ~static_cast<std::uint32_t>(WS_TABSTOP);
inline constexpr std::uint32_t kDialogBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// The values the layouts have always had.
static_assert(kTab == 0x00010000 && kChildVisible == 0x50000000);
static_assert(kVerticalBar == 0x50000001 && kCheck == 0x50000003 && kLabel == 0x5000010B);
static_assert(kMessageEdit == 0x50800080 && kAutoScroll == 0x00000080);
static_assert(kColumn == 0x50B10141 && kQuietColumn == 0x50B10140 && kUntabbedColumn == 0x50B00141);
static_assert(kDialogBoxStyle == 0x80C80080);

// A caption left empty.
inline constexpr const char* kEmpty = nullptr;

inline void DefineRows(DialogDefinition& dialog, std::initializer_list<ControlRow> rows) {
    for (const ControlRow& row : rows) {
        DefineControl(dialog, row.kind, row.caption != nullptr ? row.caption : "", row.x, row.y,
                      row.width, row.height, row.style, row.id);
    }
}

}  // namespace vemo
