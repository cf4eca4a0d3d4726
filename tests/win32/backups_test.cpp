// The database's dated copies, made by the real start-up step with the clock
// moved a day at a time, on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "app/state.h"
#include "program/startup.h"
#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;

class Backups : public ProgramTest {
  protected:
    std::string Backup(const std::string& name) { return folder / ("backups\\" + name); }
    // The names in backups\, sorted; none when it does not exist.
    std::vector<std::string> Listing() { return NamesIn(Backup("")); }
    // A start on the day: returns the name its dated copy should have.
    std::string StartOn(int year, int month, int day) {
        Seams().clock->wYear = static_cast<WORD>(year);
        Seams().clock->wMonth = static_cast<WORD>(month);
        Seams().clock->wDay = static_cast<WORD>(day);
        BackUpAtStart();
        char date[32] = {};
        std::snprintf(date, sizeof(date), "%04d-%02d-%02d", year, month, day);
        return "vemo-" + std::string(date) + "." + ComputerName() + ".dat";
    }
};

TEST_F(Backups, EachDayKeepsItsFirstStartsCopyAndTheNewestFourteenOfThisDatabase) {
    SettingsOf().Values.database_path = folder / "vemo.dat";
    RecordBuffer buffer{};
    const std::string one_task = EncodeDatabase(Rows({"a"}), buffer);
    // Without a whole task there is nothing worth a day's copy.
    for (std::size_t size : {std::size_t{0}, TaskRecordSize, one_task.size() - 1}) {
        WriteWholeFile(folder / "vemo.dat", one_task.substr(0, size));
        StartOn(2026, 12, 20);
        EXPECT_TRUE(Listing().empty()) << size;
    }
    // Not this database's dated copies, or another computer's: never deleted.
    const std::vector<std::string> others = {"notes.txt",           "vemo-2026-01-01-120000.dat",
                                             "vemo-2026-1-01.dat",  "vemo-2026-01-01.txt",
                                             "work-2026-01-01.dat", "vemo-2026-01-01.OTHER-PC.dat"};
    std::map<std::string, std::string> first_of_day;
    for (int i = 0; i < 16; ++i) {  // 20 December to 4 January
        const int day = 20 + i;
        const std::string text = "day " + std::to_string(i);
        WriteRows(folder / "vemo.dat", Rows({text.c_str(), "b"}));
        const std::string name = day > 31 ? StartOn(2027, 1, day - 31) : StartOn(2026, 12, day);
        first_of_day[name] = ReadWholeFile(folder / "vemo.dat");
        WriteRows(folder / "vemo.dat", Rows({"later the same day"}));
        EXPECT_EQ(day > 31 ? StartOn(2027, 1, day - 31) : StartOn(2026, 12, day), name);
        EXPECT_TRUE(ReadWholeFile(Backup(name)) == first_of_day[name]) << name;
        if (i == 0) {
            for (const std::string& other : others) WriteWholeFile(Backup(other), other);
        }
    }
    std::vector<std::string> expected = others;
    auto day = first_of_day.begin();
    std::advance(day, 2);  // the two oldest are gone
    for (; day != first_of_day.end(); ++day) {
        expected.push_back(day->first);
        EXPECT_TRUE(ReadWholeFile(Backup(day->first)) == day->second) << day->first;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(), expected);
    for (const std::string& other : others) EXPECT_EQ(ReadWholeFile(Backup(other)), other);
    EXPECT_TRUE(ReadWholeFile(folder / "vemo.bak") == ReadWholeFile(folder / "vemo.dat"));
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vemo
