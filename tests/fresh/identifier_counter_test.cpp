// Runs in a process of its own: the identifier counter starts fresh here.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"

TEST(IdentifierCounter, StartsAt32769AndTimersShareIt)
{
    EXPECT_EQ(CWindowBase::CreateResourceID(), 32769);
    EXPECT_EQ(CWindowBase::CreateResourceID(), 32770);
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    CTimer timer;
    timer.Create(frame.GetWndHandle(), 1000, nullptr);
    EXPECT_EQ(timer.GetID(), 32771);
    EXPECT_EQ(CWindowBase::CreateResourceID(), 32772);
}
