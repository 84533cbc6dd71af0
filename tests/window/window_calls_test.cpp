// The everyday calls on a window: its client size, closing it and giving a control the focus.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class ClosingFrame : public TestFrame {
public:
    void OnClose(HWND hwnd) override
    {
        ++closes;
        TestFrame::OnClose(hwnd);
    }
    int closes = 0;
};

TEST(WindowCalls, TheClientAreaTakesTheSizeAskedWithAMenuBarThatWraps)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create(500, 400));
    HMENU bar = CreateMenu();
    for (const wchar_t* title : {L"&File", L"&Edit", L"&View", L"&Project", L"&Build", L"&Tools", L"&Help"}) {
        AppendMenuW(bar, MF_STRING, 1, title);
    }
    SetMenu(frame.GetWndHandle(), bar);
    const struct { int width, height; bool done; } cases[] = {
        {800, 600, true}, {640, 480, true}, {150, 120, true}, {321, 203, true}, {-1, 100, false}, {100, -1, false},
    };
    for (const auto& c : cases) {
        const int width = frame.GetClientWidth(), height = frame.GetClientHeight();
        EXPECT_EQ(frame.SetClientSize(c.width, c.height), c.done) << c.width;
        EXPECT_EQ(frame.GetClientWidth(), c.done ? c.width : width) << c.width;
        EXPECT_EQ(frame.GetClientHeight(), c.done ? c.height : height) << c.width;
    }
    EXPECT_FALSE(TestFrame().SetClientSize(100, 100));
}

TEST(WindowCalls, CloseRunsOnCloseAfterTheCallAndFocusReachesAControl)
{
    ClosingFrame frame;
    ASSERT_TRUE(frame.Create(300, 200));
    SetForegroundWindow(frame.GetWndHandle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame.GetWndHandle(); }, 2000));
    CEdit first, second;
    ASSERT_TRUE(first.Create(frame.GetWndHandle(), 10, 10, 100, 24, L"a"));
    ASSERT_TRUE(second.Create(frame.GetWndHandle(), 10, 40, 100, 24, L"b"));
    for (CEdit* edit : {&second, &first}) {
        EXPECT_TRUE(edit->Focus());
        EXPECT_EQ(GetFocus(), edit->GetWndHandle());
    }
    EXPECT_FALSE(CEdit().Focus());
    frame.Close();
    EXPECT_EQ(frame.closes, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(frame.GetWndHandle()); }, 2000));
    EXPECT_EQ(frame.closes, 1);
    TestFrame().Close();
}

}  // namespace
