#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "support/frame_window.h"

namespace {

TEST(ProgressBar, CreateOrdersTheLimitsAndBothKeepThemWhole)
{
    struct Case {
        int minimum, maximum, low, high;
    };
    const Case cases[] = {{0, 100, 0, 100}, {100, 0, 0, 100}, {-50, 70000, -50, 70000}, {70000, -50, -50, 70000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << " to " << c.maximum);
        TestFrame frame;
        ASSERT_TRUE(frame.Create());
        CProgressBar bar;
        ASSERT_TRUE(bar.Create(frame.GetWndHandle(), c.minimum, c.maximum, 1, 10, 10, 150, 20));
        EXPECT_EQ(bar.GetMin(), c.low);
        EXPECT_EQ(bar.GetMax(), c.high);
        EXPECT_EQ(bar.GetPos(), 0);
        // SetMinMax sends them in the order given.
        bar.SetMinMax(c.minimum, c.maximum);
        EXPECT_EQ(bar.GetMin(), c.minimum);
        EXPECT_EQ(bar.GetMax(), c.maximum);
    }
}

TEST(ProgressBar, UpdateStepStopsAtTheMaximumAndSaysSo)
{
    struct Case {
        int maximum, step, start;
        std::vector<int> positions;  // after each UpdateStep; the last ones answer true
        size_t firstFull;
    };
    const Case cases[] = {
        {100, 30, 0, {30, 60, 90, 100, 100}, 3},
        {100, 10, 90, {100}, 0},
        {70000, 30000, 0, {30000, 60000, 70000}, 2},
        // A sum past the int range must not wrap below the maximum.
        {2000000000, 1500000000, 1000000000, {2000000000}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "0 to " << c.maximum << " by " << c.step);
        TestFrame frame;
        ASSERT_TRUE(frame.Create());
        CProgressBar bar;
        ASSERT_TRUE(bar.Create(frame.GetWndHandle(), 0, c.maximum, c.step, 10, 10, 150, 20));
        bar.SetPos(c.start);
        for (size_t i = 0; i < c.positions.size(); ++i) {
            EXPECT_EQ(bar.UpdateStep(), i >= c.firstFull);
            EXPECT_EQ(bar.GetPos(), c.positions[i]);
        }
        // A copy steps the same control with the same step.
        CProgressBar copy(bar);
        EXPECT_TRUE(copy.UpdateStep());
    }
    // Without a control the queries answer 0 and the bar counts as full.
    CProgressBar none;
    EXPECT_TRUE(none.UpdateStep());
    EXPECT_EQ(none.GetMax(), 0);
}

}  // namespace
