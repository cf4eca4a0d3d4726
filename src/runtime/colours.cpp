#include "runtime/colours.h"

#include <array>

#include "runtime/control_kinds.h"

namespace vemo {

namespace {

constexpr char kForeground[] = "FGRND";
constexpr char kBackground[] = "BGRND";
constexpr char kBrush[] = "BBRUSH";
constexpr char kPrevious[] = "LPFN";

int g_live_brushes = 0;

COLORREF PropertyColour(HWND control, const char* name) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(control, name)));
}

void SetPropertyColour(HWND control, const char* name, COLORREF colour) {
    SetPropA(control, name, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour)));
}

LRESULT CallPrevious(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(control, kPrevious));
    if (previous == nullptr) return 0;
    return CallWindowProcA(previous, control, message, wparam, lparam);
}

LRESULT AnswerColourRequest(HWND control, HDC dc) {
    SetTextColor(dc, PropertyColour(control, kForeground));
    SetBkColor(dc, PropertyColour(control, kBackground));
    return reinterpret_cast<LRESULT>(GetPropA(control, kBrush));
}

// Takes everything off the control and passes WM_DESTROY on.
LRESULT Unsubclass(HWND control, WPARAM wparam, LPARAM lparam) {
    if (HANDLE brush = RemovePropA(control, kBrush)) {
        DeleteObject(static_cast<HBRUSH>(brush));
        --g_live_brushes;
    }
    RemovePropA(control, kBackground);
    RemovePropA(control, kForeground);
    auto previous = reinterpret_cast<WNDPROC>(RemovePropA(control, kPrevious));
    if (previous == nullptr) return 0;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return CallWindowProcA(previous, control, WM_DESTROY, wparam, lparam);
}

LRESULT CALLBACK GeneralProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
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
        case kColourRequest: return AnswerColourRequest(control, reinterpret_cast<HDC>(wparam));
        case WM_DRAWITEM:
            if (lparam != 0) DrawPushButton(control, *reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
            return CallPrevious(control, message, wparam, lparam);
        case WM_DESTROY: return Unsubclass(control, wparam, lparam);
        default: return CallPrevious(control, message, wparam, lparam);
    }
}

void Outline(HDC dc, const RECT& r) {
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, old_brush);
}

void DrawCaption(HWND button, HDC dc, RECT text_rect, UINT state, const char* caption, int length) {
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
            const int y = text_rect.top + (text_rect.bottom - text_rect.top - extent.cy) / 2 - 1;
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), length, x, y,
                       extent.cx, extent.cy, DST_TEXT | DSS_DISABLED);
            return;
        }
    } else {
        SetTextColor(dc, PropertyColour(button, kForeground));
    }
    DrawTextA(dc, caption, length, &text_rect, format);
}

}  // namespace

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
    SetPropertyColour(control, kForeground, GetSysColor(COLOR_BTNTEXT));
    SetPropertyColour(control, kBackground, colour);
    if (kind != ScrollBar) {
        SetPropA(control, kBrush, CreateSolidBrush(colour));
        ++g_live_brushes;
    }
    const LONG_PTR previous =
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetPropA(control, kPrevious, reinterpret_cast<HANDLE>(previous));
}

void DrawPushButton(HWND button, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    UINT state = item.itemState;
    const LRESULT default_id = SendMessageA(GetParent(button), DM_GETDEFID, 0, 0);
    if (HIWORD(default_id) == DC_HASDEFID && LOWORD(default_id) == item.CtlID) {
        state |= ODS_DEFAULT;
    }
    const auto style = static_cast<UINT>(GetWindowLongA(button, GWL_STYLE));

    RECT text_rect = item.rcItem;
    if ((style & BS_MULTILINE) != 0) {
        InflateRect(&text_rect, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
    }
    if ((state & ODS_SELECTED) != 0) OffsetRect(&text_rect, 1, 1);

    const bool outlined = (state & (ODS_FOCUS | ODS_DEFAULT)) != 0;
    RECT frame = item.rcItem;
    if (outlined) InflateRect(&frame, -1, -1);
    if ((style & BS_FLAT) != 0) {
        Outline(dc, frame);
        InflateRect(&frame, -1, -1);
    } else {
        UINT frame_state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if ((state & ODS_SELECTED) != 0) frame_state |= DFCS_PUSHED;
        DrawFrameControl(dc, &frame, DFC_BUTTON, frame_state);
    }
    HBRUSH face = CreateSolidBrush(PropertyColour(button, kBackground));
    FillRect(dc, &frame, face);
    DeleteObject(face);
    if (outlined) Outline(dc, item.rcItem);

    std::array<char, 256> caption{};
    const int length = GetWindowTextA(button, caption.data(), static_cast<int>(caption.size()));
    if (length <= 0) return;
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF old_colour = GetTextColor(dc);
    DrawCaption(button, dc, text_rect, state, caption.data(), length);
    SetTextColor(dc, old_colour);
    SetBkMode(dc, old_mode);
}

int LiveControlBrushes() {
    return g_live_brushes;
}

}  // namespace vemo
