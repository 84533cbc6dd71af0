#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <vector>

#include "command_recorder.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

// Hands its scroll messages to its bars, as an application's handlers do, and records them.
class ScrollParent : public CommandRecorder {
public:
    struct Report {
        HWND control;
        UINT code;
        int pos;
    };
    void OnHScroll(HWND, HWND control, UINT code, int pos) override { Take(control, code, pos); }
    void OnVScroll(HWND, HWND control, UINT code, int pos) override { Take(control, code, pos); }
    void Take(HWND control, UINT code, int pos)
    {
        reports.push_back({control, code, pos});
        for (CScrollBarBase* bar : bars) {
            bar->Scroll(control, code, pos);
        }
    }
    std::vector<Report> reports;
    std::vector<CScrollBarBase*> bars;
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
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    }
    // Where the control's own thumb stands.
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

TEST_F(ScrollBars, EveryCodeMovesTheStoredPositionWithinTheRangeAndTheThumbFollows)
{
    const struct {
        int from;
        UINT code;
        int pos;
        int expected;
    } cases[] = {
        {50, SB_LINELEFT, 0, 49},    {0, SB_LINELEFT, 0, 0},        {50, SB_LINERIGHT, 0, 51},
        {100, SB_LINERIGHT, 0, 100}, {50, SB_PAGELEFT, 0, 40},      {5, SB_PAGELEFT, 0, 0},
        {95, SB_PAGERIGHT, 0, 100},  {50, SB_THUMBPOSITION, 70, 70}, {50, SB_THUMBPOSITION, 250, 100},
        {50, SB_THUMBPOSITION, -3, 0}, {50, SB_THUMBTRACK, 80, 50}, {50, SB_LEFT, 0, 0},
        {50, SB_RIGHT, 0, 100},      {50, SB_ENDSCROLL, 90, 50},    {50, 42, 90, 50},
        {-5, SB_ENDSCROLL, 0, 0},    {1000, SB_ENDSCROLL, 0, 100},
    };
    for (CScrollBarBase* bar : std::vector<CScrollBarBase*>{&horizontal, &vertical}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "from " << c.from << " code " << c.code);
            bar->SetCursorPos(c.from);
            EXPECT_TRUE(bar->Scroll(bar->GetWndHandle(), c.code, c.pos));
            EXPECT_EQ(bar->GetCursorPos(), c.expected);
            // The platform stops the thumb one page short of the end.
            EXPECT_EQ(ThumbOf(*bar), std::min(c.expected, 91));
        }
    }
    // Another bar's handle: false, and neither bar moves.
    EXPECT_FALSE(horizontal.Scroll(vertical.GetWndHandle(), SB_LEFT, 0));
    EXPECT_FALSE(vertical.Scroll(horizontal.GetWndHandle(), SB_LEFT, 0));
    EXPECT_EQ(horizontal.GetCursorPos() + vertical.GetCursorPos(), 200);
    // A new bar reads 0 outside its range 10 .. 50; a copy keeps a position of its own.
    CScrollBarHorizon narrow;
    ASSERT_TRUE(narrow.Create(hwnd, 20, 80, 200, 20, 10, 50));
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
    POINT right = CentreOf(horizontal.GetWndHandle());
    POINT up = CentreOf(vertical.GetWndHandle());
    ClickAt({right.x + 150 - 6, right.y});
    ClickAt({up.x, up.y - 125 + 6});
    ASSERT_TRUE(PumpUntil([&] { return parent.reports.size() >= 4; }, 2000));
    const ScrollParent::Report expected[] = {{horizontal.GetWndHandle(), SB_LINERIGHT, 0},
                                             {horizontal.GetWndHandle(), SB_ENDSCROLL, 0},
                                             {vertical.GetWndHandle(), SB_LINEUP, 0},
                                             {vertical.GetWndHandle(), SB_ENDSCROLL, 0}};
    ASSERT_EQ(parent.reports.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(parent.reports[i].control, expected[i].control);
        EXPECT_EQ(parent.reports[i].code, expected[i].code);
    }
    EXPECT_EQ(horizontal.GetCursorPos(), 41);
    EXPECT_EQ(vertical.GetCursorPos(), 39);
}

TEST_F(ScrollBars, AThumbDroppedBeyond32767TakesItsPlaceAndNotTheMinimum)
{
    CScrollBarHorizon wide;
    ASSERT_TRUE(wide.Create(hwnd, 20, 120, 400, 24, 0, 40000));
    parent.bars = {&wide};
    wide.SetCursorPos(20000);
    POINT thumb = CentreOf(wide.GetWndHandle());
    // Released past the bar but inside the parent: under Wine a release outside the parent
    // never reaches the bar's drag loop.
    DragTo(thumb, {thumb.x + 240, thumb.y});
    ASSERT_TRUE(PumpUntil([&] { return !parent.reports.empty() && parent.reports.back().code == SB_ENDSCROLL; }));
    auto dropped = std::find_if(parent.reports.begin(), parent.reports.end(),
                                [](const ScrollParent::Report& r) { return r.code == SB_THUMBPOSITION; });
    ASSERT_NE(dropped, parent.reports.end());
    EXPECT_LT(dropped->pos, 0) << "the message carries only 16 signed bits";
    EXPECT_EQ(wide.GetCursorPos(), 40000 - 10 + 1);
    EXPECT_EQ(ThumbOf(wide), 40000 - 10 + 1);
}

}  // namespace
