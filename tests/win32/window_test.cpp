#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/colours.h"
#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/events.h"
#include "runtime/shell.h"
#include "win32/test_window.h"

namespace vemo {
namespace {

using namespace testing;

// A thread timer that picks the first item of the open popup menu, which runs
// its own message loop.
void CALLBACK PickFirstMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND menu = FindWindowA("#32768", nullptr)) {
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
}

class WindowTest : public ::testing::Test {
  protected:
    DialogDefinition dialog;

    void SetUp() override {
        Recorded() = {};
        DefineTestWindow(dialog);
        ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
        ASSERT_NE(dialog.window, nullptr);
    }
    void TearDown() override {
        Recorded().on_event = nullptr;
        CloseDialog(dialog, 0);
        WaitForEvents(1);
    }

    HWND Control(int id) const { return GetDlgItem(dialog.window, id); }
    std::uint32_t Style(int id) const {
        return static_cast<std::uint32_t>(GetWindowLongA(Control(id), GWL_STYLE));
    }
    std::uint32_t ExStyle(int id) const {
        return static_cast<std::uint32_t>(GetWindowLongA(Control(id), GWL_EXSTYLE));
    }
    std::vector<EventRecord> EventsWithCode(int code) const {
        std::vector<EventRecord> found;
        for (const EventRecord& e : Recorded().seen) {
            if (e.code == code) found.push_back(e);
        }
        return found;
    }
    // Sends a mouse click to the middle of a list box's first item.
    void ClickFirstItem(int id, UINT down, UINT up) {
        RECT item{};
        SendMessageA(Control(id), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(Control(id), down, MK_LBUTTON, at);
        SendMessageA(Control(id), up, 0, at);
    }
};

TEST_F(WindowTest, WindowHasTheRuntimeClassCaptionAndStyle) {
    char name[64] = {};
    GetClassNameA(dialog.window, name, sizeof(name));
    EXPECT_STREQ(name, "OstrelDlgClass");
    GetWindowTextA(dialog.window, name, sizeof(name));
    EXPECT_STREQ(name, "Runtime test window");
    const auto style = static_cast<std::uint32_t>(GetWindowLongA(dialog.window, GWL_STYLE));
    EXPECT_EQ(style & 0x80000000u, 0x80000000u);  // popup
    EXPECT_EQ(style & 0x00C00000u, 0x00C00000u);  // caption
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    ASSERT_FALSE(Recorded().seen.empty());
    EXPECT_EQ(Recorded().seen[0].code, WM_INITDIALOG);  // the first event a handler sees
    EXPECT_EQ(Recorded().seen[0].window, &dialog);
}

TEST_F(WindowTest, ControlsGetTheStylesOfTheirKinds) {
    EXPECT_EQ(Style(kAddButton), 0x5001000Bu);
    EXPECT_EQ(Style(kPlainButton) & 0xFu, 0u);  // a plain button is never owner-drawn
    // The list box is created with every bit it was defined with; the platform
    // itself then drops the scroll bars it does not need and the plain border.
    const ControlDefinition& list = dialog.layout->controls[6];
    ASSERT_EQ(list.id, kNotifyList);
    EXPECT_EQ(list.style, 0x50B10141u);
    EXPECT_EQ(list.ex_style, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(Style(kNotifyList) & 0x50010141u, 0x50010141u);
    EXPECT_EQ(ExStyle(kNotifyList) & WS_EX_CLIENTEDGE, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(Style(kPlainList) & LBS_NOTIFY, 0u);
    EXPECT_EQ(dialog.layout->controls[4].style & WS_BORDER, static_cast<DWORD>(WS_BORDER));
    EXPECT_EQ(ExStyle(kEntry) & WS_EX_CLIENTEDGE, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(Style(kCheck) & 0xFu, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_FALSE(IsWindowVisible(Control(kHiddenEdit)));
    EXPECT_EQ(Style(kHiddenEdit) & 0x80000u, 0u);
    char text[32] = {};
    GetWindowTextA(Control(kAddButton), text, sizeof(text));
    EXPECT_STREQ(text, "Add");  // the duplicate id was ignored
    EXPECT_EQ(dialog.layout->controls.size(), 11u);
    EXPECT_EQ(SendMessageA(dialog.window, DM_GETDEFID, 0, 0), MAKELRESULT(kOkButton, DC_HASDEFID));
}

TEST_F(WindowTest, PositionsRoundTripThroughDialogUnits) {
    for (const ControlDefinition& control : dialog.layout->controls) {
        RECT units{control.rect.x, control.rect.y, control.rect.x + control.rect.cx,
                   control.rect.y + control.rect.cy};
        MapDialogRect(dialog.window, &units);
        RECT actual{};
        GetWindowRect(Control(control.id), &actual);
        MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_NEAR(actual.left, units.left, 1) << control.id;
        EXPECT_NEAR(actual.top, units.top, 1) << control.id;
        EXPECT_NEAR(actual.right, units.right, 1) << control.id;
    }
    // The add button was defined at x 10, y 10, 80 x 24 pixels.
    const FontCell cell = dialog.layout->cell;
    const DialogUnits expected = ToDialogUnits(10, 10, 80, 24, cell);
    const DialogUnits stored = dialog.layout->controls[0].rect;
    EXPECT_EQ(stored.x, expected.x);
    EXPECT_EQ(stored.cx, expected.cx);
    EXPECT_EQ(stored.cy, expected.cy);
    // Measured with the template's own font, the button lands where it was put.
    RECT add{};
    GetWindowRect(Control(kAddButton), &add);
    MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&add), 2);
    EXPECT_NEAR(add.left, 10, 2);
    EXPECT_NEAR(add.right - add.left, 80, 3);
    EXPECT_NEAR(add.bottom - add.top, 24, 3);
}

TEST_F(WindowTest, ButtonClickGivesAControlEvent) {
    SendMessageA(Control(kAddButton), BM_CLICK, 0, 0);
    const auto events = EventsWithCode(EVENT_CONTROL);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].control_id, kAddButton);
    EXPECT_EQ(events[0].notify_code, 0);
    EXPECT_EQ(events[0].window, &dialog);
}

TEST_F(WindowTest, ListBoxSelectionAndDoubleClick) {
    AddItem(dialog, kNotifyList, "first");
    AddItem(dialog, kNotifyList, "second");
    AddItem(dialog, kPlainList, "first");
    ClickFirstItem(kNotifyList, WM_LBUTTONDOWN, WM_LBUTTONUP);
    ClickFirstItem(kNotifyList, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
    ClickFirstItem(kPlainList, WM_LBUTTONDOWN, WM_LBUTTONUP);
    std::vector<int> codes;
    for (const EventRecord& e : EventsWithCode(EVENT_CONTROL)) {
        if (e.control_id == kNotifyList) codes.push_back(e.notify_code);
        if (e.control_id == kPlainList) {  // no LBS_NOTIFY: no selection notifications
            EXPECT_NE(e.notify_code, LBN_SELCHANGE);
            EXPECT_NE(e.notify_code, LBN_DBLCLK);
        }
    }
    EXPECT_NE(std::find(codes.begin(), codes.end(), LBN_SELCHANGE), codes.end());
    EXPECT_NE(std::find(codes.begin(), codes.end(), LBN_DBLCLK), codes.end());
    // Selecting from code raises nothing.
    Recorded().seen.clear();
    SetSelection(dialog, kNotifyList, 1);
    EXPECT_TRUE(EventsWithCode(EVENT_CONTROL).empty());
}

TEST_F(WindowTest, ScrollAndMouseMessagesFillTheirVariables) {
    SendMessageA(dialog.window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40),
                 reinterpret_cast<LPARAM>(Control(kScrollBar)));
    SendMessageA(dialog.window, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    SendMessageA(dialog.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0x0203, 0));
    const auto vertical = EventsWithCode(WM_VSCROLL);
    ASSERT_EQ(vertical.size(), 1u);
    EXPECT_EQ(vertical[0].control_id, kScrollBar);
    EXPECT_EQ(vertical[0].wparam, 5u);
    EXPECT_EQ(vertical[0].lparam, 40);
    const auto horizontal = EventsWithCode(WM_HSCROLL);
    ASSERT_EQ(horizontal.size(), 1u);
    EXPECT_EQ(horizontal[0].control_id, 0);  // the window's own bar
    EXPECT_EQ(horizontal[0].wparam, static_cast<WPARAM>(SB_LINEDOWN));
    const auto mouse = EventsWithCode(WM_MOUSEMOVE);
    ASSERT_FALSE(mouse.empty());
    EXPECT_EQ(mouse.back().mouse_x, 515);
    EXPECT_EQ(mouse.back().mouse_y, 0);
    EXPECT_EQ(mouse.back().lparam, MK_LBUTTON);
}

TEST_F(WindowTest, SizingRaisesTheSizedEventFirst) {
    SendMessageA(dialog.window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    const auto& seen = Recorded().seen;
    auto sized = std::find_if(seen.begin(), seen.end(),
                              [](const EventRecord& e) { return e.code == EVENT_SIZED; });
    ASSERT_NE(sized, seen.end());
    EXPECT_EQ(sized->lparam, reinterpret_cast<LPARAM>(dialog.window));
    ASSERT_NE(sized + 1, seen.end());
    EXPECT_EQ((sized + 1)->code, WM_SIZE);
    EXPECT_EQ((sized + 1)->lparam, MAKELPARAM(300, 200));
}

TEST_F(WindowTest, CloseBoxRaisesOnlyTheCloseEvent) {
    SendMessageA(dialog.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitForEvents(1);
    EXPECT_EQ(EventsWithCode(EVENT_CLOSE).size(), 1u);
    EXPECT_TRUE(EventsWithCode(EVENT_CONTROL).empty());
    EXPECT_TRUE(EventsWithCode(EVENT_MENU).empty());
    EXPECT_TRUE(IsWindow(dialog.window));
    EXPECT_NE(dialog.window, nullptr);
}

TEST_F(WindowTest, HandlerClosingItsWindowGetsItsVariablesBack) {
    int control_after = -1;
    int notify_after = -1;
    bool destroy_seen_inside = false;
    bool closed = false;
    Recorded().on_event = [&] {
        const EventRecord now = Event();
        if (!closed && now.code == EVENT_CONTROL && now.control_id == kPlainButton) {
            closed = true;
            CloseDialog(dialog, 0);
            destroy_seen_inside = !EventsWithCode(WM_DESTROY).empty();
            control_after = Event().control_id;
            notify_after = Event().notify_code;
        }
    };
    SendMessageA(Control(kPlainButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(destroy_seen_inside);
    EXPECT_EQ(control_after, kPlainButton);
    EXPECT_EQ(notify_after, 0);
    EXPECT_EQ(dialog.window, nullptr);
    // Outside any handler the record is back at rest.
    EXPECT_EQ(Event().code, 0);
    EXPECT_EQ(Event().window, nullptr);
}

TEST_F(WindowTest, PopupMenuCommandGivesAMenuEventAndIsConsumed) {
    Event().control_id = 0;
    SetTimer(nullptr, 0, 100, PickFirstMenuItem);
    HMENU menu = NewMenu(true);
    AppendMenuItem(menu, "Restore", MF_STRING, 308);
    AppendMenuItem(menu, "", MF_SEPARATOR, 0);
    AppendMenuItem(menu, "Exit", MF_STRING, 309);
    SetForegroundWindow(dialog.window);
    ShowPopupMenu(dialog, menu, 20, 20);
    EXPECT_FALSE(IsMenu(menu));
    for (int i = 0; i < 50 && EventsWithCode(EVENT_MENU).empty(); ++i) {
        WaitForEvents(1);
        Sleep(10);
    }
    const auto menus = EventsWithCode(EVENT_MENU);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].menu_id, 308);
    EXPECT_EQ(menus[0].control_id, 0);
    EXPECT_EQ(Event().menu_id, 308);       // the menu id alone is kept after the event
    ShowPopupMenu(dialog, nullptr, 0, 0);  // nothing to show
}

TEST_F(WindowTest, WaitForEventsDrainsTheQueueAfterTheRunFlagClears) {
    int run_flag = 1;
    int handled = 0;
    Recorded().on_event = [&] {
        if (Event().code == WM_APP + 1) {
            ++handled;
            run_flag = 0;
        }
    };
    for (int i = 0; i < 3; ++i) PostMessageA(dialog.window, WM_APP + 1, 0, 0);
    do {
        WaitForEvents(0);
    } while (run_flag != 0);
    EXPECT_EQ(handled, 3);
    MSG left{};
    EXPECT_FALSE(PeekMessageA(&left, dialog.window, WM_APP + 1, WM_APP + 1, PM_NOREMOVE));
}

TEST_F(WindowTest, TimerEventsCarryTheirId) {
    StartTimer(dialog, 20, 1);
    for (int i = 0; i < 200 && EventsWithCode(WM_TIMER).empty(); ++i) WaitForEvents(0);
    StopTimer(dialog, 1);
    const auto timers = EventsWithCode(WM_TIMER);
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(timers[0].wparam, 1u);
}

TEST_F(WindowTest, ReopenedWindowShowsTheDefinedCaptions) {
    SetControlText(dialog, kEntry, "changed");
    SetCheck(dialog, kCheck, 1);
    CloseDialog(dialog, 0);
    EXPECT_EQ(dialog.window, nullptr);
    CloseDialog(dialog, 0);  // closing a closed window does nothing
    ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
    EXPECT_EQ(GetControlText(dialog, kEntry), "entry");
    EXPECT_EQ(GetCheck(dialog, kCheck), 0);
}

TEST_F(WindowTest, ListAndComboOperations) {
    for (const char* item : {"a", "b", "c"}) AddItem(dialog, kNotifyList, item);
    InsertItem(dialog, kNotifyList, 1, "inserted");
    EXPECT_EQ(GetItemCount(dialog, kNotifyList), 4);
    EXPECT_EQ(GetItemText(dialog, kNotifyList, 1), "inserted");
    DeleteItem(dialog, kNotifyList, 0);
    EXPECT_EQ(GetItemText(dialog, kNotifyList, 0), "inserted");
    EXPECT_EQ(GetItemText(dialog, kNotifyList, 9), "");
    EXPECT_EQ(GetSelection(dialog, kNotifyList), -1);
    SetSelection(dialog, kNotifyList, 2);
    EXPECT_EQ(GetSelection(dialog, kNotifyList), 2);
    EXPECT_NE(IsItemSelected(dialog, kNotifyList, 2), 0);
    EXPECT_EQ(IsItemSelected(dialog, kNotifyList, 1), 0);
    EXPECT_EQ(IsItemSelected(dialog, kNotifyList, 99), 0);
    SetSelection(dialog, kNotifyList, -1);
    EXPECT_EQ(GetSelection(dialog, kNotifyList), -1);

    AddItem(dialog, kCombo, "one");
    AddItem(dialog, kCombo, "two");
    SetSelection(dialog, kCombo, 1);
    EXPECT_EQ(GetItemCount(dialog, kCombo), 2);
    EXPECT_EQ(GetItemText(dialog, kCombo, 1), "two");
    EXPECT_EQ(IsItemSelected(dialog, kCombo, 1), 1);
    EXPECT_EQ(IsItemSelected(dialog, kCombo, 0), 0);
}

TEST_F(WindowTest, OperationsOnTheWrongClassGiveTheirFallbacks) {
    AddItem(dialog, kEntry, "not a list");
    EXPECT_EQ(GetControlText(dialog, kEntry), "entry");
    EXPECT_EQ(GetSelection(dialog, kEntry), -1);
    EXPECT_EQ(GetItemCount(dialog, kEntry), -1);
    EXPECT_EQ(GetItemText(dialog, kLabel, 0), "");
    EXPECT_EQ(GetCheck(dialog, kLabel), -1);
    EXPECT_EQ(GetCheck(dialog, kCheck), 0);
    SetCheck(dialog, kCheck, 1);
    EXPECT_EQ(GetCheck(dialog, kCheck), 1);
    SetCheck(dialog, kLabel, 1);
    EXPECT_EQ(GetScrollPosition(dialog, kEntry), 0);
    EXPECT_EQ(IsItemSelected(dialog, kLabel, 0), 0);
}

TEST_F(WindowTest, OperationsOnAMissingControlOrClosedWindowGiveTheirFallbacks) {
    const int missing = 999;
    EXPECT_EQ(GetItemCount(dialog, missing), -1);
    EXPECT_EQ(GetControlText(dialog, missing), "");
    EXPECT_EQ(GetCheck(dialog, missing), -1);
    DialogDefinition closed;
    DefineTestWindow(closed);
    AddItem(closed, kNotifyList, "x");
    SetControlText(closed, kEntry, "x");
    SetWindowCaption(closed, "x");
    EXPECT_EQ(GetItemCount(closed, kNotifyList), -1);
    EXPECT_EQ(GetSelection(closed, kNotifyList), -1);
    EXPECT_EQ(GetItemText(closed, kNotifyList, 0), "");
    EXPECT_EQ(IsItemSelected(closed, kNotifyList, 0), 0);
    EXPECT_EQ(GetCheck(closed, kCheck), -1);
    EXPECT_EQ(GetControlText(closed, kEntry), "");
    EXPECT_EQ(GetScrollPosition(closed, kScrollBar), 0);
    EXPECT_EQ(GetScrollTrackPosition(closed, -1), 0);
    int x = 1, y = 1, w = 1, h = 1;
    GetControlRect(closed, x, y, w, h, 0);
    EXPECT_EQ(x + y + w + h, 0);
    EXPECT_EQ(ControlCommand(closed, kToolbar, 4, std::string("a|b")), 0);
    HMENU menu = NewMenu(true);
    ShowPopupMenu(closed, menu, 0, 0);
    EXPECT_TRUE(IsMenu(menu));  // nothing shown, so nothing consumed
    DestroyMenu(menu);
    CentreWindow(closed);
    StartTimer(closed, 10, 1);
    ReleaseDialogs();
    EXPECT_EQ(closed.layout, nullptr);
    EXPECT_EQ(dialog.layout, nullptr);
    DefineTestWindow(dialog);  // TearDown closes what is still open
}

TEST_F(WindowTest, ScrollBarsByControlAndByWindow) {
    SetScrollRange(dialog, kScrollBar, 0, 100);
    SetScrollPosition(dialog, kScrollBar, 40);
    EXPECT_EQ(GetScrollPosition(dialog, kScrollBar), 40);
    SetScrollRange(dialog, -1, 0, 50);
    SetScrollPosition(dialog, -1, 7);
    SetScrollRange(dialog, -2, 0, 50);
    SetScrollPosition(dialog, -2, 9);
    EXPECT_EQ(GetScrollPos(dialog.window, SB_HORZ), 7);
    EXPECT_EQ(GetScrollPos(dialog.window, SB_VERT), 9);
    EXPECT_EQ(GetScrollPosition(dialog, -1), 7);
    EXPECT_EQ(GetScrollPosition(dialog, -5), 9);
}

TEST_F(WindowTest, TextsCaptionsEnableShowAndMove) {
    SetControlText(dialog, kEntry, "Buy milk");
    EXPECT_EQ(GetControlText(dialog, kEntry), "Buy milk");
    SetWindowCaption(dialog, "Vemo V009u - Database: vemo");
    char caption[64] = {};
    GetWindowTextA(dialog.window, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Vemo V009u - Database: vemo");
    EnableControl(dialog, kAddButton, false);
    EXPECT_FALSE(IsWindowEnabled(Control(kAddButton)));
    ShowControl(dialog, SW_SHOW, kHiddenEdit);
    EXPECT_TRUE(IsWindowVisible(Control(kHiddenEdit)));
    MoveControl(dialog, 5, 6, 70, 20, kLabel);
    int x = 0, y = 0, w = 0, h = 0;
    GetControlRect(dialog, x, y, w, h, kLabel);
    POINT origin{0, 0};
    ClientToScreen(dialog.window, &origin);
    EXPECT_EQ(x - origin.x, 5);
    EXPECT_EQ(y - origin.y, 6);
    EXPECT_EQ(w, 70);
    EXPECT_EQ(h, 20);
    MoveControl(dialog, 30, 40, 600, 320, 0);
    GetControlRect(dialog, x, y, w, h, 0);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(w, 600);
}

TEST_F(WindowTest, CentreWindowKeepsAWideWindowInsideTheWorkArea) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(dialog.window, 0, 0, (work.right - work.left) + 200, 100, TRUE);
    CentreWindow(dialog);
    RECT r{};
    GetWindowRect(dialog.window, &r);
    EXPECT_EQ(r.left, work.left);
    MoveWindow(dialog.window, 0, 0, 200, 100, TRUE);
    CentreWindow(dialog);
    GetWindowRect(dialog.window, &r);
    EXPECT_EQ(r.left, (work.left + work.right) / 2 - 100);
    EXPECT_EQ(r.top, (work.top + work.bottom) / 2 - 50);
}

TEST_F(WindowTest, ToolbarButtonsLabelsTooltipsAndSizes) {
    const int commands[] = {16, 0, 5};
    ASSERT_EQ(CreateToolbar(dialog, std::string(), kToolbar, commands,
                            CCS_VERT | CCS_NORESIZE | TBSTYLE_TOOLTIPS),
              1);
    HWND toolbar = Control(kToolbar);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
    TBBUTTON button{};
    SendMessageA(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.idCommand, 16);
    EXPECT_EQ(button.fsState & (TBSTATE_ENABLED | TBSTATE_WRAP), TBSTATE_ENABLED | TBSTATE_WRAP);
    SendMessageA(toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.fsStyle & TBSTYLE_SEP, TBSTYLE_SEP);

    ControlCommand(dialog, kToolbar, 4, std::string("Close|Send to tray"));
    char label[64] = {};
    SendMessageA(toolbar, TB_GETBUTTONTEXTA, 16, reinterpret_cast<LPARAM>(label));
    EXPECT_STREQ(label, "Close");
    SendMessageA(toolbar, TB_GETBUTTONTEXTA, 5, reinterpret_cast<LPARAM>(label));
    EXPECT_STREQ(label, "Send to tray");

    ControlCommand(dialog, kToolbar, 9, 16, std::string("Close the program"));
    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    char tip[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = toolbar;
    tool.uId = 16;
    tool.lpszText = tip;
    SendMessageA(tips, TTM_GETTEXTA, sizeof(tip), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, "Close the program");

    ControlCommand(dialog, kToolbar, 2, 90, 15);
    EXPECT_EQ(LOWORD(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0)), 90);
    const int width = 120;
    ControlCommand(dialog, kToolbar, 2, &width, std::string("15"));  // a text: ignored
    EXPECT_EQ(LOWORD(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0)), 90);
    ControlCommand(dialog, kToolbar, 2, &width, 20);
    EXPECT_EQ(LOWORD(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0)), 120);

    // Toolbar buttons report their command ids as control events.
    Recorded().seen.clear();
    SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(16, 0), reinterpret_cast<LPARAM>(toolbar));
    ASSERT_EQ(EventsWithCode(EVENT_CONTROL).size(), 1u);
    EXPECT_EQ(EventsWithCode(EVENT_CONTROL)[0].control_id, 16);
    EXPECT_EQ(CreateToolbar(dialog, std::string(), kToolbar + 1, {}, 0), 0);
}

TEST_F(WindowTest, ControlBrushesGoAwayWithTheirWindow) {
    const int open_brushes = LiveControlBrushes();
    CloseDialog(dialog, 0);
    const int closed_brushes = LiveControlBrushes();
    EXPECT_EQ(open_brushes - closed_brushes, 10);  // every control but the scroll bar
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
        CloseDialog(dialog, 0);
    }
    EXPECT_EQ(LiveControlBrushes(), closed_brushes);
    ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
}

