#include "runtime/controls.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "runtime/layout_math.h"
#include "runtime/list_box.h"
#include "runtime/seams.h"
#include "runtime/system_dlls.h"
#include "runtime/text.h"

namespace vemo {

namespace {

enum class ControlClass { Other, ListBox, ComboBox, Button, ScrollBar, Toolbar };

HWND ControlOf(const DialogDefinition& dialog, int id) {
    if (dialog.window == nullptr) return nullptr;
    return GetDlgItem(dialog.window, id);
}

ControlClass ClassOf(HWND control) {
    std::array<char, 32> name{};
    GetClassNameA(control, name.data(), 16);  // class names compare on 15 characters
    std::string upper(name.data());
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "LISTBOX") return ControlClass::ListBox;
    if (upper == "COMBOBOX") return ControlClass::ComboBox;
    if (upper == "BUTTON") return ControlClass::Button;
    if (upper == "SCROLLBAR") return ControlClass::ScrollBar;
    if (upper == "TOOLBARWINDOW32") return ControlClass::Toolbar;
    return ControlClass::Other;
}

// The list or combo box with that id, and which of the two it is.
struct ItemList {
    HWND control = nullptr;
    bool combo = false;
};

ItemList ItemListOf(const DialogDefinition& dialog, int id) {
    HWND control = ControlOf(dialog, id);
    if (control == nullptr) return {};
    switch (ClassOf(control)) {
        case ControlClass::ListBox: return {control, false};
        case ControlClass::ComboBox: return {control, true};
        default: return {};
    }
}

LRESULT Send(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageA(control, message, wparam, lparam);
}

// Where a scroll operation acts: a control (SB_CTL) or the window's own bars.
struct ScrollTarget {
    HWND window = nullptr;
    int bar = SB_CTL;
};

ScrollTarget ScrollTargetOf(const DialogDefinition& dialog, int id) {
    if (dialog.window == nullptr) return {};
    if (id == -1) return {dialog.window, SB_HORZ};
    if (id < 0) return {dialog.window, SB_VERT};
    HWND control = GetDlgItem(dialog.window, id);
    if (control == nullptr || ClassOf(control) != ControlClass::ScrollBar) return {};
    return {control, SB_CTL};
}

Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

Rect WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return ToRect(area);
}

}  // namespace

// A list box goes through its ListBoxView; a combo box's own messages are
// sent here.
void AddItem(DialogDefinition& dialog, int id, const std::string& text) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return;
    if (!list.combo) return ListBoxView(list.control).Add(text);
    Send(list.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void InsertItem(DialogDefinition& dialog, int id, int index, const std::string& text) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return;
    if (!list.combo) return ListBoxView(list.control).Insert(index, text);
    Send(list.control, CB_INSERTSTRING, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(text.c_str()));
}

void DeleteItem(DialogDefinition& dialog, int id, int index) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return;
    if (!list.combo) return ListBoxView(list.control).Delete(index);
    Send(list.control, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

std::string GetItemText(const DialogDefinition& dialog, int id, int index) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return {};
    if (!list.combo) return ListBoxView(list.control).Text(index);
    const auto item = static_cast<WPARAM>(index);
    const LRESULT length = Send(list.control, CB_GETLBTEXTLEN, item, 0);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        Send(list.control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buffer.data()));
    if (copied <= 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(std::min(copied, length)));
}

int GetItemCount(const DialogDefinition& dialog, int id) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return -1;
    if (!list.combo) return ListBoxView(list.control).Count();
    return static_cast<int>(Send(list.control, CB_GETCOUNT, 0, 0));
}

int GetSelection(const DialogDefinition& dialog, int id) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return -1;
    if (!list.combo) return ListBoxView(list.control).Selection();
    return static_cast<int>(Send(list.control, CB_GETCURSEL, 0, 0));
}

