// The undo history: what it keeps of many steps, and what a new step or a
// fresh start does to the steps kept.
#include <gtest/gtest.h>

#include <string>

#include "app/task_history.h"

namespace vemo {
namespace {

TaskStep StepOf(std::size_t text_bytes, int n) {
    TaskStep step;
    step.kind = StepKind::Remove;
    step.row = n;
    step.task.text = std::string(text_bytes, 't');
    return step;
}

// The newest steps that fit in 1 MB, and the newest always.
TEST(TaskHistory, KeepsTheNewestStepsThatFitTheCap) {
    struct Case {
        std::size_t text_bytes;
        int recorded;
    };
    for (const Case c : {Case{10, 3000}, Case{300, 3000}, Case{5000, 400}, Case{2000000, 3}}) {
        SCOPED_TRACE(c.text_bytes);
        TaskHistory history;
        for (int n = 0; n < c.recorded; ++n) history.Record(StepOf(c.text_bytes, n));
        const std::size_t step_bytes = StepOf(c.text_bytes, 0).Bytes();
        const auto all = static_cast<std::size_t>(c.recorded);
        EXPECT_EQ(history.Steps(),
                  std::min(all, std::max<std::size_t>(1, kHistoryBytes / step_bytes)));
        // One row's step at its longest: far more than a hundred fit.
        if (c.text_bytes <= 300) {
            EXPECT_GT(history.Steps(), 1000u);
        }
        EXPECT_EQ(history.Bytes(), history.Steps() * step_bytes);
        // The newest is the one to undo, and the rest follow in order.
        for (auto n = static_cast<int>(all);
             n-- > c.recorded - static_cast<int>(history.Steps());) {
            ASSERT_NE(history.ToUndo(), nullptr);
            EXPECT_EQ(history.ToUndo()->row, n);
            history.Undone();
        }
        EXPECT_EQ(history.ToUndo(), nullptr);
        EXPECT_EQ(history.ToRedo()->row, c.recorded - static_cast<int>(history.Steps()));
    }
}

TEST(TaskHistory, ANewStepEndsTheUndoneOnesAndAFreshStartSaysWhy) {
    TaskHistory history;
    EXPECT_FALSE(history.Restart("since nothing"));
    EXPECT_EQ(history.WhyEmpty(), nullptr);
    for (int n = 0; n < 3; ++n) history.Record(StepOf(10, n));
    history.Undone();
    history.Undone();
    history.Redone();
    history.Record(StepOf(10, 7));
    EXPECT_EQ(history.ToRedo(), nullptr);
    EXPECT_EQ(history.Steps(), 3u);
    EXPECT_EQ(history.ToUndo()->row, 7);
    history.Undone();
    EXPECT_EQ(history.ToUndo()->row, 1);
    EXPECT_TRUE(history.Restart("since the list was loaded again"));
    EXPECT_EQ(history.Steps(), 0u);
    EXPECT_EQ(history.Bytes(), 0u);
    EXPECT_EQ(history.ToRedo(), nullptr);
    EXPECT_STREQ(history.WhyEmpty(), "since the list was loaded again");
    // A later start with no step since is the reason from then on.
    EXPECT_FALSE(history.Restart("since another PC's changes came in"));
    EXPECT_STREQ(history.WhyEmpty(), "since another PC's changes came in");
    history.Record(StepOf(10, 0));
    EXPECT_EQ(history.WhyEmpty(), nullptr);

    // The save of a deletion merged another PC's changes: the deletion stays
    // undoable, the steps before it go; a sort or a change would not stay.
    history.Record(StepOf(10, 5));
    EXPECT_TRUE(history.Restart("since another PC's changes came in", true));
    ASSERT_EQ(history.Steps(), 1u);
    EXPECT_EQ(history.ToUndo()->row, 5);
    EXPECT_EQ(history.Bytes(), StepOf(10, 5).Bytes());
    TaskStep sort;
    sort.kind = StepKind::Reorder;
    history.Record(sort);
    EXPECT_TRUE(history.Restart("since another PC's changes came in", true));
    EXPECT_EQ(history.Steps(), 0u);
}

}  // namespace
}  // namespace vemo
