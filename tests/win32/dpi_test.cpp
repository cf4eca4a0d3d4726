// The program's windows at the screen's DPI. ctest runs this suite once at
// each of 96, 120, 144 and 192 DPI (tests/CMakeLists.txt sets the test
// prefix's screen for each run; VEMO_WINE_DPI names it).
#include <cstdlib>
#include <set>

#include "mainwin/window_place.h"
#include "runtime/layout_math.h"
#include "runtime/scoped.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;

struct ControlPlace {
    int id;
    Place place;  // in the window's client area
};

// Every control of the main window at 96 DPI, where the dialog units of the
// 6 x 13 dialog font have always put it; the toolbar last.
constexpr ControlPlace kMainWindowAt96[] = {
    {ids::WeightsLine, {623, 323, 351, 21}},
    {ids::ShowNetworkOutputCheck, {605, 304, 132, 20}},
    {ids::PriorityColumn, {5, 24, 41, 250}},
    {ids::PriorityUpButton, {11, 280, 20, 21}},
    {ids::PriorityDownButton, {11, 306, 20, 20}},
    {ids::RemindDateColumn, {125, 24, 81, 250}},
    {ids::DayField, {122, 280, 21, 21}},
    {ids::MonthField, {149, 280, 20, 21}},
    {ids::YearField, {174, 280, 32, 21}},
    {ids::ChangeDateButton, {122, 304, 84, 18}},
    {ids::NextWeekdayButton, {122, 323, 23, 16}},
    {ids::NextMonthButton, {146, 323, 33, 16}},
    {ids::TodayButton, {179, 323, 27, 16}},
    {ids::TimeColumn, {206, 24, 60, 250}},
    {ids::HourField, {212, 280, 20, 21}},
    {ids::MinuteField, {234, 280, 20, 21}},
    {ids::ChangeTimeButton, {212, 304, 42, 18}},
    {ids::NextHourButton, {212, 323, 20, 16}},
    {ids::NextMinuteButton, {233, 323, 21, 16}},
    {ids::TimeNowButton, {255, 280, 11, 59}},
    {ids::StateColumn, {266, 24, 35, 250}},
    {ids::SwitchInactiveButton, {273, 280, 23, 21}},
    {ids::TextColumn, {302, 24, 440, 250}},
    {ids::EntryField, {302, 280, 440, 21}},
    {ids::AddButton, {302, 304, 71, 18}},
    {ids::ChangeSelectedButton, {377, 304, 101, 18}},
    {ids::CreateMessageFileCheck, {485, 304, 111, 20}},
    {ids::FineTuneCheck, {485, 322, 111, 20}},
    {ids::CreatedColumn, {45, 24, 80, 250}},
    {ids::EntryLabel, {305, 323, 71, 20}},
    {ids::PriorityLabel, {2, 5, 69, 20}},
    {ids::CreatedLabel, {45, 5, 71, 20}},
    {ids::IncreasePriorityLabel, {33, 280, 90, 21}},
    {ids::DecreasePriorityLabel, {33, 314, 90, 20}},
    {ids::RemindLabel, {125, 5, 71, 20}},
    {ids::HighestPriorityLabel, {33, 297, 90, 20}},
    {ids::MonthYearDash, {170, 283, 21, 20}},
    {ids::DayMonthDash, {143, 283, 20, 20}},
    {ids::HourMinuteColon, {231, 283, 5, 20}},
    {ids::TimeLabel, {206, 5, 69, 20}},
    {ids::MessageLine, {240, 2, 585, 21}},
    {ids::Toolbar, {744, 23, 90, 348}},
};
// The client area at 96 DPI, for a window defined at (20, 20): the dialog
// units round its edges where they fall.
constexpr int kClientWidthAt96 = 834;
constexpr int kClientHeightAt96 = 341;
// The toolbar's place in the 96-DPI layout, as the main window moves it.
constexpr Place kToolbarPlace = {744, 23, 90, 348};

// The controls whose text does not fit at 96 DPI once a button's edges are
// counted: the narrow "R" and the 16-pixel buttons under the date and time.
const std::set<int> kClippedAt96 = {ids::NextWeekdayButton, ids::NextMonthButton,
                                    ids::TodayButton,       ids::NextHourButton,
                                    ids::NextMinuteButton,  ids::TimeNowButton};

Place PlaceInWindow(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Place ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {0, 0, r.right, r.bottom};
}

// How far a length is from its 96-DPI length times the ratio, in 96ths of a
// pixel.
int Off(int actual, int at96, int dpi) {
    return std::abs(actual * kLayoutDpi - at96 * dpi);
}

