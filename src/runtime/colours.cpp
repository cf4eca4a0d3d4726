#include "runtime/colours.h"

#include <array>
#include <vector>

#include "runtime/control_kinds.h"
#include "runtime/dialogs.h"
#include "runtime/scoped.h"

namespace vemo {

namespace {

constexpr char kForeground[] = "FGRND";
constexpr char kBackground[] = "BGRND";
constexpr char kBrush[] = "BBRUSH";
constexpr char kPrevious[] = "LPFN";

// The properties again, kept where every message can reach them without
// asking the window manager: a property lookup costs a round trip on some
// platforms, and every message of every control passes through here. The
// windows have a few dozen controls: looked through in order.
struct ControlColours {
    HWND control = nullptr;
    COLORREF foreground = 0;
    COLORREF background = 0;
    ScopedBrush brush;  // "BBRUSH" lends it out; the entry owns it
    WNDPROC previous = nullptr;
};
std::vector<ControlColours> g_controls;

const ControlColours* ColoursOf(HWND control) {
    for (const ControlColours& colours : g_controls) {
        if (colours.control == control) return &colours;
    }
    return nullptr;
}

COLORREF PropertyColour(HWND control, const char* name) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(control, name)));
}

COLORREF ForegroundOf(HWND control) {
    const ControlColours* colours = ColoursOf(control);
    return colours != nullptr ? colours->foreground : PropertyColour(control, kForeground);
}

COLORREF BackgroundOf(HWND control) {
    const ControlColours* colours = ColoursOf(control);
    return colours != nullptr ? colours->background : PropertyColour(control, kBackground);
}

void SetPropertyColour(HWND control, const char* name, COLORREF colour) {
    SetPropA(control, name, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour)));
}

LRESULT CallPrevious(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    const ControlColours* colours = ColoursOf(control);
    auto previous = colours != nullptr ? colours->previous
                                       : reinterpret_cast<WNDPROC>(GetPropA(control, kPrevious));
    if (previous == nullptr) return 0;
    return CallWindowProcA(previous, control, message, wparam, lparam);
}

LRESULT AnswerColourRequest(HWND control, HDC dc) {
    SetTextColor(dc, ForegroundOf(control));
    SetBkColor(dc, BackgroundOf(control));
    const ControlColours* colours = ColoursOf(control);
    return reinterpret_cast<LRESULT>(colours != nullptr ? colours->brush.get()
                                                        : GetPropA(control, kBrush));
}

// Takes everything off the control and passes WM_DESTROY on.
LRESULT Unsubclass(HWND control, WPARAM wparam, LPARAM lparam) {
    RemovePropA(control, kBrush);
    RemovePropA(control, kBackground);
    RemovePropA(control, kForeground);
    auto previous = reinterpret_cast<WNDPROC>(RemovePropA(control, kPrevious));
    std::erase_if(g_controls, [control](const ControlColours& colours) {
        return colours.control == control;  // deletes the brush
    });
    if (previous == nullptr) return 0;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return CallWindowProcA(previous, control, WM_DESTROY, wparam, lparam);
}

HWND g_key_window = nullptr;

// The command a key is to its control's window: Delete in a list box, the
// undo keys in a list box, on a button or in an edit field that has nothing
// of its own to undo; 0 for any other key or control.
int KeyCommand(HWND control, WPARAM key) {
    // Every key typed in a field passes here: the others go on at once.
    if (key != VK_DELETE && key != 'Z' && key != 'Y') return 0;
    if (g_key_window == nullptr || GetParent(control) != g_key_window) return 0;
    char kind[16] = {};
    GetClassNameA(control, kind, sizeof(kind));
    const bool list = lstrcmpiA(kind, "ListBox") == 0;
    const bool field = lstrcmpiA(kind, "Edit") == 0;
    if (key == VK_DELETE) return list ? kListDeleteKey : 0;
    if (!list && !field && lstrcmpiA(kind, "Button") != 0) return 0;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return 0;
    if (field && SendMessageA(control, EM_CANUNDO, 0, 0) != 0) return 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (key == 'Z') return shift ? kRedoKey : kUndoKey;
    return key == 'Y' && !shift ? kRedoKey : 0;
}

// Sends the key's command to the control's window: true when it was one.
bool KeyToWindow(HWND control, UINT message, WPARAM key) {
    // The character Ctrl+Z or Ctrl+Y makes after its key goes no further
    // either: a list box would search its items for it.
    if (message == WM_CHAR) {
        return (key == 0x1A || key == 0x19) && KeyCommand(control, key + 'A' - 1) != 0;
    }
    const int command = KeyCommand(control, key);
    if (command == 0) return false;
    SendMessageA(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), static_cast<WORD>(command)),
                 reinterpret_cast<LPARAM>(control));
    return true;
}

LRESULT CALLBACK GeneralProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR:
            if (KeyToWindow(control, message, wparam)) return 0;
            return CallPrevious(control, message, wparam, lparam);
        case kColourRequest:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: return AnswerColourRequest(control, reinterpret_cast<HDC>(wparam));
        case WM_DESTROY: return Unsubclass(control, wparam, lparam);
        default: return CallPrevious(control, message, wparam, lparam);
    }
}

LRESULT CALLBACK StaticProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kColourRequest: return AnswerColourRequest(control, reinterpret_cast<HDC>(wparam));
        case WM_DESTROY: return Unsubclass(control, wparam, lparam);
        default: return CallPrevious(control, message, wparam, lparam);
    }
}

