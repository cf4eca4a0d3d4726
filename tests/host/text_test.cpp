#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vemo {
namespace {

TEST(NumberText, WholeNumbersHaveALeadingBlankAndNoDecimals) {
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(-0.0), " 0");
    EXPECT_EQ(NumberText(100), " 100");
    EXPECT_EQ(NumberText(-1), " -1");
    EXPECT_EQ(NumberText(-3), " -3");
    EXPECT_EQ(NumberText(2147483647.0), " 2147483647");
}

TEST(NumberText, OtherNumbersHaveTwoDecimals) {
    EXPECT_EQ(NumberText(42.5), " 42.50");
    EXPECT_EQ(NumberText(2.5), " 2.50");
    EXPECT_EQ(NumberText(-0.5), " -0.50");
    EXPECT_EQ(NumberText(0.125), " 0.12");  // the double nearest 0.125 is exact: ties to even
    EXPECT_EQ(NumberText(1.005), " 1.00");  // 1.005 is stored just below itself
}

TEST(TextToNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(TextToNumber("  12"), 12);
    EXPECT_EQ(TextToNumber("\t \t7"), 7);
    EXPECT_EQ(TextToNumber("1.25"), 1.25);
    EXPECT_EQ(TextToNumber("-0.5"), -0.5);
    EXPECT_EQ(TextToNumber(".5"), 0.5);
    EXPECT_EQ(TextToNumber("-.5"), -0.5);
    EXPECT_EQ(TextToNumber(" 42.5"), 42.5);
    EXPECT_EQ(TextToNumber("-7x"), -7);
    EXPECT_EQ(TextToNumber("5."), 5);
    EXPECT_EQ(TextToNumber("1.2.3"), 1.2);
    EXPECT_EQ(TextToNumber("12-3"), 12);
    EXPECT_EQ(TextToNumber(" 0.1"), 0.1);
}

TEST(TextToNumber, NoLeadingNumberGivesZero) {
    EXPECT_EQ(TextToNumber(""), 0);
    EXPECT_EQ(TextToNumber("abc"), 0);
    EXPECT_EQ(TextToNumber("+5"), 0);
    EXPECT_EQ(TextToNumber("-"), 0);
    EXPECT_EQ(TextToNumber("."), 0);
    EXPECT_EQ(TextToNumber("x12"), 0);
    EXPECT_EQ(TextToNumber("\n12"), 0);  // only blanks and tabs are skipped
}

TEST(TextToNumber, HasNoExponentAndSurvivesHugeDigitRuns) {
    EXPECT_EQ(TextToNumber("1e5"), 1);
    EXPECT_EQ(TextToNumber("2E-3"), 2);
    EXPECT_TRUE(std::isinf(TextToNumber(std::string(400, '9'))));
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(TextToNumber(std::string(300, '0') + "7"), 7);
}

TEST(NumberText, RoundTripsThroughTextToNumber) {
    for (double v : {0.0, 1.0, -20.0, 255.0, 42.5, -3.25, 1000000.0}) {
        EXPECT_EQ(TextToNumber(NumberText(v)), v) << v;
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(42.5), 42);
    EXPECT_EQ(RoundHalfEven(43.5), 44);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
    EXPECT_EQ(RoundHalfEven(7), 7);
}

TEST(RoundHalfEven, NonNumbersAndHugeValuesStayDefined) {
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(1e30), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundHalfEven(-1e30), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()),
              std::numeric_limits<std::int64_t>::max());
}

TEST(RoundTo, KeepsTheLowBitsOfTheWidth) {
    EXPECT_EQ(RoundTo<std::uint8_t>(257), 1);
    EXPECT_EQ(RoundTo<std::uint8_t>(1.5), 2);
    EXPECT_EQ(RoundTo<std::int32_t>(-20), -20);
    EXPECT_EQ(RoundTo<std::int32_t>(4294967296.0 + 5), 5);
}

TEST(TextOperations, MidTextBoundaries) {
    EXPECT_EQ(MidText("abcdef", 3, 2), "cd");
    EXPECT_EQ(MidText("abcdef", 3, -1), "cdef");
    EXPECT_EQ(MidText("abcdef", 10, 2), "");
    EXPECT_EQ(MidText("abcdef", 7, 1), "");
    EXPECT_EQ(MidText("abcdef", 6, 1), "f");
    EXPECT_EQ(MidText("abcdef", 0, 2), "ab");
    EXPECT_EQ(MidText("abcdef", -4, 1), "a");
    EXPECT_EQ(MidText("abcdef", 5, 9), "ef");
    EXPECT_EQ(MidText("abcdef", 2, 0), "");
    EXPECT_EQ(MidText("", 1, 1), "");
}

TEST(TextOperations, LeftTextBoundaries) {
    EXPECT_EQ(LeftText("abc", 5), "abc");
    EXPECT_EQ(LeftText("abc", -2), "");
    EXPECT_EQ(LeftText("abc", 2), "ab");
    EXPECT_EQ(LeftText("abc", 0), "");
}

TEST(TextOperations, FindTextBoundaries) {
    EXPECT_EQ(FindText("abcabc", "c", 4), 6);
    EXPECT_EQ(FindText("abcabc", "c", 7), 0);
    EXPECT_EQ(FindText("abcabc", "", 1), 0);
    EXPECT_EQ(FindText("abcabc", "c", 0), 3);
    EXPECT_EQ(FindText("abcabc", "abc", 2), 4);
    EXPECT_EQ(FindText("abcabc", "C", 1), 0);  // exact comparison
    EXPECT_EQ(FindText("", "a", 1), 0);
    EXPECT_EQ(FindText("abc", "abcd", 1), 0);
}

TEST(TextOperations, TrimJoinAndLength) {
    EXPECT_EQ(TrimLeftText(" \t x y "), "x y ");
    EXPECT_EQ(TrimLeftText(" \t "), "");
    EXPECT_EQ(JoinText("Vemo", std::string(" V009u"), " - Database: "), "Vemo V009u - Database: ");
    EXPECT_EQ(TextLength("vemo"), 4u);
    EXPECT_EQ(TextLength(std::string_view("ab\0cd", 5)), 2u);
}

TEST(TextOperations, CutTextStopsAtTheCapacity) {
    EXPECT_EQ(CutText(std::string(300, 'x')).size(), kTextCapacity);
    EXPECT_EQ(CutText(std::string(254, 'y')), std::string(254, 'y'));
    EXPECT_EQ(CutText("abcdef", 3), "abc");
}

TEST(TimeTextFormat, TwoDigitsEach) {
    EXPECT_EQ(FormatTimeText(9, 5, 0), "09:05:00");
    EXPECT_EQ(FormatTimeText(23, 59, 59), "23:59:59");
    EXPECT_EQ(FormatTimeText(0, 0, 7), "00:00:07");
}

}  // namespace
}  // namespace vemo
