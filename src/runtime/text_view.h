// A one-line text control and the text it shows, held as a value: readers
// take the value, never the control.
#pragma once

#include <string>

#include "runtime/win32.h"

namespace vemo {

class TextView {
  public:
    // The edit control that shows the line; null when the window is gone.
    void Attach(HWND edit);
    const std::string& Text() const { return text_; }
    // The control is set only when it shows another text: setting it anyway
    // would repaint it on every tick.
    void Show(const std::string& text);

  private:
    HWND edit_ = nullptr;
    std::string text_;
};

}  // namespace vemo
