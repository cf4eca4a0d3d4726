// Drives a running vemo.exe from outside, through its window messages, as
// a person at the keyboard would: answer message boxes, type into fields,
// press buttons, read the list columns.
#pragma once

#include <string>
#include <vector>

#include "runtime/win32.h"

namespace vemo::e2e {

class VemoProcess {
  public:
    // Starts the program with `folder` as its current folder, and after its
    // name the command line `arguments` (as a shell passes them, quoted).
    VemoProcess(const std::string& exe, const std::string& folder,
                const std::string& arguments = {});
    ~VemoProcess();
    VemoProcess(const VemoProcess&) = delete;
    VemoProcess& operator=(const VemoProcess&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // Waits for the process to end; returns its exit code, or -1 on timeout.
    int WaitForExit(DWORD timeout_ms);
    DWORD Id() const { return process_.dwProcessId; }

  private:
    PROCESS_INFORMATION process_{};
};

// The process's visible top-level window whose title starts with `title`
// (process id 0: any process's).
HWND WaitForWindow(DWORD process_id, const std::string& title, DWORD timeout_ms);
// The same, visible or hidden (a window in the tray).
HWND WaitForAnyWindow(DWORD process_id, const std::string& title, DWORD timeout_ms);
// How many visible top-level runtime windows (not message boxes) the process
// has (0: every process) whose title starts with `title`.
int CountWindows(DWORD process_id, const std::string& title);
// Finds the process's message box with that caption and presses its OK.
// Returns the box's text, or "<none>" when no such box came.
std::string AnswerMessageBox(DWORD process_id, const std::string& caption, DWORD timeout_ms);

// Finds the process's open-file dialog with that title, types `path` as the
// file name and presses its OK. False when no such dialog came.
bool AnswerFileDialog(DWORD process_id, const std::string& title, const std::string& path,
                      DWORD timeout_ms);
// Selects a row in a list column as a click would (the selection change is
// reported to the window).
void ChooseRow(HWND main, int id, int row);

std::string WindowText(HWND window);
std::vector<std::string> ListItems(HWND main, int id);
void SetFieldText(HWND main, int id, const std::string& text);
void PressButton(HWND main, int id);
// A toolbar command, as the toolbar sends it.
void SendCommand(HWND main, int command);

}  // namespace vemo::e2e
