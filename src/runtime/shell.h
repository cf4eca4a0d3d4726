// Shell services that need no window: the date and time as texts, the program
// folder, deleting files, opening documents, and plain message boxes.
#pragma once

#include <string>
#include <string_view>

#include "runtime/text.h"
#include "runtime/win32.h"

namespace vemo {

// The local date and time (the test clock when one is set).
SYSTEMTIME CurrentLocalTime();

// Today's date formatted with a date picture ("dd'-'MM'-'yyyy", "ddd", "MMM").
// Day and month names are always English, so the patterns the program writes
// read the same whatever the user's locale. A result over 39 characters gives "".
std::string DateText(std::string_view picture);
// Without a picture: month, day and year as "%02d-%02d-%04d".
std::string DateText();
// The local time as "%02d:%02d:%02d".
std::string TimeText();

// Lower case as the system code page has it.
std::string LowerText(std::string_view text);

// The folder of the program file, ending in a backslash.
std::string ProgramFolder();

// Deletes the file; true when it was deleted.
bool RemoveFile(const std::string& name);

// The shell's "open" of a file or program; a failure is not reported.
void OpenDocument(const std::string& file, const std::string& parameters);

// A message box; flags 0 mean one OK button and the exclamation icon.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

}  // namespace vemo
