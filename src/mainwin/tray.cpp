#include "mainwin/tray.h"

#include <cstring>

#include "app/state.h"
#include "app/task_list.h"
#include "mainwin/ids.h"
#include "mainwin/main_window.h"
#include "runtime/controls.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

constexpr UINT kTrayIconId = 1;
constexpr char kTrayTip[] = "Double click to restore Ai Vemo ";

NOTIFYICONDATAA IconRecord() {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = MainWindow().window;
    data.uID = kTrayIconId;
    return data;
}

void AddTrayIcon() {
    if (MainWindow().window == nullptr) return;
    NOTIFYICONDATAA data = IconRecord();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    // Without "vemo.ico" the standard icon stands in, so the window can
    // always be found again.
    data.hIcon = Program().AppIcon ? Program().AppIcon.get() : LoadIconA(nullptr, IDI_APPLICATION);
    std::strncpy(data.szTip, kTrayTip, sizeof(data.szTip) - 1);
    Tray().IconShown = Shell_NotifyIconA(NIM_ADD, &data) != 0;
}

void ShowTrayMenu() {
    DialogDefinition& window = MainWindow();
    HMENU menu = NewMenu(true);
    AppendMenuItem(menu, kProgramTitle, MF_STRING, ids::TrayTitleItem);
    AppendMenuItem(menu, "", MF_SEPARATOR, 0);
    AppendMenuItem(menu, "Restore", MF_STRING, ids::TrayRestoreItem);
    AppendMenuItem(menu, "Exit", MF_STRING, ids::TrayExitItem);
    AppendMenuItem(menu, "", MF_STRING, ids::TrayTitleItem);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(window.window, &at);
    // The platform closes a tray menu only when its owner is in front.
    SetForegroundWindow(window.window);
    ShowPopupMenu(window, menu, at.x, at.y);
}

}  // namespace

TrayState& Tray() {
    static TrayState state;
    return state;
}

void StartInTray() {
    Tray().InTray = true;
    if (!Tray().IconShown) AddTrayIcon();
    // Before the shell has a tray (a start at logon) the window stays hidden
    // and the icon comes when the shell announces its taskbar. A tray that
    // is there and refused the icon gets a minimised window instead, so
    // there is always a way back.
    if (!Tray().IconShown && FindWindowA("Shell_TrayWnd", nullptr) != nullptr) {
        ShowControl(MainWindow(), SW_SHOWMINNOACTIVE, 0);
    }
}

void GoToTray() {
    SaveData();
    Tray().InTray = true;
    if (!Tray().IconShown) AddTrayIcon();
    // Hidden only behind an icon: with none (no shell yet, the shell refused
    // it) a hidden window could come back only through an alarm.
    ShowControl(MainWindow(), Tray().IconShown ? SW_HIDE : SW_MINIMIZE, 0);
}

void ApplyTrayState() {
    DialogDefinition& window = MainWindow();
    if (Tray().InTray) {
        if (!Tray().IconShown) AddTrayIcon();
        ShowControl(window, SW_HIDE, 0);
    } else {
        ShowControl(window, SW_RESTORE, 0);
        RemoveTrayIcon();
    }
}

void ShowFromTrayForAlarm() {
    Tray().InTray = false;
    ShowWithoutActivating(MainWindow());
    RemoveTrayIcon();
}

void RemoveTrayIcon() {
    if (!Tray().IconShown) return;
    NOTIFYICONDATAA data = IconRecord();
    Shell_NotifyIconA(NIM_DELETE, &data);
    Tray().IconShown = false;
}

void OnTrayMessage(LPARAM lparam) {
    switch (LOWORD(lparam)) {
        case WM_LBUTTONDBLCLK:
            Program().ExitSaveFailed = false;  // back to work: Exit must save again
            Tray().InTray = false;
            ApplyTrayState();
            break;
        case WM_RBUTTONUP:
            if (Tray().InTray) ShowTrayMenu();
            break;
        default: break;
    }
}

void OnTrayMenuCommand(int item) {
    switch (item) {
        case ids::TrayRestoreItem:
            Program().ExitSaveFailed = false;  // back to work: Exit must save again
            Tray().InTray = false;
            ApplyTrayState();
            break;
        case ids::TrayExitItem:
            if (!SaveBeforeLeaving(Leaving::EndProgram)) break;
            RemoveTrayIcon();
            Program().RunFlag = false;
            break;
        default: break;  // the title and the empty item do nothing
    }
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void OnTaskbarCreated() {
    // The new shell knows no icons. Ours goes back whenever the window hides
    // behind it, whether or not the first add succeeded.
    const bool hidden = MainWindow().window != nullptr && !IsWindowVisible(MainWindow().window);
    if (!Tray().IconShown && !(Tray().InTray && hidden)) return;
    Tray().IconShown = false;
    AddTrayIcon();
}

void OnBringForward() {
    Program().ExitSaveFailed = false;
    Tray().InTray = false;
    ApplyTrayState();
    SetForegroundWindow(MainWindow().window);
}

}  // namespace vemo
