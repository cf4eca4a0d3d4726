#include <gtest/gtest.h>

#include <cstring>

#include "runtime/control_kinds.h"
#include "runtime/dialog_template.h"
#include "runtime/layout_math.h"
#include "runtime/text.h"

namespace vemo {
namespace {

TEST(DialogUnitConversion, EdgesRoundOnTheirOwnHalvesToEven) {
    const DialogUnits u = ToDialogUnits(10, 0, 20, 0, {5, 13});
    EXPECT_EQ(u.x, 8);
    EXPECT_EQ(u.cx, 16);                     // right edge 24 minus left edge 8
    EXPECT_EQ(PixelsToUnits(5, 4, 8), 2);    // 2.5 goes to 2
    EXPECT_EQ(PixelsToUnits(15, 4, 8), 8);   // 7.5 goes to 8
    EXPECT_EQ(PixelsToUnits(-5, 4, 8), -2);  // -2.5 goes to -2
    EXPECT_EQ(PixelsToUnits(7, 8, 0), 0);    // no font measured
}

TEST(DialogUnitConversion, SizeIsTheDifferenceOfRoundedEdges) {
    // x 3 -> 1.5 -> 2, x + width 6 -> 3 -> 3: one unit although 3 px is 1.5 units.
    const DialogUnits u = ToDialogUnits(3, 13, 3, 13, {8, 13});
    EXPECT_EQ(u.x, 2);
    EXPECT_EQ(u.cx, 1);
    EXPECT_EQ(u.y, 8);
    EXPECT_EQ(u.cy, 8);
}

TEST(DpiScaling, OneRuleHalvesAwayFromZeroAsMulDivAndTheDialogManager) {
    EXPECT_EQ(ScaleToDpi(833, 96), 833);
    EXPECT_EQ(ScaleToDpi(833, 144), 1250);  // 1249.5
    EXPECT_EQ(ScaleToDpi(833, 120), 1041);  // 1041.25
    EXPECT_EQ(ScaleToDpi(1, 144), 2);       // 1.5
    EXPECT_EQ(ScaleToDpi(1, 120), 1);
    EXPECT_EQ(ScaleToDpi(-1, 144), -2);  // -1.5: away from zero
    EXPECT_EQ(ScaleToDpi(5, 168), 9);    // 8.75
    EXPECT_EQ(ScaleToDpi(Place{744, 23, 90, 348}, 144), (Place{1116, 35, 135, 522}));
    // The dialog manager's way back from dialog units, each of x, y, width
    // and height on its own: 415 units of a 6-pixel font are 622.5 pixels.
    EXPECT_EQ(FromDialogUnits({415, 199, 234, 13}, {6, 13}), (Place{623, 323, 351, 21}));
}

TEST(WindowPlacement, MessageBoxCentresOverItsOwnerAndStaysOnScreen) {
    const Rect work{0, 0, 1280, 1000};
    Point p = PlaceMessageBox({100, 100, 500, 400}, 200, 100, work);
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 200);
    p = PlaceMessageBox({0, 0, 100, 100}, 300, 300, work);  // larger than its owner
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = PlaceMessageBox({1200, 950, 1400, 1050}, 300, 200, work);
    EXPECT_EQ(p.x, 980);
    EXPECT_EQ(p.y, 800);
    p = PlaceMessageBox({-3, -3, 0, 0}, 10, 10, work);  // (-3 - 10) / 2 truncates toward zero
    EXPECT_EQ(p.x, 0);
}

TEST(WindowPlacement, CentreOverKeepsInsideTheBounds) {
    const Rect bounds{0, 0, 1000, 800};
    Point p = CentreOver({100, 100, 300, 300}, 100, 50, bounds);
    EXPECT_EQ(p.x, 150);
    EXPECT_EQ(p.y, 175);
    p = CentreOver(bounds, 1200, 100, bounds);  // wider than the work area
    EXPECT_EQ(p.x, 0);
    p = CentreOver({900, 700, 1000, 800}, 300, 300, bounds);
    EXPECT_EQ(p.x, 700);
    EXPECT_EQ(p.y, 500);
}

TEST(ControlKindTable, PushButtonsAreOwnerDrawnUnlessBitmapButtons) {
    EXPECT_EQ(StyleForKind(PushButton, 0x10000).style, 0x5001000Bu);
    EXPECT_EQ(StyleForKind(PushButton, 0x10000).class_name, "BUTTON");
    EXPECT_EQ(StyleForKind(PushButton, 0x80).style, 0x50000080u);
    EXPECT_EQ(StyleForKind(PlainButton, 0x10000).style, 0x50010000u);
    EXPECT_TRUE(StyleForKind(PushButton, 0x1).default_button);
    EXPECT_TRUE(StyleForKind(PlainButton, 0x1).default_button);
    EXPECT_FALSE(StyleForKind(CheckBox, 0x1).default_button);
}

TEST(ControlKindTable, ClassesAndAddedStyles) {
    const ControlStyle list = StyleForKind(ListBox, 0x50B10141);
    EXPECT_EQ(list.class_name, "LISTBOX");
    EXPECT_EQ(list.style, 0x50B10141u);
    EXPECT_EQ(list.ex_style, 0x200u);
    EXPECT_EQ(StyleForKind(Edit, 0).style, 0x50800000u);
    EXPECT_EQ(StyleForKind(Edit, 0).ex_style, 0x200u);
    EXPECT_EQ(StyleForKind(CheckBox, 0).style, 0x50000003u);
    EXPECT_EQ(StyleForKind(ComboBox, 0).style, 0x50800600u);
    EXPECT_EQ(StyleForKind(Static, 0).class_name, "STATIC");
    EXPECT_EQ(StyleForKind(ScrollBar, 1).style, 0x50000001u);
    EXPECT_EQ(StyleForKind(GroupBox, 0).style, 0x50000007u);
    EXPECT_EQ(StyleForKind(RichEdit, 0x800000).ex_style, 0x200u);
    EXPECT_EQ(StyleForKind(RichEdit, 0).ex_style, 0u);
    EXPECT_EQ(StyleForKind(StatusBar, 0).class_name, "msctls_statusbar32");
    EXPECT_EQ(StyleForKind(99, 0).class_name, "");
}

TEST(ControlKindTable, HiddenBitStartsTheControlInvisible) {
    const ControlStyle hidden = StyleForKind(Edit, 0x80000);
    EXPECT_EQ(hidden.style & 0x80000u, 0u);
    EXPECT_EQ(hidden.style & 0x10000000u, 0u);
    EXPECT_EQ(hidden.style & 0x40000000u, 0x40000000u);
}

std::uint16_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

TEST(DialogTemplateBytes, HeaderTextsAndAlignedItems) {
    TemplateLayout dialog;
    dialog.style = 0x90CA00C0;
    dialog.rect = {1, 2, 300, 100};
    dialog.class_name = u"Cls";
    dialog.caption = u"Vemo";
    dialog.font_name = u"MS Sans Serif";
    dialog.controls.push_back({0x5001000B, 0, {4, 5, 40, 14}, 7, u"BUTTON", u"Add"});
    dialog.controls.push_back({0x50800000, 0x200, {4, 25, 40, 14}, 44, u"EDIT", u""});
    const std::vector<std::uint8_t> bytes = BuildDialogTemplate(dialog);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(WordAt(bytes, 0) | (WordAt(bytes, 2) << 16), 0x90CA00C0u);
    EXPECT_EQ(WordAt(bytes, 8), 2);     // control count
    EXPECT_EQ(WordAt(bytes, 14), 300);  // cx
    EXPECT_EQ(WordAt(bytes, 18), 0);    // no menu
    EXPECT_EQ(WordAt(bytes, 20), u'C');
    // 18 bytes of header, menu 2, "Cls" 8, "Vemo" 10, point size 2, font 28.
    std::size_t offset = 18 + 2 + 8 + 10;
    EXPECT_EQ(WordAt(bytes, offset), 8);
    EXPECT_EQ(WordAt(bytes, offset + 2), u'M');
    offset += 2 + 28;
    offset = (offset + 3) / 4 * 4;
    EXPECT_EQ(WordAt(bytes, offset) | (WordAt(bytes, offset + 2) << 16), 0x5001000Bu);
    EXPECT_EQ(WordAt(bytes, offset + 16), 7);  // id
    EXPECT_EQ(WordAt(bytes, offset + 18), u'B');
    // BUTTON 14, "Add" 8, creation data 2.
    std::size_t second = offset + 18 + 14 + 8 + 2;
    second = (second + 3) / 4 * 4;
    EXPECT_EQ(second % 4, 0u);
    EXPECT_EQ(WordAt(bytes, second + 4), 0x200);
    EXPECT_EQ(WordAt(bytes, second + 16), 44);
    EXPECT_EQ(bytes.size(), second + 18 + 10 + 2 + 2);
}

TEST(DialogTemplateBytes, ValuesBeyondSixteenBitsAreRefused) {
    TemplateLayout dialog;
    dialog.style = 0x40;
    dialog.rect = {0, 0, 100, 100};
    EXPECT_FALSE(BuildDialogTemplate(dialog).empty());
    dialog.rect.cx = 40000;
    EXPECT_TRUE(BuildDialogTemplate(dialog).empty());
    dialog.rect.cx = 100;
    dialog.controls.push_back({0, 0, {0, 0, 10, 10}, 70000, u"EDIT", u""});
    EXPECT_TRUE(BuildDialogTemplate(dialog).empty());
    dialog.controls.back().id = 5;
    dialog.controls.back().rect.x = -40000;
    EXPECT_TRUE(BuildDialogTemplate(dialog).empty());
}

TEST(ZeroSeparatedLists, BarsBecomeZerosAndTheListEndsTwice) {
    const std::string filter = BarListToZeroList("Programs|*.exe|");
    EXPECT_EQ(filter, std::string("Programs\0*.exe\0\0\0", 17));
    EXPECT_EQ(BarListToZeroList("Close|Send to tray"), std::string("Close\0Send to tray\0\0", 20));
    EXPECT_EQ(BarListToZeroList(std::string(300, 'x')).size(), kTextCapacity + 2);
    EXPECT_EQ(BarListToZeroList(""), std::string(2, '\0'));
}

}  // namespace
}  // namespace vemo
