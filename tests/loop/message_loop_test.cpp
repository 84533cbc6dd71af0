#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

struct IdleCount {
    int calls = 0;
    int quitAfter = 0;
};

void CountIdle(void* argument)
{
    auto* count = static_cast<IdleCount*>(argument);
    if (++count->calls == count->quitAfter) {
        PostQuitMessage(0);
    }
}

// Counts its timer ticks and ends the loop after a few.
class Ticker : public TestFrame {
public:
    void OnTimer(HWND, UINT) override
    {
        if (++ticks == quitAfterTicks) {
            PostQuitMessage(0);
        }
    }
    int ticks = 0;
    int quitAfterTicks = 3;
};

TEST(MessageLoop, CallsTheIdleFunctionWhileTheQueueIsEmptyAndReturnsAtQuit)
{
    IdleCount count;
    count.quitAfter = 50;
    MessageLoop(CountIdle, &count, nullptr);
    EXPECT_EQ(count.calls, 50);
}

TEST(MessageLoop, CallsIdleForAFocusedShownWindow)
{
    Ticker frame;
    ASSERT_TRUE(frame.Create());
    SetForegroundWindow(frame.GetWndHandle());
    SetFocus(frame.GetWndHandle());
    ASSERT_EQ(GetFocus(), frame.GetWndHandle());
    IdleCount count;
    count.quitAfter = 20;
    MessageLoop(CountIdle, &count, frame.GetWndHandle());
    EXPECT_EQ(count.calls, 20);
}

void ExpectNoIdleButDispatching(Ticker& frame)
{
    frame.Timer().Create(frame.GetWndHandle(), 10, nullptr);
    IdleCount count;
    MessageLoop(CountIdle, &count, frame.GetWndHandle());
    EXPECT_EQ(count.calls, 0);
    EXPECT_EQ(frame.ticks, 3);
}

TEST(MessageLoop, SkipsIdleForAHiddenWindowButKeepsDispatching)
{
    Ticker frame;
    ASSERT_TRUE(frame.Create());
    ShowWindow(frame.GetWndHandle(), SW_HIDE);
    ExpectNoIdleButDispatching(frame);
}

TEST(MessageLoop, SkipsIdleForAMinimisedWindowButKeepsDispatching)
{
    Ticker frame;
    ASSERT_TRUE(frame.Create());
    ShowWindow(frame.GetWndHandle(), SW_MINIMIZE);
    ExpectNoIdleButDispatching(frame);
}

TEST(MessageLoop, SkipsIdleForAWindowWithoutFocusButKeepsDispatching)
{
    Ticker frame;
    ASSERT_TRUE(frame.Create());
    TestFrame other;
    ASSERT_TRUE(other.Create());
    SetForegroundWindow(other.GetWndHandle());
    SetFocus(other.GetWndHandle());
    ASSERT_NE(GetFocus(), frame.GetWndHandle());
    ExpectNoIdleButDispatching(frame);
}

TEST(MessageLoop, DispatchesQueuedMessagesWithoutAnIdleFunction)
{
    Ticker frame;
    ASSERT_TRUE(frame.Create());
    frame.Timer().Create(frame.GetWndHandle(), 10, nullptr);
    MessageLoop(nullptr, nullptr, nullptr);
    EXPECT_EQ(frame.ticks, 3);
}

}  // namespace
