// Windows described at run time: a DialogDefinition with its controls, turned
// into a modeless platform dialog of class "OstrelDlgClass" when opened.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/control_kinds.h"
#include "runtime/layout_math.h"
#include "runtime/scoped.h"
#include "runtime/win32.h"

namespace vemo {

// A window's event handler: no arguments, reads the event record.
using EventHandler = int (*)();

inline constexpr char kDialogClassName[] = "OstrelDlgClass";
// A window caption holds at most this many characters.
inline constexpr std::size_t kCaptionCapacity = 255;

struct ControlDefinition {
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::string caption;
    std::string class_name;
    int kind = 0;
    DialogUnits rect;
    Place pixels;  // as defined: the place on a 96-DPI screen
    int id = 0;
    bool default_button = false;
};

struct DialogLayout {
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::string caption;
    HWND parent = nullptr;
    DialogUnits rect;
    Place pixels;  // as defined: x and y on the screen, the size at 96 DPI
    // The screen's DPI at definition: the dialog units are for it.
    int dpi = kLayoutDpi;
    FontCell cell;
    std::vector<ControlDefinition> controls;
};

// Stays at one address for its life (the runtime keeps a list of every
// definition it has seen), so it is neither copied nor moved.
struct DialogDefinition {
    DialogDefinition() = default;
    ~DialogDefinition();
    DialogDefinition(const DialogDefinition&) = delete;
    DialogDefinition& operator=(const DialogDefinition&) = delete;

    HWND window = nullptr;
    HCURSOR cursor = nullptr;
    bool defined_by_template = false;
    std::unique_ptr<DialogLayout> layout;
    EventHandler handler = nullptr;
    // Images the runtime loaded for this window's controls (a toolbar strip
    // named by file), by control id: they live as long as the window or the
    // control and go when it closes.
    struct ControlImage {
        int id = 0;
        ScopedBitmap image;
    };
    std::vector<ControlImage> images;
    // Opened without being shown (a start in the tray); cleared once used.
    bool open_hidden = false;
    // Esc asks the window to close, as its close box does (the secondary
    // dialogs); elsewhere the dialog manager's Esc stays a command of id 2.
    bool escape_closes = false;
    // The DPI the open window is laid out at, and the dialog font made for
    // it when that is not the DPI of the template's own font.
    int dpi = kLayoutDpi;
    ScopedFont font;
    // The toolbar's label font made for the window's DPI when that is not
    // the screen's: the toolbar's own is the screen's.
    ScopedFont toolbar_font;
};

// Describes a window at (x, y) on the screen with the given size in pixels
// of a 96-DPI screen. `parent` is the window whose handle is taken now as
// the parent, or null. Calling it again gives the definition a fresh layout
// without controls. Returns 1.
int DefineDialog(DialogDefinition& dialog, int x, int y, int width, int height, std::uint32_t style,
                 const DialogDefinition* parent, const std::string& caption, EventHandler handler);

// Adds a control at a place in pixels of a 96-DPI screen; a second control
// with an id already defined is ignored.
//
// A window opens at the DPI of its screen: every place and size is then the
// defined one scaled by DPI / 96 (ScaleToDpi), the dialog font is 8 points at
// that DPI, and when the DPI changes (WM_DPICHANGED) the window takes the
// suggested rectangle and lays itself out again before its handler sees the
// event. At 96 DPI the dialog units alone place everything, as they always
// have.
void DefineControl(DialogDefinition& dialog, int kind, const std::string& caption, int x, int y,
                   int width, int height, std::uint32_t style, int id);

// Opens the window as a modeless dialog; returns its handle, or null when
// nothing was opened (no layout, a layout too large for a template, or a
// control the platform could not create). A window already open is shown and
// brought forward, never opened twice.
HWND OpenModeless(DialogDefinition& dialog, const DialogDefinition* parent);

// Destroys the open window (its handler sees WM_DESTROY) and frees the images
// loaded for it; the layout stays.
void CloseDialog(DialogDefinition& dialog, int result);

// Sets the big icon of the runtime's window class through the open window.
void SetClassIcon(DialogDefinition& dialog, HICON icon);

// Frees every layout at exit.
void ReleaseDialogs();

// The template bytes OpenModeless would use; empty when refused.
std::vector<std::uint8_t> DialogTemplateFor(const DialogDefinition& dialog);

// The font cell of "MS Sans Serif" 8 on the screen, or at another DPI.
FontCell MeasureDialogFont();
FontCell MeasureDialogFont(int dpi);

// The definition of an open runtime window, or null for any other window.
DialogDefinition* DialogOfWindow(HWND window);

// The system's message that a window's DPI changed (Windows 8.1 on).
inline constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED

// The screen's DPI (the system's): what a new window is laid out for.
int ScreenDpi();
// The DPI a window of the runtime (or one of its controls) is laid out at;
// for any other window, the DPI the system gives it.
int LayoutDpiOf(HWND window);
// A length of a 96-DPI layout in the pixels of the dialog's window, or of
// the screen while it is closed.
int ScaleForDialog(const DialogDefinition& dialog, int pixels);

namespace detail {
// The definition being opened; WM_INITDIALOG takes it.
DialogDefinition* TakePendingDialog();
// Lays a window just created out at its own DPI (WM_INITDIALOG).
void LayOutNewWindow(DialogDefinition& dialog);
// WM_DPICHANGED: the suggested rectangle, then the layout at the new DPI.
void LayOutAtNewDpi(DialogDefinition& dialog, int dpi, const RECT& suggested);
}  // namespace detail

}  // namespace vemo
