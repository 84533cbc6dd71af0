// Two threads using the library at the same moment.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "support/frame_window.h"

namespace {

// Remembers the window its OnCreate was called for.
class Frame : public TestFrame {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override
    {
        created.push_back(hwnd);
        return 1;
    }
    std::vector<HWND> created;
};

// Both threads wait here, so that their work overlaps.
void StartTogether(std::atomic<int>& ready)
{
    ready.fetch_add(1);
    while (ready.load() < 2) {
        std::this_thread::yield();
    }
}

TEST(Threads, TwoThreadsCreatingWindowsAtOnceEachGetTheirOwnObject)
{
    constexpr int kWindows = 100;
    std::atomic<int> ready{0};
    int misattached[2] = {};
    auto work = [&](int thread) {
        StartTogether(ready);
        for (int i = 0; i < kWindows; ++i) {
            Frame frame;
            bool made = frame.Create(120, 90, 10 + 200 * thread, 10);
            if (!made || frame.created.size() != 1 || frame.created[0] != frame.GetWndHandle()) {
                ++misattached[thread];
            }
        }
    };
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();
    EXPECT_EQ(misattached[0], 0);
    EXPECT_EQ(misattached[1], 0);
}

TEST(Threads, IdentifiersTakenOnTwoThreadsAtOnceAreNeitherLostNorRepeated)
{
    // Many times round the 32767 identifiers: each must come out as often as any other.
    constexpr int kEach = 200000;
    constexpr int kFirst = 32769;
    constexpr int kCount = 32767;
    int before = CWindowBase::CreateResourceID();
    std::atomic<int> ready{0};
    std::vector<int> taken[2];
    auto work = [&](int thread) {
        taken[thread].reserve(kEach);
        StartTogether(ready);
        for (int i = 0; i < kEach; ++i) {
            taken[thread].push_back(CWindowBase::CreateResourceID());
        }
    };
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();
    EXPECT_EQ(CWindowBase::CreateResourceID(), kFirst + (before - kFirst + 2 * kEach + 1) % kCount);
    std::vector<int> times(kCount);
    for (const std::vector<int>& ids : taken) {
        for (int id : ids) {
            ASSERT_GE(id, kFirst);
            ASSERT_LE(id, 65535);
            ++times[id - kFirst];
        }
    }
    auto range = std::minmax_element(times.begin(), times.end());
    EXPECT_LE(*range.second - *range.first, 1);
}

}  // namespace
