// The rows in memory: every change leaves each cell as a vector of rows would,
// through the packing of the texts and a row appended from the rows
// themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/task_rows.h"

namespace vemo {
namespace {

TaskRow Numbered(int i) {
    const std::string n = std::to_string(i);
    return {"task " + n + std::string(static_cast<std::size_t>(i % 40), '.'),
            " " + n,
            "01-12-2026",
            "--Mon",
            n + ":15",
            " 6"};
}

void ExpectSame(const TaskRows& rows, const std::vector<TaskRow>& expected, int step) {
    ASSERT_EQ(rows.Count(), static_cast<int>(expected.size())) << step;
    for (int i = 0; i < rows.Count(); ++i) {
        ASSERT_EQ(rows.Row(i), expected[static_cast<std::size_t>(i)])
            << "row " << i << " step " << step;
        ASSERT_EQ(std::string(rows.CellText(i, TaskField::Text)),
                  expected[static_cast<std::size_t>(i)].text);
    }
}

TEST(TaskRows, EveryChangeKeepsTheCellsOfAPlainVectorOfRows) {
    TaskRows rows;
    std::vector<TaskRow> expected;
    for (int i = 0; i < 300; ++i) {
        rows.Append(Numbered(i));
        expected.push_back(Numbered(i));
    }
    // Enough rewrites of the state codes to pack the texts many times over.
    for (int step = 0; step < 5000; ++step) {
        const int row = (step * 37) % rows.Count();
        switch (step % 6) {
            case 0:
                rows.Set(row, TaskField::State, " " + std::to_string(step % 7));
                expected[static_cast<std::size_t>(row)].state = " " + std::to_string(step % 7);
                break;
            case 1:
                rows.Set(row, TaskField::Text,
                         std::string(static_cast<std::size_t>(step % 300), 'x'));
                expected[static_cast<std::size_t>(row)].text =
                    std::string(static_cast<std::size_t>(step % 300), 'x');
                break;
            case 2:  // a row appended from the rows themselves
                rows.Append(rows.View(row));
                expected.push_back(expected[static_cast<std::size_t>(row)]);
                break;
            case 3:
                rows.Erase(row);
                expected.erase(expected.begin() + row);
                break;
            case 4: {  // before a row, or past the end: after the last
                const int at = step % 4 == 0 ? rows.Count() + 3 : row;
                rows.Insert(at, Numbered(step));
                expected.insert(expected.begin() + std::min(at, static_cast<int>(expected.size())),
                                Numbered(step));
                break;
            }
            default:  // outside the rows: nothing changes
                rows.Erase(rows.Count());
                rows.Set(-1, TaskField::Text, "no");
                break;
        }
        if (step % 500 == 0) ExpectSame(rows, expected, step);
    }
    ExpectSame(rows, expected, -1);
    EXPECT_EQ(rows.Cell(rows.Count(), TaskField::Text), "");
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
}

}  // namespace
}  // namespace vemo
