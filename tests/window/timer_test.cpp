#include <gtest/gtest.h>

#include <tsumiki.h>

#include <map>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class TickCounter : public TestFrame {
public:
    void OnTimer(HWND, UINT id) override { ++ticks[id]; }
    std::map<UINT, int> ticks;
};

TEST(Timer, TicksReachOnTimerWithTheTimersIdentifier)
{
    TickCounter frame;
    ASSERT_TRUE(frame.Create());
    frame.Timer().Create(frame.GetWndHandle(), 10, nullptr);
    UINT id = static_cast<UINT>(frame.Timer().GetID());
    EXPECT_TRUE(PumpUntil([&] { return frame.ticks[id] >= 3; }));
    EXPECT_EQ(frame.ticks.size(), 1u);
}

TEST(Timer, IdentifiersComeFromTheSharedCounter)
{
    CTimer first;
    CTimer second;
    TickCounter frame;
    ASSERT_TRUE(frame.Create());
    first.Create(frame.GetWndHandle(), 1000, nullptr);
    second.Create(frame.GetWndHandle(), 1000, nullptr);
    EXPECT_EQ(second.GetID(), first.GetID() + 1);
    EXPECT_EQ(CWindowBase::CreateResourceID(), second.GetID() + 1);
}

TEST(Timer, DyingKillsTheTimerButACopyDyingDoesNot)
{
    TickCounter frame;
    ASSERT_TRUE(frame.Create());
    UINT id = 0;
    {
        CTimer timer;
        timer.Create(frame.GetWndHandle(), 10, nullptr);
        id = static_cast<UINT>(timer.GetID());
        {
            CTimer copy(timer);
            CTimer assigned;
            assigned = timer;
            EXPECT_EQ(copy.GetID(), timer.GetID());
        }
        EXPECT_TRUE(PumpUntil([&] { return frame.ticks[id] >= 2; }));
    }
    PumpFor(50);
    int ticksAfterDeath = frame.ticks[id];
    PumpFor(150);
    EXPECT_EQ(frame.ticks[id], ticksAfterDeath);
}

TEST(Timer, ASecondCreateLeavesTheFirstTimerRunning)
{
    TickCounter frame;
    ASSERT_TRUE(frame.Create());
    UINT firstId = 0;
    UINT secondId = 0;
    {
        CTimer timer;
        timer.Create(frame.GetWndHandle(), 10, nullptr);
        firstId = static_cast<UINT>(timer.GetID());
        timer.Create(frame.GetWndHandle(), 10, nullptr);
        secondId = static_cast<UINT>(timer.GetID());
        EXPECT_NE(firstId, secondId);
    }
    frame.ticks.clear();
    PumpFor(150);
    EXPECT_GT(frame.ticks[firstId], 0);
    EXPECT_EQ(frame.ticks[secondId], 0);
}

TEST(Timer, AnUnusedTimerHasNoIdentifierAndDiesQuietly)
{
    CTimer timer;
    EXPECT_EQ(timer.GetID(), 0);
}

}  // namespace
