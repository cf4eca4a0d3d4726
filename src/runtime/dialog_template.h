// The in-memory dialog template (the platform's published DLGTEMPLATE and
// DLGITEMTEMPLATE layout) built from a window description. Portable: texts
// arrive already in UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/layout_math.h"

namespace vemo {

struct TemplateControl {
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    DialogUnits rect;
    int id = 0;
    std::u16string class_name;
    std::u16string caption;
};

struct TemplateLayout {
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    DialogUnits rect;
    std::u16string class_name;
    std::u16string caption;
    std::uint16_t point_size = 8;
    std::u16string font_name;
    std::vector<TemplateControl> controls;
};

// The template bytes, each item aligned to 4 bytes; empty when a value does
// not fit its 16-bit field (positions, sizes, ids, the control count).
std::vector<std::uint8_t> BuildDialogTemplate(const TemplateLayout& dialog);

}  // namespace vemo
