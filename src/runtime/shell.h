// Shell services that need no window: the date and time as texts, the program
// folder, deleting files, opening documents, and plain message boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/dialogs.h"

#include "runtime/text.h"
#include "runtime/win32.h"

namespace vemo {

// The local date and time (the test clock when one is set).
SYSTEMTIME CurrentLocalTime();
// How far the system clock (UTC) stands from a clock that runs on through
// sleep and is never set, in minutes: it changes when the clock is set, not
// with daylight saving or the time zone. Under the test clock, the test's
// offset, or none.
std::optional<std::int64_t> ClockOffsetMinutes();
// The date and time in UTC.
SYSTEMTIME CurrentUtcTime();

// A text in the system's code page as UTF-8.
std::string AnsiToUtf8(std::string_view text);

// The per-user logon programs: no administrator needed. Sets or removes the
// value `name`; `status` is the platform's code, ERROR_FILE_NOT_FOUND when a
// value to remove was not there, and `opened` says whether the list itself
// could be opened.
struct LogonEntryResult {
    bool opened = false;
    long status = 0;
};
LogonEntryResult SetLogonEntry(const std::string& name, const std::string& command);
LogonEntryResult RemoveLogonEntry(const std::string& name);

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

// This computer's name ("ANN-PC") and the user's ("ann"); "" when the
// system gives none.
std::string ComputerName();
std::string UserName();
// "<COMPUTER>-<user>": the owner of the files one PC writes beside a shared
// database (a save's temporary file, its deletion records, its last list).
const std::string& ThisPcName();

// The folder of the program file, ending in a backslash.
std::string ProgramFolder();
// The full path of the running program, vemo.exe.
std::string ProgramPath();

// Deletes the file; true when it was deleted.
bool RemoveFile(const std::string& name);

// The shell's "open" of a file or program; a failure is not reported.
void OpenDocument(const std::string& file, const std::string& parameters);

// The short form of an existing file's path; "" when the system gives none.
std::string ShortPathName(const std::string& path);

// A command string for the multimedia interface, without a reply buffer or
// a notification window; its result is not examined.
void SendMultimediaCommand(const std::string& command);

// A message box centred over its owner and kept inside the work area; flags 0
// mean one OK button and the exclamation icon. Returns the button id, 0 when
// no box could be shown.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
// The same, owned by a runtime window when it is open.
int ShowMessage(const DialogDefinition* owner, const std::string& text, const std::string& caption,
                UINT flags);

// The platform's open (open != 0) or save dialog, centred over its frame.
// `filter` is "description|pattern|..."; empty texts mean none. Returns the
// chosen path, "" when cancelled or failed.
std::string FileDialog(const std::string& title, const DialogDefinition* owner, int open,
                       const std::string& filter, const std::string& default_extension,
                       DWORD extra_flags, const std::string& initial_folder);

// Image kinds of LoadImageFile and DeleteImage, and its option bits.
enum ImageKind : UINT { kImageBitmap = 0, kImageIcon = 1, kImageCursor = 2, kImageMetafile = 3 };
inline constexpr UINT kImageMap3dColours = 0x1000;
inline constexpr UINT kImageFromSystem = 0x100;

// A text with "." is a file path, other texts and numbers name resources of
// the program (or of the system with kImageFromSystem). `size` asks for that
// width and height (of an icon file, its nearest image); 0 takes the image's
// own. Returns 0 on failure.
using ImageName = std::variant<std::string, UINT_PTR>;
HANDLE LoadImageFile(const ImageName& name, UINT type_and_options, int size = 0);
void DeleteImage(HANDLE image, UINT kind);

// Style flag of CreateToolbar: an integer bitmap argument is a bitmap handle.
inline constexpr DWORD kToolbarBitmapHandle = 0x10000;

// A toolbar of buttons for the command ids (0 = separator) with images from
// the bitmap (a file, a resource number, or a handle with kToolbarBitmapHandle).
// A strip the runtime loads is drawn for 96 DPI and stretched to the
// window's DPI; from 144 DPI a strip file drawn at twice the size beside it
// ("toolbar-2x.bmp" for "toolbar.bmp") is used instead when there is one. A
// toolbar of that id already in the window is replaced, its strip freed.
// Returns 1 when created.
int CreateToolbar(DialogDefinition& dialog, const ImageName& bitmap, int id,
                  std::span<const int> commands, DWORD flags);

}  // namespace vemo
