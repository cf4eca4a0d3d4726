#include "runtime/text_view.h"

#include <utility>
#include <vector>

namespace vemo {

namespace {

std::string TextOf(HWND edit) {
    const int length = edit != nullptr ? GetWindowTextLengthA(edit) : 0;
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextA(edit, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

}  // namespace

void TextView::Attach(HWND edit) {
    edit_ = edit;
    text_ = TextOf(edit_);  // what the field shows before anything is set
}

void TextView::Show(const std::string& text) {
    text_ = text;
    if (edit_ == nullptr) return;
    // Whatever was typed into the field goes too. The value is what the
    // control holds, which may be less than asked (a line break or a zero
    // byte ends a one-line field).
    std::string shown = TextOf(edit_);
    if (shown != text_) {
        SetWindowTextA(edit_, text_.c_str());
        shown = TextOf(edit_);
    }
    text_ = std::move(shown);
}

}  // namespace vemo
