#include "runtime/dialog_template.h"

#include <limits>

namespace vemo {

namespace {

constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT: a font follows the caption

class TemplateWriter {
  public:
    void Word(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void DoubleWord(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    void Text(const std::u16string& text) {
        for (char16_t c : text) Word(static_cast<std::uint16_t>(c));
        Word(0);
    }
    void AlignToDoubleWord() {
        while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

bool FitsShort(int value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

bool Fits(const DialogUnits& r) {
    return FitsShort(r.x) && FitsShort(r.y) && FitsShort(r.cx) && FitsShort(r.cy);
}

void WriteRect(TemplateWriter& out, const DialogUnits& r) {
    out.Short(r.x);
    out.Short(r.y);
    out.Short(r.cx);
    out.Short(r.cy);
}

}  // namespace

std::vector<std::uint8_t> BuildDialogTemplate(const TemplateLayout& dialog) {
    if (dialog.controls.size() > std::numeric_limits<std::uint16_t>::max() || !Fits(dialog.rect)) {
        return {};
    }
    for (const TemplateControl& control : dialog.controls) {
        if (!Fits(control.rect) || control.id < 0 || control.id > 0xFFFF) return {};
    }

    TemplateWriter out;
    out.DoubleWord(dialog.style);
    out.DoubleWord(dialog.ex_style);
    out.Word(static_cast<std::uint16_t>(dialog.controls.size()));
    WriteRect(out, dialog.rect);
    out.Word(0);  // no menu
    out.Text(dialog.class_name);
    out.Text(dialog.caption);
    if ((dialog.style & kSetFontStyle) != 0) {
        out.Word(dialog.point_size);
        out.Text(dialog.font_name);
    }
    for (const TemplateControl& control : dialog.controls) {
        out.AlignToDoubleWord();
        out.DoubleWord(control.style);
        out.DoubleWord(control.ex_style);
        WriteRect(out, control.rect);
        out.Word(static_cast<std::uint16_t>(control.id));
        out.Text(control.class_name);
        out.Text(control.caption);
        out.Word(0);  // no creation data
    }
    return out.Take();
}

}  // namespace vemo