LRESULT CALLBACK ButtonProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR:
            if (KeyToWindow(control, message, wparam)) return 0;
            return CallPrevious(control, message, wparam, lparam);
        case kColourRequest: return AnswerColourRequest(control, reinterpret_cast<HDC>(wparam));
        case WM_DRAWITEM:
            if (lparam != 0) DrawPushButton(control, *reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
            return CallPrevious(control, message, wparam, lparam);
        case WM_DESTROY: return Unsubclass(control, wparam, lparam);
        default: return CallPrevious(control, message, wparam, lparam);
    }
}

// A line `width` pixels wide inside the rectangle's edge.
void Outline(HDC dc, RECT r, int width) {
    const ScopedSelectObject hollow(dc, GetStockObject(NULL_BRUSH));
    for (int i = 0; i < width; ++i) {
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        InflateRect(&r, -1, -1);
    }
}

void DrawCaption(HWND button, HDC dc, RECT text_rect, UINT state, const char* caption, int length,
                 int pixel) {
    const auto style = static_cast<UINT>(GetWindowLongA(button, GWL_STYLE));
    const bool multiline = (style & BS_MULTILINE) != 0;
    UINT format = DT_CENTER | DT_VCENTER;
    if (multiline) {
        RECT measured = text_rect;
        DrawTextA(dc, caption, length, &measured, format | DT_WORDBREAK | DT_CALCRECT);
        const int free_height =
            (text_rect.bottom - text_rect.top) - (measured.bottom - measured.top);
        text_rect.top += free_height / 2;
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE;
    }
    if ((state & ODS_DISABLED) != 0) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        if (!multiline) {
            SIZE extent{};
            GetTextExtentPoint32A(dc, caption, length, &extent);
            const int x = text_rect.left + (text_rect.right - text_rect.left - extent.cx) / 2;
            const int y =
                text_rect.top + (text_rect.bottom - text_rect.top - extent.cy) / 2 - pixel;
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), length, x, y,
                       extent.cx, extent.cy, DST_TEXT | DSS_DISABLED);
            return;
        }
    } else {
        SetTextColor(dc, ForegroundOf(button));
    }
    DrawTextA(dc, caption, length, &text_rect, format);
}

}  // namespace

void SendKeysAsCommands(HWND window) {
    g_key_window = window;
}

void SubclassControl(HWND control, int kind) {
    int background = COLOR_WINDOW;
    WNDPROC procedure = GeneralProc;
    switch (kind) {
        case PushButton:
            background = COLOR_BTNFACE;
            procedure = ButtonProc;
            break;
        case CheckBox:
        case RadioButton:
        case GroupBox:
        case PlainButton: background = COLOR_BTNFACE; break;
        case Static:
            background = COLOR_BTNFACE;
            procedure = StaticProc;
            break;
        case ScrollBar: background = COLOR_SCROLLBAR; break;
        default: break;
    }
    const COLORREF colour = GetSysColor(background);
    ControlColours colours;
    colours.foreground = GetSysColor(COLOR_BTNTEXT);
    colours.background = colour;
    SetPropertyColour(control, kForeground, colours.foreground);
    SetPropertyColour(control, kBackground, colours.background);
    if (kind != ScrollBar) {
        colours.brush.reset(CreateSolidBrush(colour));
        SetPropA(control, kBrush, colours.brush.get());
    }
    // Known before the first message reaches the new procedure.
    colours.previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetPropA(control, kPrevious, reinterpret_cast<HANDLE>(colours.previous));
    colours.control = control;
    std::erase_if(g_controls, [control](const ControlColours& c) { return c.control == control; });
    g_controls.push_back(std::move(colours));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

void DrawPushButton(HWND button, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    UINT state = item.itemState;
    const LRESULT default_id = SendMessageA(GetParent(button), DM_GETDEFID, 0, 0);
    if (HIWORD(default_id) == DC_HASDEFID && LOWORD(default_id) == item.CtlID) {
        state |= ODS_DEFAULT;
    }
    const auto style = static_cast<UINT>(GetWindowLongA(button, GWL_STYLE));
    // The outlines and the pressed caption's step: a pixel at 96 DPI.
    const int pixel = ScaleToDpi(1, LayoutDpiOf(button));

    RECT text_rect = item.rcItem;
    if ((style & BS_MULTILINE) != 0) {
        InflateRect(&text_rect, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
    }
    if ((state & ODS_SELECTED) != 0) OffsetRect(&text_rect, pixel, pixel);

    const bool outlined = (state & (ODS_FOCUS | ODS_DEFAULT)) != 0;
    RECT frame = item.rcItem;
    if (outlined) InflateRect(&frame, -pixel, -pixel);
    if ((style & BS_FLAT) != 0) {
        Outline(dc, frame, pixel);
        InflateRect(&frame, -pixel, -pixel);
    } else {
        UINT frame_state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if ((state & ODS_SELECTED) != 0) frame_state |= DFCS_PUSHED;
        DrawFrameControl(dc, &frame, DFC_BUTTON, frame_state);
    }
    const ScopedBrush face(CreateSolidBrush(BackgroundOf(button)));
    FillRect(dc, &frame, face.get());
    if (outlined) Outline(dc, item.rcItem, pixel);

    std::array<char, 256> caption{};
    const int length = GetWindowTextA(button, caption.data(), static_cast<int>(caption.size()));
    if (length <= 0) return;
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF old_colour = GetTextColor(dc);
    DrawCaption(button, dc, text_rect, state, caption.data(), length, pixel);
    SetTextColor(dc, old_colour);
    SetBkMode(dc, old_mode);
}

int LiveControlBrushes() {
    int live = 0;
    for (const ControlColours& colours : g_controls) live += colours.brush.valid() ? 1 : 0;
    return live;
}

}  // namespace vemo
