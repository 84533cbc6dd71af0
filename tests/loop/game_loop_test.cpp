#include <gtest/gtest.h>

#include <tsumiki.h>

#include <stdexcept>

#include "support/frame_window.h"

namespace {

// A frame window that ends the loop when it is destroyed, as a game's window does.
class GameFrame : public TestFrame {
public:
    void OnDestroy(HWND hwnd) override { CWindowBase::OnDestroy(hwnd); }
};

struct LoopRun {
    HWND window = nullptr;
    int frames = 0;
    int lastFrame = 3;  // what happens at the last frame
    enum { Quit, Minimise, Destroy, Throw } ending = Quit;
};

void CALLBACK QuitLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostQuitMessage(0);
}

void Frame(void* argument)
{
    auto* run = static_cast<LoopRun*>(argument);
    if (++run->frames != run->lastFrame) {
        return;
    }
    switch (run->ending) {
    case LoopRun::Quit: PostQuitMessage(0); break;
    case LoopRun::Minimise:
        ShowWindow(run->window, SW_MINIMIZE);
        SetTimer(nullptr, 0, 400, QuitLater);
        break;
    case LoopRun::Destroy: DestroyWindow(run->window); break;
    case LoopRun::Throw: throw std::runtime_error("frame");
    }
}

double ThreadSeconds()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    return (static_cast<double>(kernel.dwLowDateTime) + static_cast<double>(user.dwLowDateTime) +
            4294967296.0 * (kernel.dwHighDateTime + user.dwHighDateTime)) / 1e7;
}

TEST(GameLoop, RunsFramesAtTheClampedRateUntilQuitWithoutSpinning)
{
    GameFrame frame;
    ASSERT_TRUE(frame.Create());
    const struct { HWND window; int rate; double atLeast, atMost; } cases[] = {
        {frame.GetWndHandle(), 60, 0.025, 0.5}, {nullptr, 60, 0.025, 0.5},
        {frame.GetWndHandle(), 0, 1.9, 4.0}, {nullptr, -5, 1.9, 4.0}, {nullptr, 100000, 0.0, 0.3},
    };
    for (const auto& c : cases) {
        LoopRun run;
        run.window = c.window;
        DWORD start = GetTickCount();
        double processor = ThreadSeconds();
        GameLoop(c.window, c.rate, Frame, &run);
        double seconds = (GetTickCount() - start) / 1000.0;
        EXPECT_EQ(run.frames, 3) << c.rate;
        EXPECT_GE(seconds, c.atLeast) << c.rate;
        EXPECT_LE(seconds, c.atMost) << c.rate;
        EXPECT_LT(ThreadSeconds() - processor, 0.25 + seconds / 4) << c.rate;
    }
}

TEST(GameLoop, StopsFramesWhileMinimisedAndEndsAtTheWindowsQuitOrTheFramesException)
{
    const struct { decltype(LoopRun::ending) ending; bool throws; } cases[] = {
        {LoopRun::Minimise, false}, {LoopRun::Destroy, false}, {LoopRun::Throw, true},
    };
    for (const auto& c : cases) {
        GameFrame frame;
        ASSERT_TRUE(frame.Create());
        LoopRun run;
        run.window = frame.GetWndHandle();
        run.ending = c.ending;
        if (c.throws) {
            EXPECT_THROW(GameLoop(run.window, 100, Frame, &run), std::runtime_error);
        } else {
            GameLoop(run.window, 100, Frame, &run);
        }
        EXPECT_EQ(run.frames, 3) << c.ending;
    }
}

TEST(GameLoop, TakesALambdaOrAnObjectAsTheFrame)
{
    GameFrame frame;
    ASSERT_TRUE(frame.Create());
    int frames = 0;
    GameLoop(frame.GetWndHandle(), 200, [&] {
        if (++frames == 3) PostQuitMessage(0);
    });
    EXPECT_EQ(frames, 3);
    struct Counter {
        void operator()() { if (++count == 2) PostQuitMessage(0); }
        int count = 0;
    } counter;
    GameLoop(nullptr, 200, counter);
    EXPECT_EQ(counter.count, 2);
}

TEST(GameLoop, RunsNoFrameForADeadWindowAndStillEndsAtQuit)
{
    GameFrame frame;
    ASSERT_TRUE(frame.Create());
    HWND dead = frame.GetWndHandle();
    DestroyWindow(dead);  // posts WM_QUIT
    LoopRun run;
    GameLoop(dead, 60, Frame, &run);
    EXPECT_EQ(run.frames, 0);
}

}  // namespace
