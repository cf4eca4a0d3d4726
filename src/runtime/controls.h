// Operations on the controls of open runtime windows. A closed window, a
// missing control or a control of another class gives the fallback value and
// does nothing; no operation reports an error.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "runtime/dialogs.h"
#include "runtime/win32.h"

namespace vemo {

// List boxes and combo boxes.
void AddItem(DialogDefinition& dialog, int id, const std::string& text);
void InsertItem(DialogDefinition& dialog, int id, int index, const std::string& text);
void DeleteItem(DialogDefinition& dialog, int id, int index);
std::string GetItemText(const DialogDefinition& dialog, int id, int index);  // "" fallback
int GetItemCount(const DialogDefinition& dialog, int id);                    // -1 fallback
int GetSelection(const DialogDefinition& dialog, int id);                    // -1 fallback
void SetSelection(DialogDefinition& dialog, int id, int index);
int IsItemSelected(const DialogDefinition& dialog, int id, int index);  // 0 fallback

// Buttons.
int GetCheck(const DialogDefinition& dialog, int id);  // -1 fallback
void SetCheck(DialogDefinition& dialog, int id, int state);

// Texts.
std::string GetControlText(const DialogDefinition& dialog, int id);
void SetControlText(DialogDefinition& dialog, int id, const std::string& text);
void SetWindowCaption(DialogDefinition& dialog, const std::string& text);
// The most characters an edit control takes from the keyboard or a paste.
void SetTextLimit(DialogDefinition& dialog, int id, std::size_t limit);

// Scroll bars: id >= 0 a scroll-bar control, -1 the window's horizontal bar,
// other negative ids its vertical bar.
void SetScrollRange(DialogDefinition& dialog, int id, int minimum, int maximum);
void SetScrollPosition(DialogDefinition& dialog, int id, int position);
int GetScrollPosition(const DialogDefinition& dialog, int id);       // 0 fallback
int GetScrollTrackPosition(const DialogDefinition& dialog, int id);  // 0 fallback

// Windows and controls; id 0 names the window itself where noted.
void EnableControl(DialogDefinition& dialog, int id, bool enable);
void ShowControl(DialogDefinition& dialog, int show_command, int id);
// A control moves to a place of the 96-DPI layout, scaled to the window's
// DPI; the window itself (id 0) to a place on the screen.
void MoveControl(DialogDefinition& dialog, int x, int y, int width, int height, int id);
void GetControlRect(const DialogDefinition& dialog, int& x, int& y, int& width, int& height,
                    int id);
void CentreWindow(DialogDefinition& dialog);
// Tooltips on the window's controls: each id's text shows when the mouse
// rests on it. One tooltip window per call, going with the window; false
// when the system's common controls could not make it.
struct ControlTip {
    int id;
    const char* text;
};
bool AddControlTips(DialogDefinition& dialog, std::span<const ControlTip> tips);
// Shows the window restored, from hidden or minimised, above the others
// without activating it: the keyboard stays with the program in front.
void ShowWithoutActivating(DialogDefinition& dialog);
// Whether another program's window is in front (not this window's thread).
bool AnotherWindowInFront(const DialogDefinition& dialog);
// Flashes the window's taskbar button until the user brings it to the front.
void FlashUntilInFront(DialogDefinition& dialog);
// CentreWindow for any top-level or child window.
void CentreWindowHandle(HWND window);

// Menus.
HMENU NewMenu(bool popup);
void AppendMenuItem(HMENU menu, const std::string& text, UINT flags, UINT_PTR item_id);
// Shows the popup at client coordinates (x, y) and destroys the menu afterwards.
void ShowPopupMenu(DialogDefinition& dialog, HMENU menu, int x, int y);

// Arguments of ControlCommand: an integer, an integer read through a
// reference, or a text; std::monostate is "no argument".
using CommandArgument = std::variant<std::monostate, int, const int*, std::string>;

// The toolbar commands of ControlCommand, numbered as callers have always
// passed them.
enum ToolbarCommand : int {
    ToolbarAutoSizeCommand = 0,
    ToolbarBitmapSizeCommand = 1,  // width, height at 96 DPI
    ToolbarButtonSizeCommand = 2,  // width, height at 96 DPI
    ToolbarLabelsCommand = 4,      // "a|b|c"
    ToolbarTooltipCommand = 9,     // command id, text
};

// Runs a toolbar command; arguments of the wrong kind do nothing.
int ControlCommand(DialogDefinition& dialog, int id, int command, CommandArgument first = {},
                   CommandArgument second = {}, CommandArgument third = {});

}  // namespace vemo