TEST_F(WindowTest, ControlsAnswerColourRequestsFromTheirKind) {
    HDC dc = GetDC(dialog.window);
    auto answer = [&](UINT message, int id) {
        return reinterpret_cast<HBRUSH>(SendMessageA(dialog.window, message,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(Control(id))));
    };
    auto brush_colour = [](HBRUSH brush) {
        LOGBRUSH info{};
        GetObjectA(brush, sizeof(info), &info);
        return info.lbColor;
    };
    HBRUSH label = answer(WM_CTLCOLORSTATIC, kLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(brush_colour(label), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(brush_colour(answer(WM_CTLCOLOREDIT, kEntry)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(brush_colour(answer(WM_CTLCOLORLISTBOX, kNotifyList)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(brush_colour(answer(WM_CTLCOLORBTN, kCheck)), GetSysColor(COLOR_BTNFACE));
    // A scroll bar has no brush of its own: the platform's default paints it.
    EXPECT_EQ(SendMessageA(Control(kScrollBar), kColourRequest, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(Control(kScrollBar))),
              0);
    ReleaseDC(dialog.window, dc);
}

}  // namespace
}  // namespace vemo

namespace vemo {
namespace {

using namespace testing;

TEST(WindowKeyboard, TabMovesTheFocusThroughTheWaitLoop) {
    Recorded() = {};
    DialogDefinition dialog;
    DefineTestWindow(dialog);
    ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
    SetForegroundWindow(dialog.window);
    SetActiveWindow(dialog.window);
    HWND first = GetDlgItem(dialog.window, kAddButton);
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    EXPECT_NE(GetWindowLongA(dialog.window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    WaitForEvents(1);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.window, kOkButton));
}

TEST(WindowKeyboard, TemplatesBeyondSixteenBitsAreNotOpened) {
    DialogDefinition huge;
    DefineDialog(huge, 0, 0, 100000, 100, 0xCA0000, nullptr, "huge", nullptr);
    EXPECT_EQ(OpenModeless(huge, nullptr), nullptr);
    EXPECT_EQ(huge.window, nullptr);
    DialogDefinition undefined;
    EXPECT_EQ(OpenModeless(undefined, nullptr), nullptr);
}

}  // namespace
}  // namespace vemo