// Within half a pixel of the 96-DPI place scaled, each of x, y, width and
// height; at 96 DPI within the pixel the dialog units round by.
void ExpectScaled(const Place& actual, const Place& at96, int dpi, const std::string& what) {
    const int allowed = dpi == kLayoutDpi ? kLayoutDpi : kLayoutDpi / 2;
    EXPECT_LE(Off(actual.x, at96.x, dpi), allowed) << what << " x " << actual.x;
    EXPECT_LE(Off(actual.y, at96.y, dpi), allowed) << what << " y " << actual.y;
    EXPECT_LE(Off(actual.width, at96.width, dpi), allowed) << what << " width " << actual.width;
    EXPECT_LE(Off(actual.height, at96.height, dpi), allowed) << what << " height " << actual.height;
}

// A control's text is wider or taller than the control itself, counting a
// button's edges (two on each side, as the push button's frame takes them).
// A list box's caption is never shown, so it never counts.
bool ClipsItsText(HWND control) {
    char text[256] = {};
    const int length = GetWindowTextA(control, text, sizeof(text));
    char kind[32] = {};
    GetClassNameA(control, kind, sizeof(kind));
    if (length <= 0 || lstrcmpiA(kind, "ListBox") == 0) return false;
    const bool button = lstrcmpiA(kind, "Button") == 0;
    const ScopedGetDc dc(control);
    const ScopedSelectObject font(
        dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), text, length, &extent);
    const Place place = PlaceInWindow(control);
    const int edges_across = button ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    const int edges_down = button ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
    return extent.cx + edges_across > place.width || extent.cy + edges_down > place.height;
}

std::set<int> ClippedControls(HWND window) {
    std::set<int> clipped;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClipsItsText(c)) clipped.insert(GetDlgCtrlID(c));
    }
    return clipped;
}

// The window's defined controls at the DPI, each against its defined place.
void ExpectDialogAt(const DialogDefinition& dialog, int dpi) {
    ASSERT_NE(dialog.window, nullptr);
    const DialogLayout& layout = *dialog.layout;
    ExpectScaled(ClientSize(dialog.window), {0, 0, layout.pixels.width, layout.pixels.height}, dpi,
                 layout.caption);
    for (const ControlDefinition& control : layout.controls) {
        ExpectScaled(PlaceInWindow(GetDlgItem(dialog.window, control.id)), control.pixels, dpi,
                     layout.caption + " control " + std::to_string(control.id));
    }
}

