#include "runtime/text_view.h"

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
    // Whatever was typed into the field goes too.
    if (edit_ != nullptr && TextOf(edit_) != text_) SetWindowTextA(edit_, text_.c_str());
}

}  // namespace vemo
