#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class PaintedFrame : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFF20C040);
        m_Graphics.Present(hwnd);
    }
};

RECT Outer(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

TEST(FullScreen, CoversTheMonitorWithTheWindowsOwnPixelsAndGivesBackTheOldFrame)
{
    for (bool maximised : {false, true}) {
        SCOPED_TRACE(maximised);
        PaintedFrame frame;
        ASSERT_TRUE(frame.Create(300, 200, 30, 40));
        HWND window = frame.GetWndHandle();
        if (maximised) {
            ShowWindow(window, SW_MAXIMIZE);
        }
        const RECT before = Outer(window);
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        ASSERT_TRUE(frame.SetFullScreen(true));
        EXPECT_TRUE(frame.IsFullScreen());
        EXPECT_TRUE(frame.SetFullScreen(true));
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_TRUE(Same(Outer(window), monitor.rcMonitor));
        EXPECT_EQ(frame.GetClientWidth(), monitor.rcMonitor.right - monitor.rcMonitor.left);
        EXPECT_EQ(frame.GetClientHeight(), monitor.rcMonitor.bottom - monitor.rcMonitor.top);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
        // The back buffer followed: the screen's far corner shows the window's paint.
        ASSERT_TRUE(PumpUntil([&] {
            return ScreenPixel(monitor.rcMonitor.right - 1, monitor.rcMonitor.bottom - 1) == RGB(0x20, 0xC0, 0x40);
        }));

        ASSERT_TRUE(frame.SetFullScreen(false));
        EXPECT_FALSE(frame.IsFullScreen());
        EXPECT_TRUE(Same(Outer(window), before));
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE), style);
        EXPECT_EQ(IsZoomed(window) != FALSE, maximised);
    }
    TestFrame parent;
    TestFrame child;
    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(child.Create(50, 50, 0, 0, parent.GetWndHandle(), WS_VISIBLE));
    EXPECT_FALSE(child.SetFullScreen(true));
    EXPECT_FALSE(CWindowBase().SetFullScreen(true));
}

}  // namespace
