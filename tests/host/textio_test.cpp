#include "runtime/textio.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/text.h"

namespace vemo {
namespace {

std::vector<std::string> ReadAllLines(std::string_view data) {
    MemorySource source(data);
    std::vector<std::string> lines;
    std::string line;
    while (ReadTextLine(source, line) == 0) lines.push_back(line);
    EXPECT_EQ(line, "");  // the failed read at the end leaves an empty text
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, AcceptsCrLfLfAndCrLineEnds) {
    EXPECT_EQ(ReadAllLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadAllLines("one\r\n"), (Lines{"one"}));
    EXPECT_EQ(ReadAllLines("x\n\r"), (Lines{"x", ""}));    // LF then a lone CR: two ends
    EXPECT_EQ(ReadAllLines("x\r\r\n"), (Lines{"x", ""}));  // CR, then CR LF
}

TEST(LineReader, EmptyLinesSucceedAndTheEndFails) {
    EXPECT_EQ(ReadAllLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(ReadAllLines(""), Lines{});
    MemorySource source("");
    std::string line = "old";
    EXPECT_EQ(ReadTextLine(source, line), -1);
    EXPECT_EQ(line, "");
}

TEST(LineReader, LeavesThePositionJustBehindTheLineEnd) {
    MemorySource source("ab\r\ncd\nef");
    std::string line;
    ASSERT_EQ(ReadTextLine(source, line), 0);
    EXPECT_EQ(source.Position(), 4u);
    ASSERT_EQ(ReadTextLine(source, line), 0);
    EXPECT_EQ(source.Position(), 7u);
    ASSERT_EQ(ReadTextLine(source, line), 0);
    EXPECT_EQ(line, "ef");
    EXPECT_EQ(source.Position(), 9u);
}

TEST(LineReader, CrLfSplitAcrossChunksIsOneLineEnd) {
    const std::string first(kLineChunk - 1, 'a');
    EXPECT_EQ(ReadAllLines(first + "\r\nnext\r\n"), (Lines{first, "next"}));
    // A CR ending the chunk followed by something else gives that byte back.
    EXPECT_EQ(ReadAllLines(first + "\rx"), (Lines{first, "x"}));
    EXPECT_EQ(ReadAllLines(first + "\r"), (Lines{first}));
    EXPECT_EQ(ReadAllLines(first + "\r\r\n"), (Lines{first, ""}));
}

TEST(LineReader, LinesSpanningSeveralChunks) {
    const std::string long_line(200, 'b');
    EXPECT_EQ(ReadAllLines(long_line + "\n" + long_line), (Lines{long_line, long_line}));
    const std::string at_edge(kLineChunk, 'c');
    EXPECT_EQ(ReadAllLines(at_edge + "\r\nz"), (Lines{at_edge, "z"}));
}

TEST(LineReader, OverlongLineKeepsItsStartAndDropsTheRest) {
    const std::string exact(kTextCapacity, 'e');
    EXPECT_EQ(ReadAllLines(exact + "\r\nnext"), (Lines{exact, "next"}));
    const std::string over(kTextCapacity + 1, 'o');
    EXPECT_EQ(ReadAllLines(over + "\r\nnext"), (Lines{std::string(kTextCapacity, 'o'), "next"}));
    std::string huge(5000, 'h');
    huge[4000] = 'X';
    const Lines lines = ReadAllLines(huge + "\rtail\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(kTextCapacity, 'h'));
    EXPECT_EQ(lines[1], "tail");
}

TEST(NumberReader, ReadsTheSettingsWindowLine) {
    MemorySource source(" 100  50 Vemo: \r\nyes\r\n");
    NumberToken x = ReadNumberToken(source);
    NumberToken y = ReadNumberToken(source);
    EXPECT_TRUE(x.found);
    EXPECT_TRUE(y.found);
    EXPECT_EQ(x.value, 100);
    EXPECT_EQ(y.value, 50);
    std::string line;
    ASSERT_EQ(ReadTextLine(source, line), 0);
    EXPECT_EQ(line, "Vemo: ");
    ASSERT_EQ(ReadTextLine(source, line), 0);
    EXPECT_EQ(line, "yes");
}

TEST(NumberReader, KeepsALeadingBlankOfTheFollowingText) {
    MemorySource source(" 0  0  prefix\r\n");
    ReadNumberToken(source);
    ReadNumberToken(source);
    std::string line;
    ReadTextLine(source, line);
    EXPECT_EQ(line, " prefix");
}

TEST(NumberReader, CrossesLinesAndSkipsText) {
    MemorySource source("abc\r\n\r\nvalue: -20 12.75\n");
    EXPECT_EQ(ReadNumberToken(source).value, -20);
    EXPECT_EQ(ReadNumberToken(source).value, 12.75);
    const NumberToken none = ReadNumberToken(source);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.value, 0);
}

TEST(NumberReader, TokenEndsAtTheFirstOtherByteWhichIsConsumed) {
    MemorySource source("7x8");
    EXPECT_EQ(ReadNumberToken(source).value, 7);
    EXPECT_EQ(source.Position(), 2u);
    EXPECT_EQ(ReadNumberToken(source).value, 8);
    EXPECT_FALSE(ReadNumberToken(source).found);
}

TEST(NumberReader, LoneMinusAndOddTokens) {
    MemorySource source("- 3-4 1.2.3");
    NumberToken minus = ReadNumberToken(source);
    EXPECT_TRUE(minus.found);
    EXPECT_EQ(minus.value, 0);
    EXPECT_EQ(ReadNumberToken(source).value, 3);  // "3-4" reads as 3
    EXPECT_EQ(ReadNumberToken(source).value, 1.2);
}

TEST(NumberReader, TokenStopsAtItsCapacity) {
    const std::string digits = std::string(kNumberTokenCapacity, '1') + "22 ";
    MemorySource source(digits);
    const NumberToken first = ReadNumberToken(source);
    EXPECT_EQ(first.value, TextToNumber(std::string(kNumberTokenCapacity, '1')));
    EXPECT_EQ(ReadNumberToken(source).value, 22);
}

TEST(TextWriter, LinesEndInCrLfAndNumbersInOneBlank) {
    std::string out;
    StringSink sink(out);
    EXPECT_EQ(WriteNumberToken(sink, 100), 5u);
    EXPECT_EQ(WriteNumberToken(sink, 50), 4u);
    EXPECT_EQ(WriteTextLine(sink, "Vemo: "), 8u);
    EXPECT_EQ(WriteNumberToken(sink, -20), 5u);
    EXPECT_EQ(WriteTextLine(sink, ""), 2u);
    EXPECT_EQ(out, " 100  50 Vemo: \r\n -20 \r\n");
}

TEST(TextWriter, NumberThenTextReadsBack) {
    std::string out;
    StringSink sink(out);
    WriteNumberToken(sink, 42.5);
    WriteTextLine(sink, "task text");
    WriteTextLine(sink, "second");
    MemorySource source(out);
    EXPECT_EQ(ReadNumberToken(source).value, 42.5);
    std::string line;
    ReadTextLine(source, line);
    EXPECT_EQ(line, "task text");
    ReadTextLine(source, line);
    EXPECT_EQ(line, "second");
    EXPECT_EQ(ReadTextLine(source, line), -1);
}

}  // namespace
}  // namespace vemo
