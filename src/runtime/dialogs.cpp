#include "runtime/dialogs.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "runtime/dialog_template.h"
#include "runtime/events.h"
#include "runtime/text.h"

namespace vemo {

namespace {

constexpr int kDialogFontPoints = 8;

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
        InitCommonControls();
        Registry().common_controls_ready = true;
    }
    if (kind == RichEdit && Registry().rich_edit_library == nullptr) {
        Registry().rich_edit_library = LoadLibraryA("riched32.dll");
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

}  // namespace

namespace detail {
DialogDefinition* TakePendingDialog() {
    return std::exchange(Registry().pending_open, nullptr);
}
}  // namespace detail

DialogDefinition::~DialogDefinition() {
    if (window != nullptr) DestroyWindow(window);
    images.clear();
    auto& defined = Registry().defined;
    defined.erase(std::remove(defined.begin(), defined.end(), this), defined.end());
    if (Registry().pending_open == this) Registry().pending_open = nullptr;
}

FontCell MeasureDialogFont() {
    FontCell cell{};
    const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    // The font the templates name: "MS Sans Serif" at 8 points. Where that is
    // the bitmap font, any small height selects this same 8-point face; where
    // the name is mapped to a scalable font, asking for 8 points keeps the
    // measure and the dialog manager's font alike, so pixels stay pixels.
    const int height = -MulDiv(kDialogFontPoints, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    const ScopedFont font(
        CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif"));
    const ScopedSelectObject selected(dc.get(), font.get());
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc.get(), &metrics)) {
        cell.width = metrics.tmAveCharWidth + 1;
        cell.height = metrics.tmHeight;
    }
    return cell;
}

int DefineDialog(DialogDefinition& dialog, int x, int y, int width, int height, std::uint32_t style,
                 const DialogDefinition* parent, const std::string& caption, EventHandler handler) {
    RegisterDialogClass();
    auto layout = std::make_unique<DialogLayout>();
    layout->parent = parent != nullptr ? parent->window : nullptr;
    layout->style = style | style_bits::kDialogStyle;
    layout->caption = CutText(caption, kCaptionCapacity);
    layout->cell = MeasureDialogFont();
    layout->rect = ToDialogUnits(x, y, width, height, layout->cell);

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
    control.rect = ToDialogUnits(x, y, width, height, dialog.layout->cell);
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
    dialog_template.font_name = ToUtf16("MS Sans Serif");
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