// The main window as the DPI wants it: every control and the toolbar in
// place, no text cut that is not cut at 96 DPI, every toolbar button inside
// the strip.
void ExpectMainWindowAt(int dpi) {
    HWND window = MainWindow().window;
    ExpectDialogAt(MainWindow(), dpi);
    HWND toolbar = GetDlgItem(window, ids::Toolbar);
    ASSERT_NE(toolbar, nullptr);
    ExpectScaled(PlaceInWindow(toolbar), kToolbarPlace, dpi, "toolbar");
    // Wine's bitmap "MS Sans Serif" comes in the sizes of the screen's DPI
    // only: a window at another DPI than the screen's gets the nearest, so
    // its texts are measured only at the screen's.
    if (dpi == ScreenDpi()) {
        const std::set<int> clipped = ClippedControls(window);
        for (int id : clipped) EXPECT_EQ(kClippedAt96.count(id), 1u) << "cuts its text: " << id;
        if (dpi == kLayoutDpi) {
            EXPECT_EQ(clipped, kClippedAt96);
        }
    }

    const int buttons = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(buttons, 17);
    RECT strip{};
    GetClientRect(toolbar, &strip);
    for (int i = 0; i < buttons; ++i) {
        RECT button{};
        SendMessageA(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        EXPECT_LE(button.right, strip.right) << "toolbar entry " << i;
        EXPECT_LE(button.bottom, strip.bottom) << "toolbar entry " << i;
        // As wide as the strip, as at 96 DPI, where 87 of its 90 pixels are
        // the button's.
        EXPECT_GE((button.right - button.left) * 10, strip.right * 9) << "toolbar entry " << i;
    }
}

// The width of the outline a focused push button gets, in pixels.
int FocusOutlineWidth(HWND button) {
    RECT item{};
    GetClientRect(button, &item);
    const ScopedGetDc screen(nullptr);
    const ScopedMemoryDc dc(CreateCompatibleDC(screen.get()));
    const ScopedBitmap canvas(CreateCompatibleBitmap(screen.get(), item.right, item.bottom));
    const ScopedSelectObject selected(dc.get(), canvas.get());
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_FOCUS;
    draw.hwndItem = button;
    draw.hDC = dc.get();
    draw.rcItem = item;
    SendMessageA(GetParent(button), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    int width = 0;
    while (width < item.right / 2 && GetPixel(dc.get(), width, item.bottom / 2) == RGB(0, 0, 0)) {
        ++width;
    }
    return width;
}

int RunDpi() {
    char wanted[16] = {};
    return GetEnvironmentVariableA("VEMO_WINE_DPI", wanted, sizeof(wanted)) > 0 ? std::atoi(wanted)
                                                                                : 0;
}

class DpiLayout : public ProgramTest {
  protected:
    int dpi = ScreenDpi();
    void SetUp() override {
        ProgramTest::SetUp();
        // A strip drawn at 96 DPI, and one at twice the size.
        WriteWholeFile(folder / "toolbar.bmp", BitmapFileBytes(22, 2));
        WriteWholeFile(folder / "toolbar-2x.bmp", BitmapFileBytes(44, 4));
        ASSERT_EQ(dpi, RunDpi() != 0 ? RunDpi() : kLayoutDpi)
            << "the prefix's screen is not at its DPI";
        Start(Numbered(3));
    }
};

TEST_F(DpiLayout, EveryWindowIsItsLayoutScaledByTheScreensDpi) {
    HWND window = MainWindow().window;
    ExpectMainWindowAt(dpi);
    if (dpi == kLayoutDpi) {
        // Not a pixel moved.
        for (const ControlPlace& control : kMainWindowAt96) {
            EXPECT_EQ(PlaceInWindow(GetDlgItem(window, control.id)), control.place) << control.id;
        }
        EXPECT_EQ(ClientSize(window), (Place{0, 0, kClientWidthAt96, kClientHeightAt96}));
    }
    EXPECT_EQ(FocusOutlineWidth(GetDlgItem(window, ids::AddButton)), ScaleToDpi(1, dpi));

    Command(ids::AlarmActionCommand);
    ExpectDialogAt(AlarmActionDialog(), dpi);
    Command(ids::WeightsCommand);
    ExpectDialogAt(WeightsDialog(), dpi);
    // Defined at its distance from the main window's place, in the layout's
    // pixels at the DPI.
    const DialogUnits expected = ToDialogUnits(
        settings.window_x + ScaleToDpi(387, dpi), settings.window_y + ScaleToDpi(365, dpi),
        ScaleToDpi(446, dpi), ScaleToDpi(249, dpi), WeightsDialog().layout->cell);
    EXPECT_EQ(WeightsDialog().layout->rect.x, expected.x);
    EXPECT_EQ(WeightsDialog().layout->rect.y, expected.y);
}

TEST_F(DpiLayout, ADpiChangeLaysTheWindowOutAgainAndBack) {
    HWND window = MainWindow().window;
    std::vector<Place> before;
    for (const ControlPlace& control : kMainWindowAt96) {
        before.push_back(PlaceInWindow(GetDlgItem(window, control.id)));
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    const Place client = ClientSize(window);
    const int objects = LiveGdiObjects();

    // What the system suggests: the window, with its frame, scaled.
    // Up from 96, down to it from the others: a monitor at another DPI than
    // the screen's, either way.
    const int other = dpi == kLayoutDpi ? 144 : kLayoutDpi;
    const int frame_width = frame.right - frame.left - client.width;
    const int frame_height = frame.bottom - frame.top - client.height;
    RECT suggested{frame.left + 10, frame.top + 20, 0, 0};
    suggested.right = suggested.left + frame_width + ScaleToDpi(kMainWindowWidth, other);
    suggested.bottom = suggested.top + frame_height + ScaleToDpi(kMainWindowHeight, other);
    SendMessageA(window, kDpiChangedMessage, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    ExpectMainWindowAt(other);
    EXPECT_EQ(FocusOutlineWidth(GetDlgItem(window, ids::AddButton)), ScaleToDpi(1, other));
    TEXTMETRICA metrics{};
    {
        const ScopedGetDc dc(GetDlgItem(window, ids::AddButton));
        const ScopedSelectObject font(
            dc.get(), reinterpret_cast<HGDIOBJ>(
                          SendMessageA(GetDlgItem(window, ids::AddButton), WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc.get(), &metrics);
    }
    EXPECT_EQ(metrics.tmAveCharWidth + 1, MeasureDialogFont(other).width);

    // And back: exactly as it opened, with nothing left over.
    SendMessageA(window, kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&frame));
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &frame));
    EXPECT_EQ(ClientSize(window), client);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(PlaceInWindow(GetDlgItem(window, kMainWindowAt96[i].id)), before[i])
            << kMainWindowAt96[i].id;
    }
    ExpectMainWindowAt(dpi);
    EXPECT_EQ(LiveGdiObjects(), objects);

    // Minimised when the DPI changes: it comes back at the new DPI's size.
    ShowWindow(window, SW_MINIMIZE);
    SendMessageA(window, kDpiChangedMessage, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(ClientSize(window).width, ScaleToDpi(kMainWindowWidth, other));
    EXPECT_EQ(ClientSize(window).height, ScaleToDpi(kMainWindowHeight, other));
}

}  // namespace
}  // namespace vemo
