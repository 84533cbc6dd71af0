#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "support/frame_window.h"

namespace {

struct Bar {
    TestFrame frame;
    CProgressBar bar;
    bool Create(int minimum, int maximum, int step)
    {
        return frame.Create(300, 120) &&
               bar.Create(frame.GetWndHandle(), minimum, maximum, step, 10, 10, 202, 20);
    }
};

TEST(ProgressBar, CreateOrdersTheLimitsAndKeepsThemWhole)
{
    struct Case {
        int minimum, maximum;
        int low, high;
    };
    const Case cases[] = {
        {0, 100, 0, 100},
        {100, 0, 0, 100},
        {-50, 70000, -50, 70000},
        {70000, -50, -50, 70000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << " to " << c.maximum);
        Bar bar;
        ASSERT_TRUE(bar.Create(c.minimum, c.maximum, 1));
        EXPECT_EQ(bar.bar.GetMin(), c.low);
        EXPECT_EQ(bar.bar.GetMax(), c.high);
        EXPECT_EQ(bar.bar.GetPos(), c.low > 0 ? c.low : 0);
        // The control itself reports the same range.
        PBRANGE range = {};
        SendMessageW(bar.bar.GetWndHandle(), PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iLow, c.low);
        EXPECT_EQ(range.iHigh, c.high);
    }
    wchar_t className[32] = {};
    Bar bar;
    ASSERT_TRUE(bar.Create(0, 1, 1));
    GetClassNameW(bar.bar.GetWndHandle(), className, 32);
    EXPECT_STREQ(className, L"msctls_progress32");
    auto style = static_cast<DWORD>(GetWindowLongPtrW(bar.bar.GetWndHandle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), DWORD{WS_CHILD | WS_VISIBLE | WS_BORDER});
    EXPECT_TRUE(CProgressBar::m_bOnce);

    // SetMinMax sends the limits in the order given.
    bar.bar.SetMinMax(100, 0);
    EXPECT_EQ(bar.bar.GetMin(), 100);
    EXPECT_EQ(bar.bar.GetMax(), 0);
}

TEST(ProgressBar, UpdateStepStopsAtTheMaximumAndSaysSo)
{
    struct Step {
        int position;
        bool full;
    };
    struct Case {
        int minimum, maximum, step, start;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {0, 100, 30, 0, {{30, false}, {60, false}, {90, false}, {100, true}, {100, true}}},
        {0, 100, 10, 90, {{100, true}}},
        {0, 100, 0, 100, {{100, true}}},
        {0, 70000, 30000, 0, {{30000, false}, {60000, false}, {70000, true}}},
        {-100, 2000000000, 1500000000, 1000000000, {{2000000000, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << " to " << c.maximum << " by " << c.step);
        Bar bar;
        ASSERT_TRUE(bar.Create(c.minimum, c.maximum, c.step));
        bar.bar.SetPos(c.start);
        for (const Step& step : c.steps) {
            EXPECT_EQ(bar.bar.UpdateStep(), step.full);
            EXPECT_EQ(bar.bar.GetPos(), step.position);
        }
    }
}

// How much of the bar's middle row shows the fill colour, in per cent of its width.
int FilledPercent(HWND bar)
{
    UpdateWindow(bar);
    RECT client = {};
    GetClientRect(bar, &client);
    HDC dc = GetDC(bar);
    COLORREF fill = GetSysColor(COLOR_HIGHLIGHT);
    int filled = 0;
    for (int x = 0; x < client.right; ++x) {
        filled += GetPixel(dc, x, client.bottom / 2) == fill;
    }
    ReleaseDC(bar, dc);
    return filled * 100 / client.right;
}

TEST(ProgressBar, ALargeRangeIsDrawnInProportion)
{
    struct Case {
        int maximum, position;
        int low, high;  // the filled share in per cent, allowing for the gaps between blocks
    };
    const Case cases[] = {
        {70000, 0, 0, 0},
        {70000, 17500, 15, 26},
        {70000, 35000, 35, 51},
        {70000, 70000, 80, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " of " << c.maximum);
        Bar bar;
        ASSERT_TRUE(bar.Create(0, c.maximum, 1));
        bar.bar.SetPos(c.position);
        int percent = FilledPercent(bar.bar.GetWndHandle());
        EXPECT_GE(percent, c.low);
        EXPECT_LE(percent, c.high);
    }
}

TEST(ProgressBar, WithoutAControlQueriesAnswerZeroAndAStepFillsNothing)
{
    CProgressBar bar;
    bar.SetStep(5);
    EXPECT_TRUE(bar.UpdateStep());
    EXPECT_EQ(bar.GetMin(), 0);
    EXPECT_EQ(bar.GetMax(), 0);
    EXPECT_EQ(bar.GetPos(), 0);
}

}  // namespace
