#include "runtime/dialogs.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "runtime/dialog_template.h"
#include "runtime/events.h"
#include "runtime/system_dlls.h"
#include "runtime/text.h"

namespace vemo {

namespace {

constexpr int kDialogFontPoints = 8;
constexpr char kDialogFontName[] = "MS Sans Serif";
constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct DialogRegistry {
    std::vector<DialogDefinition*> defined;  // every definition seen, once each
    DialogDefinition* pending_open = nullptr;
    bool class_registered = false;
    bool common_controls_ready = false;
    HMODULE rich_edit_library = nullptr;
};

// Built on first use and never destroyed: DialogDefinitions with static
// storage still reach it from their destructors at exit, whatever the order
// in which the other statics go.
DialogRegistry& Registry() {
    alignas(DialogRegistry) static unsigned char storage[sizeof(DialogRegistry)];
    static DialogRegistry* const registry = ::new (static_cast<void*>(storage)) DialogRegistry();
    return *registry;
}

void RegisterDialogClass() {
    if (Registry().class_registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    GetClassInfoExA(nullptr, MAKEINTATOM(32770), &wc);
    wc.cbSize = sizeof(wc);
    wc.lpszClassName = kDialogClassName;
    wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    wc.lpfnWndProc = DefDlgProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszMenuName = nullptr;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hIconSm = nullptr;
    Registry().class_registered =
        RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void PrepareKind(int kind) {
    if (NeedsCommonControls(kind) && !Registry().common_controls_ready) {
        InitCommonControlsFromSystem();
        Registry().common_controls_ready = true;
    }
    if (kind == RichEdit && Registry().rich_edit_library == nullptr) {
        Registry().rich_edit_library = SystemDll("riched32.dll");
    }
}

std::u16string ToUtf16(const std::string& text) {
    if (text.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return std::u16string(wide.begin(), wide.end());
}

// The templates' font, 8 points at the DPI.
HFONT CreateDialogFont(int dpi) {
    return CreateFontA(-MulDiv(kDialogFontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0,
                       0, kDialogFontName);
}

struct FontMeasure {
    FontCell cell;  // what pixels are turned into dialog units with
    FontCell base;  // what the dialog manager turns them back with
};

FontMeasure MeasureFont(HFONT font) {
    FontMeasure measure{};
    const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    const ScopedSelectObject selected(dc.get(), font);
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(dc.get(), &metrics)) return measure;
    measure.cell = {metrics.tmAveCharWidth + 1, metrics.tmHeight};
    SIZE alphabet{};
    GetTextExtentPoint32A(dc.get(), kAlphabet, 52, &alphabet);
    measure.base = {(alphabet.cx / 26 + 1) / 2, metrics.tmHeight};
    return measure;
}

// Newer systems rescale a dialog by themselves when its DPI changes; the
// runtime lays its windows out itself, the same way at every DPI.
void TurnOffSystemRescaling(HWND window) {
    using SetBehavior = BOOL(WINAPI*)(HWND, int, int);
    static const auto set_behavior = reinterpret_cast<SetBehavior>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (set_behavior != nullptr) set_behavior(window, kDisableAll, kDisableAll);
}

// The DPI the system gives the window: its monitor's where each monitor has
// its own (the window's own from Windows 10 1607, its monitor's on 8.1),
// else the screen's.
int SystemDpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    UINT dpi = dpi_for_window != nullptr ? dpi_for_window(window) : 0;
    if (dpi == 0) {
        using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
        static const auto dpi_for_monitor = [] {
            HMODULE shcore = LoadLibraryA("shcore.dll");  // kept for the process's life
            return reinterpret_cast<DpiForMonitor>(reinterpret_cast<void*>(
                shcore != nullptr ? GetProcAddress(shcore, "GetDpiForMonitor") : nullptr));
        }();
        constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
        UINT dpi_y = 0;
        if (dpi_for_monitor == nullptr ||
            FAILED(dpi_for_monitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                   kEffectiveDpi, &dpi, &dpi_y))) {
            dpi = 0;
        }
    }
    return dpi != 0 ? static_cast<int>(dpi) : ScreenDpi();
}

// Places the open window's client area and controls for the DPI, in the
// dialog font for that DPI. At 96 DPI the dialog units decide, exactly as
// the dialog manager placed them from the template; at any other DPI the
// defined pixels scaled, which keeps every control within half a pixel of
// its place.
void LayOut(DialogDefinition& dialog, int dpi) {
    HWND window = dialog.window;
    const DialogLayout& layout = *dialog.layout;
    dialog.dpi = dpi;
    ScopedFont made;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (dpi != layout.dpi) {
        made.reset(CreateDialogFont(dpi));
        if (made) font = made.get();
    }
    // The dialog units' own placing only where the template was built at 96
    // DPI (a 96-DPI screen): there it is what the dialog manager did, to the
    // pixel. Anywhere else, the pixels scaled (at 96, the pixels themselves).
    const bool as_template = dpi == kLayoutDpi && layout.dpi == kLayoutDpi;
    const FontMeasure measure = as_template ? MeasureFont(font) : FontMeasure{};
    const auto place_at_dpi = [&](const Place& pixels) {
        if (!as_template) return ScaleToDpi(pixels, dpi);
        return FromDialogUnits(
            ToDialogUnits(pixels.x, pixels.y, pixels.width, pixels.height, measure.cell),
            measure.base);
    };

    const Place client = place_at_dpi(layout.pixels);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(window) && GetWindowPlacement(window, &placement)) {
        // Minimised, the window has no client area to measure: the size it
        // comes back at is set instead, its frame worked out from its style.
        RECT outer{0, 0, client.width, client.height};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + (outer.right - outer.left);
        normal.bottom = normal.top + (outer.bottom - outer.top);
        placement.showCmd = SW_SHOWMINNOACTIVE;
        SetWindowPlacement(window, &placement);
    } else {
        RECT frame{};
        RECT inside{};
        GetWindowRect(window, &frame);
        GetClientRect(window, &inside);
        SetWindowPos(window, nullptr, 0, 0,
                     client.width + (frame.right - frame.left) - inside.right,
                     client.height + (frame.bottom - frame.top) - inside.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const ControlDefinition& control : layout.controls) {
        HWND child = GetDlgItem(window, control.id);
        if (child == nullptr) continue;
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const Place at = place_at_dpi(control.pixels);
        SetWindowPos(child, nullptr, at.x, at.y, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The controls hold the new font now: the old one may go.
    dialog.font = std::move(made);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace

namespace detail {
DialogDefinition* TakePendingDialog() {
    return std::exchange(Registry().pending_open, nullptr);
}

void LayOutNewWindow(DialogDefinition& dialog) {
    if (dialog.window == nullptr || !dialog.layout) return;
    TurnOffSystemRescaling(dialog.window);
    const int dpi = SystemDpiOf(dialog.window);
    dialog.dpi = dpi;
    // At 96 DPI the template is the layout, as it always was.
    if (dpi == kLayoutDpi && dialog.layout->dpi == kLayoutDpi) return;
    LayOut(dialog, dpi);
}

void LayOutAtNewDpi(DialogDefinition& dialog, int dpi, const RECT& suggested) {
    if (dialog.window == nullptr || !dialog.layout || dpi <= 0) return;
    SetWindowPos(dialog.window, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dialog, dpi);
}
}  // namespace detail

DialogDefinition::~DialogDefinition() {
    if (window != nullptr) DestroyWindow(window);
    images.clear();
    auto& defined = Registry().defined;
    defined.erase(std::remove(defined.begin(), defined.end(), this), defined.end());
    if (Registry().pending_open == this) Registry().pending_open = nullptr;
}

int ScreenDpi() {
    const ScopedGetDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kLayoutDpi;
}

int LayoutDpiOf(HWND window) {
    const DialogDefinition* dialog = DialogOfWindow(GetAncestor(window, GA_ROOT));
    if (dialog != nullptr && dialog->window != nullptr) return dialog->dpi;
    return SystemDpiOf(window);
}

int ScaleForDialog(const DialogDefinition& dialog, int pixels) {
    return ScaleToDpi(pixels, dialog.window != nullptr ? dialog.dpi : ScreenDpi());
}

FontCell MeasureDialogFont() {
    return MeasureDialogFont(ScreenDpi());
}

FontCell MeasureDialogFont(int dpi) {
    // The font the templates name: "MS Sans Serif" at 8 points. Where that is
    // the bitmap font, any small height selects this same 8-point face; where
    // the name is mapped to a scalable font, asking for 8 points keeps the
    // measure and the dialog manager's font alike, so pixels stay pixels.
    const ScopedFont font(CreateDialogFont(dpi));
    return MeasureFont(font.get()).cell;
}

int DefineDialog(DialogDefinition& dialog, int x, int y, int width, int height, std::uint32_t style,
                 const DialogDefinition* parent, const std::string& caption, EventHandler handler) {
    RegisterDialogClass();
    auto layout = std::make_unique<DialogLayout>();
    layout->parent = parent != nullptr ? parent->window : nullptr;
    layout->style = style | style_bits::kDialogStyle;
    layout->caption = CutText(caption, kCaptionCapacity);
    layout->pixels = {x, y, width, height};
    layout->dpi = ScreenDpi();
    layout->cell = MeasureDialogFont(layout->dpi);
    // The place is the screen's; only the size is the layout's.
    layout->rect = ToDialogUnits(x, y, ScaleToDpi(width, layout->dpi),
                                 ScaleToDpi(height, layout->dpi), layout->cell);

    dialog.handler = handler;
    dialog.cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    dialog.defined_by_template = true;
    dialog.layout = std::move(layout);
    auto& defined = Registry().defined;
    if (std::find(defined.begin(), defined.end(), &dialog) == defined.end()) {
        defined.push_back(&dialog);
    }
    return 1;
}

void DefineControl(DialogDefinition& dialog, int kind, const std::string& caption, int x, int y,
                   int width, int height, std::uint32_t style, int id) {
    if (!dialog.defined_by_template || !dialog.layout) return;
    auto& controls = dialog.layout->controls;
    const bool taken = std::any_of(controls.begin(), controls.end(),
                                   [id](const ControlDefinition& c) { return c.id == id; });
    if (taken) return;
    PrepareKind(kind);
    const ControlStyle chosen = StyleForKind(kind, style);
    ControlDefinition control;
    control.style = chosen.style;
    control.ex_style = chosen.ex_style;
    control.caption = caption;
    control.class_name = chosen.class_name;
    control.kind = kind;
    control.pixels = {x, y, width, height};
    const Place scaled = ScaleToDpi(control.pixels, dialog.layout->dpi);
    control.rect =
        ToDialogUnits(scaled.x, scaled.y, scaled.width, scaled.height, dialog.layout->cell);
    control.id = id;
    control.default_button = chosen.default_button;
    controls.push_back(std::move(control));
}

std::vector<std::uint8_t> DialogTemplateFor(const DialogDefinition& dialog) {
    if (!dialog.defined_by_template || !dialog.layout) return {};
    const DialogLayout& layout = *dialog.layout;
    TemplateLayout dialog_template;
    // Every template says visible, and the dialog manager shows such a window
    // once WM_INITDIALOG is done: one opened hidden (a start in the tray) must
    // not say so.
    dialog_template.style = dialog.open_hidden ? layout.style & ~WS_VISIBLE : layout.style;
    dialog_template.ex_style = layout.ex_style;
    dialog_template.rect = layout.rect;
    dialog_template.class_name = ToUtf16(kDialogClassName);
    dialog_template.caption = ToUtf16(layout.caption);
    dialog_template.point_size = kDialogFontPoints;
    dialog_template.font_name = ToUtf16(kDialogFontName);
    for (const ControlDefinition& control : layout.controls) {
        dialog_template.controls.push_back({control.style, control.ex_style, control.rect,
                                            control.id, ToUtf16(control.class_name),
                                            ToUtf16(control.caption)});
    }
    return BuildDialogTemplate(dialog_template);
}

HWND OpenModeless(DialogDefinition& dialog, const DialogDefinition* parent) {
    // One window per definition: a second open brings the first one forward.
    if (dialog.window != nullptr && IsWindow(dialog.window)) {
        if (!IsWindowVisible(dialog.window)) ShowWindow(dialog.window, SW_SHOW);
        if (IsIconic(dialog.window)) ShowWindow(dialog.window, SW_RESTORE);
        SetForegroundWindow(dialog.window);
        return dialog.window;
    }
    dialog.window = nullptr;
    dialog.images.clear();
    dialog.font.reset();
    dialog.toolbar_font.reset();
    const std::vector<std::uint8_t> bytes = DialogTemplateFor(dialog);
    if (bytes.empty()) return nullptr;
    // The platform wants the template DWORD-aligned: copy into DWORD storage.
    std::vector<DWORD> aligned((bytes.size() + 3) / 4);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());

    Registry().pending_open = &dialog;
    HWND owner = parent != nullptr ? parent->window : dialog.layout->parent;
    HWND window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEA>(aligned.data()),
                                             owner, RuntimeDialogProc, 0);
    Registry().pending_open = nullptr;
    if (window == nullptr) {
        // A control the platform could not make ends the creation; nothing
        // of the half-made window may stay behind.
        dialog.window = nullptr;
        dialog.images.clear();
        dialog.font.reset();
        dialog.toolbar_font.reset();
        return nullptr;
    }
    // A window opened hidden is shown later by its own handlers (a start in
    // the tray).
    const bool hidden = std::exchange(dialog.open_hidden, false);
    if (dialog.window != nullptr && !hidden) {
        ShowWindow(dialog.window, SW_SHOW);
        // A message box raised from WM_INITDIALOG runs while the window is
        // still hidden; some systems then skip the frame's first paint. Ask
        // for it once more so the caption is never left blank.
        RedrawWindow(dialog.window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    // Null when the window's own start closed it again.
    return dialog.window;
}

void CloseDialog(DialogDefinition& dialog, int /*result*/) {
    if (dialog.window != nullptr) DestroyWindow(dialog.window);
    dialog.window = nullptr;
    // The controls that used them are gone with the window.
    dialog.images.clear();
    dialog.font.reset();
    dialog.toolbar_font.reset();
}

void SetClassIcon(DialogDefinition& dialog, HICON icon) {
    if (dialog.window == nullptr) return;
    SetClassLongPtrA(dialog.window, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void ReleaseDialogs() {
    for (DialogDefinition* dialog : Registry().defined) dialog->layout.reset();
    Registry().defined.clear();
}

}  // namespace vemo
