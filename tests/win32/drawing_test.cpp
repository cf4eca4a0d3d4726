#include <gtest/gtest.h>

#include "runtime/colours.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "win32/test_window.h"

namespace vemo {
namespace {

using namespace testing;

constexpr COLORREF kUntouched = RGB(255, 0, 255);

// A button drawn into a memory bitmap through the window's WM_DRAWITEM.
class Rendering {
  public:
    Rendering(DialogDefinition& dialog, int id, UINT state) {
        HWND button = GetDlgItem(dialog.window, id);
        RECT client{};
        GetClientRect(button, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        SelectObject(dc_, reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)));
        HBRUSH fill = CreateSolidBrush(kUntouched);
        FillRect(dc_, &client, fill);
        DeleteObject(fill);

        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(id);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button;
        item.hDC = dc_;
        item.rcItem = client;
        SendMessageA(dialog.window, WM_DRAWITEM, static_cast<WPARAM>(id),
                     reinterpret_cast<LPARAM>(&item));
        GdiFlush();
    }
    ~Rendering() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Pixels of the colour inside the frame (3 pixels in from every edge).
    int CountInside(COLORREF colour) const {
        int count = 0;
        for (int y = 3; y < height_ - 3; ++y) {
            for (int x = 3; x < width_ - 3; ++x) count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }
    int CountAll(COLORREF colour) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }
    // The box around every inside pixel that is not the face colour.
    RECT InkBox(COLORREF face) const {
        RECT box{width_, height_, -1, -1};
        for (int y = 3; y < height_ - 3; ++y) {
            for (int x = 3; x < width_ - 3; ++x) {
                if (At(x, y) == face) continue;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
        }
        return box;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

class ButtonDrawingTest : public ::testing::Test {
  protected:
    DialogDefinition dialog;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);

    void SetUp() override {
        Recorded() = {};
        DefineTestWindow(dialog);
        ASSERT_NE(OpenModeless(dialog, nullptr), nullptr);
    }
};

TEST_F(ButtonDrawingTest, NormalButtonHasItsFaceTextAndNoOutline) {
    const Rendering normal(dialog, kAddButton, 0);
    EXPECT_EQ(normal.CountAll(kUntouched), 0);
    EXPECT_EQ(normal.At(4, normal.Height() / 2), face);
    EXPECT_GT(normal.CountInside(text), 0);
    EXPECT_NE(normal.At(0, 0), RGB(0, 0, 0));
}

TEST_F(ButtonDrawingTest, PressedButtonMovesItsCaptionOneDownAndRight) {
    const Rendering normal(dialog, kAddButton, 0);
    const Rendering pressed(dialog, kAddButton, ODS_SELECTED);
    const RECT a = normal.InkBox(face);
    const RECT b = pressed.InkBox(face);
    ASSERT_GE(a.right, a.left);
    EXPECT_EQ(b.left - a.left, 1);
    EXPECT_EQ(b.top - a.top, 1);
}

TEST_F(ButtonDrawingTest, FocusedAndDefaultButtonsCarryTheOutline) {
    const Rendering focused(dialog, kAddButton, ODS_FOCUS);
    EXPECT_EQ(focused.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(focused.At(focused.Width() - 1, focused.Height() / 2), RGB(0, 0, 0));
    const Rendering default_button(dialog, kOkButton, 0);  // defined with BS_DEFPUSHBUTTON
    EXPECT_EQ(default_button.At(0, 0), RGB(0, 0, 0));
    EXPECT_GT(default_button.CountInside(text), 0);
}

TEST_F(ButtonDrawingTest, DisabledButtonIsGreyAndEmbossed) {
    const Rendering disabled(dialog, kAddButton, ODS_DISABLED);
    EXPECT_EQ(disabled.CountInside(text), 0);
    EXPECT_GT(disabled.CountInside(GetSysColor(COLOR_3DSHADOW)), 0);
    EXPECT_GT(disabled.CountInside(GetSysColor(COLOR_3DHILIGHT)), 0);
    EXPECT_EQ(disabled.At(4, disabled.Height() / 2), face);
}

TEST_F(ButtonDrawingTest, EmptyCaptionDrawsFrameAndFaceOnly) {
    SetControlText(dialog, kAddButton, "");
    const Rendering empty(dialog, kAddButton, 0);
    EXPECT_EQ(empty.CountAll(kUntouched), 0);
    const RECT ink = empty.InkBox(face);
    EXPECT_LT(ink.right, ink.left);  // nothing but face inside the frame
}

}  // namespace
}  // namespace vemo
