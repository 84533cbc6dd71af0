#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "command_recorder.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

// A parent that hands its scroll messages to its bars, as an application's handlers do.
class ScrollParent : public CommandRecorder {
public:
    struct Report {
        HWND control;
        UINT code;
        int pos;
        bool vertical;
    };
    void OnHScroll(HWND, HWND control, UINT code, int pos) override { Take(control, code, pos, false); }
    void OnVScroll(HWND, HWND control, UINT code, int pos) override { Take(control, code, pos, true); }

    std::vector<Report> reports;
    std::vector<CScrollBarBase*> bars;

private:
    void Take(HWND control, UINT code, int pos, bool vertical)
    {
        reports.push_back({control, code, pos, vertical});
        for (CScrollBarBase* bar : bars) {
            bar->Scroll(control, code, pos);
        }
    }
};

class ScrollBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(480, 360, 40, 40));
        hwnd = parent.GetWndHandle();
        SetForegroundWindow(hwnd);
        ASSERT_TRUE(horizontal.Create(hwnd, 20, 20, 300, 24, 0, 100));
        ASSERT_TRUE(vertical.Create(hwnd, 400, 20, 24, 250, 0, 100));
    }
    // The position the control's own thumb stands at.
    static int ThumbOf(const CScrollBarBase& bar)
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        GetScrollInfo(bar.GetWndHandle(), SB_CTL, &info);
        return info.nPos;
    }

    ScrollParent parent;
    HWND hwnd = nullptr;
    CScrollBarHorizon horizontal;
    CScrollBarVertical vertical;
};

TEST_F(ScrollBars, EveryCodeMovesTheStoredPositionWithinTheRange)
{
    struct Case {
        int from;
        UINT code;
        int pos;
        int expected;
    };
    const Case cases[] = {
        {50, SB_LINELEFT, 0, 49},     {0, SB_LINELEFT, 0, 0},         {50, SB_LINERIGHT, 0, 51},
        {100, SB_LINERIGHT, 0, 100},  {50, SB_PAGELEFT, 0, 40},       {5, SB_PAGELEFT, 0, 0},
        {50, SB_PAGERIGHT, 0, 60},    {95, SB_PAGERIGHT, 0, 100},     {50, SB_THUMBPOSITION, 70, 70},
        {50, SB_THUMBPOSITION, 250, 100}, {50, SB_THUMBPOSITION, -3, 0}, {50, SB_THUMBTRACK, 80, 50},
        {50, SB_LEFT, 0, 0},          {50, SB_RIGHT, 0, 100},         {50, SB_ENDSCROLL, 90, 50},
        {50, 42, 90, 50},
    };
    for (CScrollBarBase* bar : {static_cast<CScrollBarBase*>(&horizontal),
                                static_cast<CScrollBarBase*>(&vertical)}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "from " << c.from << " code " << c.code);
            bar->SetCursorPos(c.from);
            EXPECT_TRUE(bar->Scroll(bar->GetWndHandle(), c.code, c.pos));
            EXPECT_EQ(bar->GetCursorPos(), c.expected);
            // The thumb follows; the platform stops it one page short of the end.
            EXPECT_EQ(ThumbOf(*bar), std::min(c.expected, 91));
        }
    }
}

