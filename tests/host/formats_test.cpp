#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/log_lines.h"
#include "app/settings_format.h"
#include "app/task_record.h"
#include "network/weights_format.h"

namespace vemo {
namespace {

TaskRow Row(std::string text, std::string priority, std::string state) {
    return {std::move(text), std::move(priority), "06-02-2004", "Mon", "14:30", std::move(state)};
}

std::int32_t IntAt(const RecordBuffer& b, std::size_t offset) {
    std::int32_t v = 0;
    std::memcpy(&v, b.data() + offset, 4);
    return v;
}

TEST(TaskRecordCodec, FieldsLandAtTheirOffsets) {
    RecordBuffer buffer{};
    EncodeTaskRecord(Row("Buy milk", " 3", " 4"), buffer);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 0), "14:30");
    EXPECT_EQ(IntAt(buffer, 256), 4);
    EXPECT_EQ(IntAt(buffer, 260), 3);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 268), "Mon");
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 523), "06-02-2004");
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 778), "Buy milk");
    EXPECT_EQ(DecodeTaskRecord(buffer), Row("Buy milk", " 3", " 4"));
}

TEST(TaskRecordCodec, StateOneIsStoredAsTwoAndNonNumbersAsZero) {
    RecordBuffer buffer{};
    EncodeTaskRecord(Row("t", "high", " 1"), buffer);
    EXPECT_EQ(IntAt(buffer, 256), 2);
    EXPECT_EQ(IntAt(buffer, 260), 0);
    const TaskRow back = DecodeTaskRecord(buffer);
    EXPECT_EQ(back.state, " 2");
    EXPECT_EQ(back.priority, " 0");
    EncodeTaskRecord(Row("t", " 2.5", " 6"), buffer);
    EXPECT_EQ(IntAt(buffer, 260), 2);  // halves to even
    EXPECT_EQ(IntAt(buffer, 256), 6);
}

TEST(TaskRecordCodec, TextsFillTheirFieldsExactlyAndAreCutBeyond) {
    RecordBuffer buffer;
    buffer.fill('#');
    TaskRow row = Row(std::string(257, 't'), " 1", " 0");
    row.created = std::string(254, 'c');
    row.remind_date = std::string(300, 'r');
    row.time = std::string(255, 'h');
    EncodeTaskRecord(row, buffer);
    EXPECT_EQ(buffer[778 + 257], 0);  // the terminator is the last byte of the field
    EXPECT_EQ(buffer[523 + 254], 0);
    EXPECT_EQ(buffer[268 + 254], 0);
    EXPECT_EQ(buffer[255], 0);
    const TaskRow back = DecodeTaskRecord(buffer);
    EXPECT_EQ(back.text, std::string(257, 't'));
    EXPECT_EQ(back.created, std::string(254, 'c'));
    EXPECT_EQ(back.remind_date, std::string(254, 'r'));
    EXPECT_EQ(back.time, std::string(254, 'h'));  // every text but the task's holds 254
    EncodeTaskRecord(Row(std::string(400, 'x'), " 1", " 0"), buffer);
    EXPECT_EQ(DecodeTaskRecord(buffer).text.size(), kTaskTextCapacity);
}

TEST(TaskRecordCodec, FieldsWithoutTerminatorStayInside) {
    RecordBuffer buffer;
    buffer.fill('z');
    const TaskRow row = DecodeTaskRecord(buffer);
    EXPECT_EQ(row.text.size(), 257u);
    EXPECT_EQ(row.created.size(), 254u);
    EXPECT_EQ(row.time.size(), 254u);
}

