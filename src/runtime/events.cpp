#include "runtime/events.h"

#include "runtime/colours.h"
#include "runtime/seams.h"

namespace vemo {

namespace {

constexpr char kDialogProperty[] = "DLGPTR";

bool IsColourRequest(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return true;
        default: return false;
    }
}

void FillEvent(EventRecord& event, UINT message, WPARAM wparam, LPARAM lparam) {
    event.code = static_cast<int>(message);
    switch (message) {
        case WM_COMMAND:
            if (lparam != 0) {
                event.code = EVENT_CONTROL;
                event.control_id = LOWORD(wparam);
                event.notify_code = HIWORD(wparam);
            } else {
                event.code = EVENT_MENU;
                event.menu_id = LOWORD(wparam);
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            event.code = EVENT_CONTROL;
            if (header != nullptr) {
                event.control_id = static_cast<int>(header->idFrom);
                event.notify_code = static_cast<int>(header->code);
            }
            break;
        }
        case WM_CLOSE: event.code = EVENT_CLOSE; break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            event.control_id = lparam != 0 ? GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) : 0;
            event.wparam = LOWORD(wparam);
            event.lparam = HIWORD(wparam);
            break;
        default:
            if (message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK) {
                event.lparam = static_cast<LPARAM>(wparam);
                event.mouse_x = static_cast<short>(LOWORD(lparam));
                event.mouse_y = static_cast<short>(HIWORD(lparam));
            }
            break;
    }
}

int CallHandler(const DialogDefinition& dialog) {
    if (dialog.handler == nullptr) return 0;
    try {
        return dialog.handler();
    } catch (...) {
        // Nothing may unwind through the platform's window procedures.
        return 0;
    }
}

}  // namespace

EventRecord& Event() {
    static EventRecord event;
    return event;
}

int DispatchEvent(DialogDefinition& dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    EventRecord& event = Event();
    EventRecord saved = event;
    event.wparam = wparam;
    event.lparam = lparam;
    event.window = &dialog;
    FillEvent(event, message, wparam, lparam);
    const int result = CallHandler(dialog);
    saved.menu_id = event.menu_id;
    event = saved;
    return result;
}

namespace {

INT_PTR OnInitDialog(HWND window, WPARAM wparam, LPARAM lparam) {
    DialogDefinition* dialog = detail::TakePendingDialog();
    if (dialog == nullptr) return TRUE;
    dialog->window = window;
    if (dialog->layout) {
        for (const ControlDefinition& control : dialog->layout->controls) {
            if (HWND child = GetDlgItem(window, control.id)) SubclassControl(child, control.kind);
            if (control.default_button) SendMessageA(window, DM_SETDEFID, control.id, 0);
        }
    }
    // Before the handler's first look, and before the property is attached,
    // so the resizing raises no event.
    detail::LayOutNewWindow(*dialog);
    // Attached last, so WM_INITDIALOG is the first event the handler sees.
    SetPropA(window, kDialogProperty, dialog);
    DispatchEvent(*dialog, WM_INITDIALOG, wparam, lparam);
    return TRUE;
}

// Esc in a window that closes on it is its close box; the key goes no
// further (the dialog manager would make it a command of id 2, which may
// also be a control's).
bool EscapeCloses(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || message.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto* dialog =
        root != nullptr ? static_cast<DialogDefinition*>(GetPropA(root, kDialogProperty)) : nullptr;
    if (dialog == nullptr || !dialog->escape_closes) return false;
    SendMessageA(root, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace

DialogDefinition* DialogOfWindow(HWND window) {
    return window != nullptr ? static_cast<DialogDefinition*>(GetPropA(window, kDialogProperty))
                             : nullptr;
}

INT_PTR CALLBACK RuntimeDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) return OnInitDialog(window, wparam, lparam);
    if (IsColourRequest(message)) {
        if (lparam == 0) return 0;
        return SendMessageA(reinterpret_cast<HWND>(lparam), kColourRequest, wparam, lparam);
    }
    if (message == WM_DRAWITEM) {
        HWND control = wparam != 0 ? GetDlgItem(window, static_cast<int>(wparam)) : nullptr;
        return control != nullptr ? SendMessageA(control, WM_DRAWITEM, wparam, lparam) : 0;
    }

    auto* dialog = static_cast<DialogDefinition*>(GetPropA(window, kDialogProperty));
    if (dialog == nullptr) return 0;
    if (message == WM_SIZE || message == WM_EXITSIZEMOVE) {
        DispatchEvent(*dialog, EVENT_SIZED, wparam, reinterpret_cast<LPARAM>(window));
    }
    if (message == WM_DESTROY) RemovePropA(window, kDialogProperty);
    // Laid out at the new DPI before the handler hears of it.
    if (message == kDpiChangedMessage && lparam != 0) {
        detail::LayOutAtNewDpi(*dialog, LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
    }

    INT_PTR result = DispatchEvent(*dialog, message, wparam, lparam);
    if (result == 0 && message == WM_SETCURSOR && reinterpret_cast<HWND>(wparam) == window &&
        LOWORD(lparam) == HTCLIENT) {
        SetCursor(dialog->cursor);
    }
    // The close box never closes by itself: the handler decides. A DPI
    // change is done: the system adds nothing of its own.
    if (message == WM_CLOSE || message == kDpiChangedMessage) result = TRUE;
    if (message == WM_DESTROY) dialog->window = nullptr;
    return result;
}

int WaitForEvents(int no_wait) {
    MSG message{};
    if (no_wait == 0 && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (EscapeCloses(message)) continue;
        HWND active = GetActiveWindow();
        if (active != nullptr && (GetWindowLongA(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0 &&
            IsDialogMessageA(active, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

void StartTimer(DialogDefinition& dialog, UINT interval_ms, UINT_PTR timer_id) {
    if (dialog.window == nullptr) return;
    SetTimer(dialog.window, timer_id, interval_ms, nullptr);
    if (Seams().timer_recorder) Seams().timer_recorder(interval_ms, timer_id);
}

void StopTimer(DialogDefinition& dialog, UINT_PTR timer_id) {
    if (dialog.window != nullptr) KillTimer(dialog.window, timer_id);
}

}  // namespace vemo