TEST_F(ScrollBars, AnotherBarsHandleAndSetCursorPosOutsideTheRange)
{
    horizontal.SetCursorPos(30);
    vertical.SetCursorPos(60);
    EXPECT_FALSE(horizontal.Scroll(vertical.GetWndHandle(), SB_LINERIGHT, 0));
    EXPECT_FALSE(vertical.Scroll(horizontal.GetWndHandle(), SB_RIGHT, 0));
    EXPECT_FALSE(horizontal.Scroll(nullptr, SB_LEFT, 0));
    EXPECT_EQ(horizontal.GetCursorPos(), 30);
    EXPECT_EQ(vertical.GetCursorPos(), 60);

    const int requested[] = {-5, 0, 77, 100, 1000};
    const int stored[] = {0, 0, 77, 100, 100};
    for (int i = 0; i < 5; ++i) {
        horizontal.SetCursorPos(requested[i]);
        EXPECT_EQ(horizontal.GetCursorPos(), stored[i]);
    }

    // A new bar reads its stored 0 until told otherwise, even outside its range; a copy
    // keeps a position of its own.
    CScrollBarHorizon narrow;
    ASSERT_TRUE(narrow.Create(hwnd, 20, 80, 200, 20, 10, 50));
    EXPECT_EQ(narrow.GetCursorPos(), 0);
    CScrollBarHorizon copy(narrow);
    EXPECT_TRUE(copy.Scroll(narrow.GetWndHandle(), SB_LINERIGHT, 0));
    EXPECT_EQ(copy.GetCursorPos(), 10);
    EXPECT_EQ(narrow.GetCursorPos(), 0);
}

TEST_F(ScrollBars, AClickOnAnArrowReachesTheParentAndMovesTheBarByOne)
{
    parent.bars = {&horizontal, &vertical};
    horizontal.SetCursorPos(40);
    vertical.SetCursorPos(40);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    RECT bar = {};
    GetWindowRect(horizontal.GetWndHandle(), &bar);
    // The right arrow is a square at the right end of the bar.
    ClickAt({bar.right - 6, (bar.top + bar.bottom) / 2});
    GetWindowRect(vertical.GetWndHandle(), &bar);
    // The up arrow is at the top of the vertical bar.
    ClickAt({(bar.left + bar.right) / 2, bar.top + 6});
    ASSERT_TRUE(PumpUntil([&] { return parent.reports.size() >= 4; }, 2000));
    ASSERT_EQ(parent.reports.size(), 4u);
    EXPECT_EQ(parent.reports[0].code, static_cast<UINT>(SB_LINERIGHT));
    EXPECT_FALSE(parent.reports[0].vertical);
    EXPECT_EQ(parent.reports[1].code, static_cast<UINT>(SB_ENDSCROLL));
    EXPECT_EQ(parent.reports[2].code, static_cast<UINT>(SB_LINEUP));
    EXPECT_TRUE(parent.reports[2].vertical);
    EXPECT_EQ(parent.reports[2].control, vertical.GetWndHandle());
    EXPECT_EQ(horizontal.GetCursorPos(), 41);
    EXPECT_EQ(vertical.GetCursorPos(), 39);
    EXPECT_EQ(ThumbOf(horizontal), 41);
}

TEST_F(ScrollBars, AThumbDroppedBeyond32767TakesItsPlaceAndNotTheMinimum)
{
    CScrollBarHorizon wide;
    ASSERT_TRUE(wide.Create(hwnd, 20, 120, 400, 24, 0, 40000));
    parent.bars = {&wide};
    wide.SetCursorPos(20000);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    RECT bar = {};
    GetWindowRect(wide.GetWndHandle(), &bar);
    int middle = (bar.top + bar.bottom) / 2;
    // The thumb stands in the middle; drag it past the right end.
    DragTo({(bar.left + bar.right) / 2, middle}, {bar.right + 40, middle});
    ASSERT_TRUE(PumpUntil(
        [&] {
            return !parent.reports.empty() && parent.reports.back().code == SB_ENDSCROLL;
        },
        2000));
    bool dropped = false;
    for (const ScrollParent::Report& report : parent.reports) {
        if (report.code == SB_THUMBPOSITION) {
            dropped = true;
            // The message itself can carry only 16 signed bits.
            EXPECT_LT(report.pos, 0);
        }
    }
    EXPECT_TRUE(dropped);
    EXPECT_EQ(wide.GetCursorPos(), 40000 - 10 + 1);
    EXPECT_EQ(ThumbOf(wide), 40000 - 10 + 1);
}

}  // namespace