TEST(DatabaseImage, HeaderCountsTheRowsAndRepeatsTheLastRow) {
    RecordBuffer buffer{};
    const std::vector<TaskRow> rows = {Row("a", " 1", " 6"), Row("b", " 2", " 5")};
    const std::string file = EncodeDatabase(rows, buffer);
    ASSERT_EQ(file.size(), 3 * TaskRecordSize);
    RecordBuffer header;
    std::memcpy(header.data(), file.data(), TaskRecordSize);
    EXPECT_EQ(RecordCount(header), 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(header.data() + 778), "b");
    RecordBuffer read_buffer{};
    EXPECT_EQ(DecodeDatabase(file, read_buffer), rows);
}

TEST(DatabaseImage, EmptyListStillHasItsHeader) {
    RecordBuffer buffer{};
    const std::string file = EncodeDatabase({}, buffer);
    EXPECT_EQ(file.size(), TaskRecordSize);
    EXPECT_TRUE(DecodeDatabase(file, buffer).empty());
    EXPECT_TRUE(DecodeDatabase("", buffer).empty());
    EXPECT_TRUE(DecodeDatabase(std::string(1035, '\0'), buffer).empty());
}

TEST(DatabaseImage, BadCountsLoadWhatIsPresent) {
    RecordBuffer buffer{};
    std::vector<TaskRow> rows;
    for (int i = 0; i < 3; ++i) rows.push_back(Row("task " + std::to_string(i), " 1", " 6"));
    const std::string file = EncodeDatabase(rows, buffer);
    struct Case {
        std::int32_t count;
        std::size_t cut;  // bytes missing at the end
        std::size_t loaded;
    };
    for (const Case c : {Case{1000, 0, 3}, Case{-5, 0, 3}, Case{-1, 0, 3}, Case{INT32_MIN, 0, 3},
                         Case{-1, 10, 2},  // a part of a record is no record
                         Case{3, 10, 2}, Case{1, 0, 1}, Case{0, 0, 0}, Case{-1, 1036 * 3, 0},
                         Case{-1, 1036 * 3 + 1, 0}}) {
        RecordBuffer header;
        std::memcpy(header.data(), file.data(), TaskRecordSize);
        SetRecordCount(header, c.count);
        std::string damaged = file.substr(0, file.size() - c.cut);
        std::memcpy(damaged.data(), header.data(), std::min(damaged.size(), TaskRecordSize));
        EXPECT_EQ(RowsToLoad(header, damaged.size()), c.loaded) << c.count << " cut " << c.cut;
        EXPECT_EQ(DecodeDatabase(damaged, buffer),
                  std::vector<TaskRow>(rows.begin(), rows.begin() + c.loaded))
            << c.count << " cut " << c.cut;
    }
}

std::string SampleSettingsFile() {
    return "C:\\Tools\\run.exe\r\nC:\\Sounds\\ding.wav\r\n 1\r\n 0\r\nC:\\Vemo\\vemo.dat\r\n"
           " 100  50 Vemo: \r\nno\r\nyes\r\nC:\\msg.txt\r\nyes\r\nC:\\in.txt\r\n";
}

TEST(SettingsFormat, ReadsTheThirteenValues) {
    const std::string file = SampleSettingsFile();
    MemorySource source(file);
    Settings s;
    ParseSettings(source, s);
    EXPECT_EQ(s.program_path, "C:\\Tools\\run.exe");
    EXPECT_EQ(s.sound_path, "C:\\Sounds\\ding.wav");
    EXPECT_EQ(s.run_program, 1);
    EXPECT_EQ(s.play_sound, 0);
    EXPECT_EQ(s.database_path, "C:\\Vemo\\vemo.dat");
    EXPECT_EQ(s.window_x, 100);
    EXPECT_EQ(s.window_y, 50);
    EXPECT_EQ(s.message_prefix, "Vemo: ");
    EXPECT_EQ(s.create_message_file, "no");
    EXPECT_EQ(s.show_network_output, "yes");
    EXPECT_EQ(s.message_file_path, "C:\\msg.txt");
    EXPECT_EQ(s.fine_tune, "yes");
    EXPECT_EQ(s.import_file_path, "C:\\in.txt");
    EXPECT_EQ(FormatSettings(s), file);
}