void SetSelection(DialogDefinition& dialog, int id, int index) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return;
    if (!list.combo) return ListBoxView(list.control).Select(index);
    Send(list.control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int IsItemSelected(const DialogDefinition& dialog, int id, int index) {
    const ItemList list = ItemListOf(dialog, id);
    if (list.control == nullptr) return 0;
    if (list.combo) return Send(list.control, CB_GETCURSEL, 0, 0) == index ? 1 : 0;
    return ListBoxView(list.control).IsSelected(index) ? 1 : 0;
}

int GetCheck(const DialogDefinition& dialog, int id) {
    HWND control = ControlOf(dialog, id);
    if (control == nullptr || ClassOf(control) != ControlClass::Button) return -1;
    return static_cast<int>(Send(control, BM_GETCHECK, 0, 0));
}

void SetCheck(DialogDefinition& dialog, int id, int state) {
    HWND control = ControlOf(dialog, id);
    if (control == nullptr || ClassOf(control) != ControlClass::Button) return;
    Send(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

std::string GetControlText(const DialogDefinition& dialog, int id) {
    HWND control = ControlOf(dialog, id);
    if (control == nullptr) return {};
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(std::max(copied, 0)));
}

void SetControlText(DialogDefinition& dialog, int id, const std::string& text) {
    if (HWND control = ControlOf(dialog, id)) SetWindowTextA(control, text.c_str());
}

void SetWindowCaption(DialogDefinition& dialog, const std::string& text) {
    if (dialog.window != nullptr) SetWindowTextA(dialog.window, text.c_str());
}

void SetTextLimit(DialogDefinition& dialog, int id, std::size_t limit) {
    HWND edit = dialog.window != nullptr ? GetDlgItem(dialog.window, id) : nullptr;
    if (edit != nullptr) SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void SetScrollRange(DialogDefinition& dialog, int id, int minimum, int maximum) {
    const ScrollTarget target = ScrollTargetOf(dialog, id);
    if (target.window != nullptr)
        ::SetScrollRange(target.window, target.bar, minimum, maximum, TRUE);
}

void SetScrollPosition(DialogDefinition& dialog, int id, int position) {
    const ScrollTarget target = ScrollTargetOf(dialog, id);
    if (target.window != nullptr) SetScrollPos(target.window, target.bar, position, TRUE);
}

int GetScrollPosition(const DialogDefinition& dialog, int id) {
    const ScrollTarget target = ScrollTargetOf(dialog, id);
    return target.window != nullptr ? GetScrollPos(target.window, target.bar) : 0;
}

int GetScrollTrackPosition(const DialogDefinition& dialog, int id) {
    const ScrollTarget target = ScrollTargetOf(dialog, id);
    if (target.window == nullptr) return 0;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    return GetScrollInfo(target.window, target.bar, &info) ? info.nTrackPos : 0;
}

void EnableControl(DialogDefinition& dialog, int id, bool enable) {
    if (HWND control = ControlOf(dialog, id)) EnableWindow(control, enable ? TRUE : FALSE);
}

namespace {
HWND WindowOrControl(const DialogDefinition& dialog, int id) {
    if (dialog.window == nullptr) return nullptr;
    return id == 0 ? dialog.window : GetDlgItem(dialog.window, id);
}
}  // namespace

void ShowControl(DialogDefinition& dialog, int show_command, int id) {
    if (HWND target = WindowOrControl(dialog, id)) ShowWindow(target, show_command);
}

void ShowWithoutActivating(DialogDefinition& dialog) {
    if (dialog.window == nullptr) return;
    HWND front = GetForegroundWindow();
    ShowWindow(dialog.window, SW_SHOWNOACTIVATE);
    // In and out of the topmost band lifts it above the others and leaves
    // it an ordinary window.
    const auto lift = [&dialog] {
        constexpr UINT kFlags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
        SetWindowPos(dialog.window, HWND_TOPMOST, 0, 0, 0, 0, kFlags);
        SetWindowPos(dialog.window, HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    };
    lift();
    // Some systems move the activation when a window comes back from its
    // minimised state, whatever the flags say: the window that was in front
    // gets the keyboard back, and this one is lifted above it again.
    if (front != nullptr && front != dialog.window && GetForegroundWindow() != front &&
        IsWindow(front)) {
        SetForegroundWindow(front);
        lift();
    }
}

bool AnotherWindowInFront(const DialogDefinition& dialog) {
    HWND front = GetForegroundWindow();
    if (front == nullptr || dialog.window == nullptr) return false;
    // The program's own windows, its dialogs and message boxes with or
    // without an owner, all run on the window's thread.
    return GetWindowThreadProcessId(front, nullptr) !=
           GetWindowThreadProcessId(dialog.window, nullptr);
}

void FlashUntilInFront(DialogDefinition& dialog) {
    if (dialog.window == nullptr) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof(flash);
    flash.hwnd = dialog.window;
    flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
    if (Seams().flash_recorder) Seams().flash_recorder(flash.hwnd, flash.dwFlags);
    FlashWindowEx(&flash);
}

void MoveControl(DialogDefinition& dialog, int x, int y, int width, int height, int id) {
    HWND target = WindowOrControl(dialog, id);
    if (target == nullptr) return;
    if (id == 0) {
        ShowWindow(target, SW_SHOWNORMAL);
        MoveWindow(target, x, y, width, height, TRUE);
        return;
    }
    const auto scaled = [&dialog](int pixels) { return ScaleForDialog(dialog, pixels); };
    MoveWindow(target, scaled(x), scaled(y), scaled(width), scaled(height), TRUE);
}

void GetControlRect(const DialogDefinition& dialog, int& x, int& y, int& width, int& height,
                    int id) {
    x = y = width = height = 0;
    HWND target = WindowOrControl(dialog, id);
    RECT r{};
    if (target == nullptr || !GetWindowRect(target, &r)) return;
    x = r.left;
    y = r.top;
    width = r.right - r.left;
    height = r.bottom - r.top;
}

void CentreWindowHandle(HWND window) {
    if (window == nullptr) return;
    RECT own{};
    GetWindowRect(window, &own);
    Rect area;
    Rect bounds;
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) {
        RECT client{};
        GetClientRect(GetParent(window), &client);
        area = bounds = ToRect(client);
    } else {
        bounds = area = WorkArea();
        HWND owner = GetWindow(window, GW_OWNER);
        const LONG owner_style = owner != nullptr ? GetWindowLongA(owner, GWL_STYLE) : 0;
        if (owner != nullptr && (owner_style & WS_VISIBLE) != 0 &&
            (owner_style & WS_MINIMIZE) == 0) {
            RECT owner_rect{};
            GetWindowRect(owner, &owner_rect);
            area = ToRect(owner_rect);
        }
    }
    const Point at = CentreOver(area, own.right - own.left, own.bottom - own.top, bounds);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool AddControlTips(DialogDefinition& dialog, std::span<const ControlTip> tips) {
    if (dialog.window == nullptr) return false;
    InitCommonControlsFromSystem();
    // Owned by the window: it goes with it.
    HWND tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog.window,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tooltips == nullptr) return false;
    for (const ControlTip& tip : tips) {
        HWND control = GetDlgItem(dialog.window, tip.id);
        if (control == nullptr) continue;
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        // The tooltip watches the control's mouse messages itself.
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog.window;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        std::string text = tip.text;
        tool.lpszText = text.data();
        SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void CentreWindow(DialogDefinition& dialog) {
    CentreWindowHandle(dialog.window);
}

HMENU NewMenu(bool popup) {
    return popup ? CreatePopupMenu() : CreateMenu();
}

void AppendMenuItem(HMENU menu, const std::string& text, UINT flags, UINT_PTR item_id) {
    if (menu == nullptr) return;
    AppendMenuA(menu, flags, item_id, (flags & MF_SEPARATOR) != 0 ? nullptr : text.c_str());
}

void ShowPopupMenu(DialogDefinition& dialog, HMENU menu, int x, int y) {
    if (menu == nullptr || dialog.window == nullptr) return;  // not shown: still the caller's
    const ScopedMenu owned(menu);
    POINT at{x, y};
    ClientToScreen(dialog.window, &at);
    TrackPopupMenuEx(owned.get(), TPM_RIGHTBUTTON, at.x, at.y, dialog.window, nullptr);
}

namespace {

bool AsInteger(const CommandArgument& argument, int& value) {
    if (const int* direct = std::get_if<int>(&argument)) {
        value = *direct;
        return true;
    }
    if (const auto* reference = std::get_if<const int*>(&argument); reference && *reference) {
        value = **reference;
        return true;
    }
    return false;
}

// A size of the 96-DPI layout, at the window's DPI.
LPARAM PackSize(const DialogDefinition& dialog, int width, int height) {
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(ScaleForDialog(dialog, width)),
                                        static_cast<WORD>(ScaleForDialog(dialog, height))));
}

}  // namespace

int ControlCommand(DialogDefinition& dialog, int id, int command, CommandArgument first,
                   CommandArgument second, CommandArgument /*third*/) {
    HWND toolbar = ControlOf(dialog, id);
    if (toolbar == nullptr || ClassOf(toolbar) != ControlClass::Toolbar) return 0;
    int width = 0;
    int height = 0;
    switch (command) {
        case ToolbarAutoSizeCommand:
            Send(toolbar, TB_AUTOSIZE, 0, 0);
            if ((GetWindowLongA(toolbar, GWL_STYLE) & CCS_BOTTOM) == CCS_BOTTOM) {
                InvalidateRect(toolbar, nullptr, TRUE);
                UpdateWindow(toolbar);
            }
            break;
        case ToolbarBitmapSizeCommand:
            if (AsInteger(first, width) && AsInteger(second, height)) {
                Send(toolbar, TB_SETBITMAPSIZE, 0, PackSize(dialog, width, height));
            }
            break;
        case ToolbarButtonSizeCommand:
            if (AsInteger(first, width) && AsInteger(second, height)) {
                Send(toolbar, TB_SETBUTTONSIZE, 0, PackSize(dialog, width, height));
            }
            break;
        case ToolbarLabelsCommand:
            if (const auto* labels = std::get_if<std::string>(&first)) {
                const std::string list = BarListToZeroList(*labels, labels->size());
                Send(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(list.c_str()));
                Send(toolbar, TB_AUTOSIZE, 0, 0);
            }
            break;
        case ToolbarTooltipCommand: {
            int command_id = 0;
            const auto* tip = std::get_if<std::string>(&second);
            if (!AsInteger(first, command_id) || tip == nullptr) break;
            HWND tooltips = reinterpret_cast<HWND>(Send(toolbar, TB_GETTOOLTIPS, 0, 0));
            if (tooltips == nullptr) break;
            TOOLINFOA tool{};
            tool.cbSize = TTTOOLINFOA_V1_SIZE;
            tool.hwnd = toolbar;
            tool.uId = static_cast<UINT_PTR>(command_id);
            std::string text = *tip;
            tool.lpszText = text.data();
            Send(tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
            break;
        }
        default: break;
    }
    return 0;
}

}  // namespace vemo
