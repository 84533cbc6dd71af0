#include <gtest/gtest.h>

#include <tsumiki.h>

namespace {

TEST(FrameClock, ASecondsPauseCountsAsAQuarterAndItsStepsAreHandedOutOnce)
{
    CFrameClock clock;
    EXPECT_EQ(clock.GetFps(), 0);
    clock.Tick();
    clock.Steps(1.0 / 60);  // whatever the start-up held
    Sleep(1000);
    EXPECT_DOUBLE_EQ(clock.Tick(), 0.25);
    EXPECT_EQ(clock.Steps(1.0 / 60), 15);
    EXPECT_EQ(clock.Steps(1.0 / 60), 0) << "taken once";
    for (double bad : {0.0, -1.0, 1.0 / 0.0}) {
        EXPECT_EQ(clock.Steps(bad), 0) << bad;
    }
}

TEST(FrameClock, TheRemainderIsCarriedSoLongRunsKeepRealTime)
{
    CFrameClock clock;
    clock.Tick();
    clock.Steps(0.01);
    double ticked = 0;
    int steps = 0;
    for (int frame = 0; frame < 40; ++frame) {
        Sleep(7);
        ticked += clock.Tick();
        steps += clock.Steps(0.01);
    }
    // A step due within a quarter of its length may be taken early: never more than one.
    EXPECT_GE(steps, static_cast<int>(ticked / 0.01));
    EXPECT_LE(steps, static_cast<int>(ticked / 0.01) + 1);
    EXPECT_GT(clock.GetFps(), 30);
}

}  // namespace