TEST(SettingsFormat, ShortOlderFilesLoadWithTheirDefaults) {
    MemorySource source("a\r\nb\r\n 1\r\n 1\r\nC:\\v.dat\r\n");
    Settings s;
    s.message_prefix = "kept?";
    ParseSettings(source, s);
    EXPECT_EQ(s.database_path, "C:\\v.dat");
    EXPECT_EQ(s.window_x, 0);
    EXPECT_EQ(s.window_y, 0);
    EXPECT_EQ(s.message_prefix, "");
    EXPECT_EQ(s.create_message_file, "yes");
    EXPECT_EQ(s.show_network_output, "no");
    EXPECT_EQ(s.fine_tune, "");
    EXPECT_EQ(s.import_file_path, "");
}

TEST(SettingsFormat, NegativePositionAndBlankPrefixRoundTrip) {
    Settings s;
    s.window_x = -20;
    s.window_y = 7;
    s.message_prefix = " spaced: ";
    const std::string file = FormatSettings(s);
    EXPECT_NE(file.find("\r\n -20  7  spaced: \r\n"), std::string::npos);
    MemorySource source(file);
    Settings back;
    ParseSettings(source, back);
    EXPECT_EQ(back, s);
}

TEST(SettingsFormat, NumbersRoundAndWrapToTheirWidths) {
    MemorySource source("\r\n\r\n 257\r\n 1.5\r\n\r\n 42.5 43.5 \r\n");
    Settings s;
    ParseSettings(source, s);
    EXPECT_EQ(s.run_program, 1);
    EXPECT_EQ(s.play_sound, 2);
    EXPECT_EQ(s.window_x, 42);
    EXPECT_EQ(s.window_y, 44);
}

TEST(WeightsFormat, PositionsRoundAndEmptyTextsKeepTheirValue) {
    Weights w;
    w.texts = DefaultResponseTexts();
    MemorySource source(" 10\r\n 20\r\n 42.5\r\n 150\r\nx\r\n\r\nOne\r\nTwo\r\n\r\n");
    ParseWeights(source, w);
    EXPECT_EQ(w.positions, (std::array<std::int32_t, 6>{10, 20, 42, 150, 0, 0}));
    EXPECT_EQ(w.texts[0], "One");
    EXPECT_EQ(w.texts[1], "Two");
    EXPECT_EQ(w.texts[2], "Alarm within the hour      ");  // empty line 9 keeps it
    EXPECT_EQ(w.texts[5], "Old active reminders       ");
    MemorySource halves(" 0\r\n 0\r\n 43.5\r\n");
    ParseWeights(halves, w);
    EXPECT_EQ(w.positions[2], 44);
}

TEST(WeightsFormat, DefaultsAreTwentySevenCharactersAndRoundTrip) {
    Weights w;
    w.texts = DefaultResponseTexts();
    for (const std::string& text : w.texts) EXPECT_EQ(text.size(), 27u);
    const std::string file = FormatWeights(w);
    EXPECT_EQ(file.substr(0, 24), " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    Weights back;
    MemorySource source(file);
    ParseWeights(source, back);
    EXPECT_EQ(back.texts, w.texts);
}

TEST(LogAndNoteLines, BlanksAreExact) {
    TaskRow row = Row("Call Bob", " 5", " 6");
    row.created = "01-12-2026";
    row.remind_date = "07-12-2026";
    row.time = "14:30";
    EXPECT_EQ(LogLine(row, "07-12-2026"), "01-12-2026 07-12-2026  07-12-2026 Call Bob");
    EXPECT_EQ(NoteLine(row), "Call Bob 01-12-2026  5 07-12-2026 14:30 ");
    row.remind_date = "";
    EXPECT_EQ(LogLine(row, "07-12-2026"), "01-12-2026   07-12-2026 Call Bob");
}

}  // namespace
}  // namespace vemo
