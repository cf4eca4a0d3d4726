// One Vemo per program folder: a named mutex held for the process's life, a
// mark on the main window, and the message a second start sends that window.
#pragma once

#include <string>

#include "runtime/scoped.h"
#include "runtime/win32.h"

namespace vemo {

// Takes the guard of a program folder, or hands this start over to the Vemo
// that holds it.
class InstanceGuard {
  public:
    // When another Vemo holds the folder's guard, its marked main window is
    // found (and, for a plain start, asked to come forward). One still
    // starting (no window yet) is waited for up to 15 s; if it ends
    // meanwhile, the guard passes to this start.
    enum class Arrival { BringForward, Quiet };
    explicit InstanceGuard(const std::string& program_folder,
                           Arrival arrival = Arrival::BringForward);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // False when another Vemo runs on the folder: this start must end at
    // once, writing nothing.
    bool Owned() const { return owned_; }
    // The running Vemo's main window when this start is not the owner (null
    // when it never showed one in time).
    HWND Running() const { return running_; }

  private:
    ScopedHandle mutex_;
    bool owned_ = true;
    HWND running_ = nullptr;
};

// The main window's mark, by which a second start on the same folder finds
// it: the caption cannot serve, it changes with the database.
void MarkInstanceWindow(HWND window, const std::string& program_folder);
void UnmarkInstanceWindow(HWND window, const std::string& program_folder);

// Posted to the marked window by a second start.
UINT BringForwardMessage();

}  // namespace vemo
