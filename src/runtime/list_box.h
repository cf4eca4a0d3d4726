// A list box seen through its handle: the few messages the program sends to
// its columns, in one place. Borrows the handle; a null handle does nothing
// and gives the fallback values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/win32.h"

namespace vemo {

class ListBoxView {
  public:
    explicit ListBoxView(HWND control = nullptr) : control_(control) {}
    HWND get() const { return control_; }

    int Count() const { return static_cast<int>(Send(LB_GETCOUNT, 0, 0)); }  // 0 fallback

    // The item's text, copied into `buffer` (kept by the caller so a pass over
    // many items allocates once); empty when there is no such item.
    std::string_view TextOf(int index, std::string& buffer) const {
        buffer.clear();
        const std::size_t length = AppendText(index, buffer);  // may move the buffer
        return {buffer.data(), length};
    }
    // Appends the item's text to `out` (many items into one buffer); returns
    // the length appended, 0 when there is no such item.
    std::size_t AppendText(int index, std::string& out) const {
        const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length <= 0) return 0;
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length) + 1);
        const LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(out.data() + start));
        const std::size_t kept =
            copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0;
        out.resize(start + kept);
        return kept;
    }
    std::string Text(int index) const {
        std::string text;
        AppendText(index, text);
        return text;
    }

    // The texts end with a zero byte.
    void Add(const char* text) const { Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    void Add(const std::string& text) const { Add(text.c_str()); }
    void Insert(int index, const char* text) const {
        Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    void Insert(int index, const std::string& text) const { Insert(index, text.c_str()); }
    void Delete(int index) const { Send(LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
    void Reset() const { Send(LB_RESETCONTENT, 0, 0); }
    // Room for `items` more items of `bytes` in all, before a bulk fill.
    void Reserve(std::size_t items, std::size_t bytes) const {
        Send(LB_INITSTORAGE, static_cast<WPARAM>(items), static_cast<LPARAM>(bytes));
    }

    int Selection() const {
        return control_ != nullptr ? static_cast<int>(Send(LB_GETCURSEL, 0, 0)) : -1;
    }
    void Select(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    int TopIndex() const { return static_cast<int>(Send(LB_GETTOPINDEX, 0, 0)); }
    void SetTopIndex(int index) const { Send(LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }
    bool IsSelected(int index) const {
        const LRESULT selected = Send(LB_GETSEL, static_cast<WPARAM>(index), 0);
        return selected != LB_ERR && selected != 0;
    }

  private:
    LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) const {
        return control_ != nullptr ? SendMessageA(control_, message, wparam, lparam) : 0;
    }
    HWND control_;
};

// Stops a window repainting while many items change, then repaints it once.
class ScopedRedraw {
  public:
    explicit ScopedRedraw(HWND window) : window_(window) {
        if (window_ != nullptr) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~ScopedRedraw() {
        if (window_ == nullptr) return;
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    ScopedRedraw(const ScopedRedraw&) = delete;
    ScopedRedraw& operator=(const ScopedRedraw&) = delete;

  private:
    HWND window_;
};

}  // namespace vemo
