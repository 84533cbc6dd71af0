#include <gtest/gtest.h>

#include <tsumiki.h>

#include <climits>
#include <tuple>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/pixels.h"
#include "support/pump.h"

namespace {

// Paints its whole client area with one colour through the back buffer.
class Painter : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(color);
        m_Graphics.Present(hwnd);
    }
    unsigned long color = 0xFF0000FF;
};

void Repaint(HWND window)
{
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

TEST(BackBuffer, ClearAndPresentFailWithoutABuffer)
{
    CGraphics graphics;
    EXPECT_FALSE(graphics.Clear(0xFFFFFFFF));
    EXPECT_FALSE(graphics.Present(GetDesktopWindow()));
    EXPECT_EQ(graphics.GetDrawer(), nullptr);
    graphics.Release();
    EXPECT_FALSE(graphics.Clear(0xFFFFFFFF));
}

TEST(BackBuffer, APlainWindowPaintsWhite)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    Repaint(frame.GetWndHandle());
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), 10, 10), 0xFFFFFFu);
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), frame.GetClientWidth() - 1, frame.GetClientHeight() - 1), 0xFFFFFFu);
}

TEST(BackBuffer, PresentPutsTheBuffersPixelsOnTheWindow)
{
    Painter frame;
    ASSERT_TRUE(frame.Create());
    Repaint(frame.GetWndHandle());
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), 5, 5), 0x0000FFu);
}

TEST(BackBuffer, AHalfTransparentClearBlendsIntoOpaquePink)
{
    Painter frame;
    frame.color = 0xFFFFFFFF;
    ASSERT_TRUE(frame.Create());
    ASSERT_TRUE(frame.Graphics().Clear(0xFFFFFFFF));
    ASSERT_TRUE(frame.Graphics().Clear(0x80FF0000));
    // Present outside WM_PAINT copies only what is invalid: invalidate all first.
    InvalidateRect(frame.GetWndHandle(), nullptr, FALSE);
    ASSERT_TRUE(frame.Graphics().Present(frame.GetWndHandle()));
    unsigned pixel = ClientPixel(frame.GetWndHandle(), 20, 20);
    EXPECT_EQ(pixel >> 16, 0xFFu);
    EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 0x7F, 2);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0x7F, 2);
}

TEST(BackBuffer, AResizeRebuildsTheBufferAtTheNewClientSize)
{
    Painter frame;
    ASSERT_TRUE(frame.Create(150, 120));
    Repaint(frame.GetWndHandle());
    frame.SetSize(400, 300);
    Repaint(frame.GetWndHandle());
    int right = frame.GetClientWidth() - 1;
    int bottom = frame.GetClientHeight() - 1;
    ASSERT_GT(right, 300);
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), right, bottom), 0x0000FFu);
}

TEST(BackBuffer, CopiesShareTheBufferAndEachDiesSafely)
{
    Painter frame;
    ASSERT_TRUE(frame.Create());
    {
        CGraphics copy(frame.Graphics());
        CGraphics assigned;
        assigned = copy;
        EXPECT_EQ(copy.GetDrawer(), frame.Graphics().GetDrawer());
        EXPECT_TRUE(assigned.Clear(0xFF00FF00));
    }
    // The source still draws after its copies are gone.
    frame.color = 0xFF00FF00;
    Repaint(frame.GetWndHandle());
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), 5, 5), 0x00FF00u);

    // A copy outliving its source keeps the buffer alive on its own.
    auto* source = new CGraphics;
    source->CreateBackBuffer(frame.GetWndHandle());
    CGraphics survivor(*source);
    delete source;
    EXPECT_TRUE(survivor.Clear(0xFF123456));
    survivor.Release();
    EXPECT_FALSE(survivor.Clear(0xFF123456));
}

// Counts its paints, each a blue clear and a present.
class PaintCounter : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        ++paints;
        m_Graphics.Clear(0xFF0000FF);
        m_Graphics.Present(hwnd);
    }
    int paints = 0;
};

// Dispatches for the given time; a window that never gets validated cannot hang it.
void DispatchFor(DWORD milliseconds)
{
    MSG message;
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
}

TEST(BackBuffer, WithoutABufferAPaintStillValidatesAndAResizeMakesItAgain)
{
    TestFrame parent;
    ASSERT_TRUE(parent.Create(320, 240));
    struct Case {
        const char* name;
        int width, height;  // the window's size at creation
        bool release;       // the client lets go of the buffer afterwards
    };
    const Case cases[] = {
        {"buffer released by the client", 120, 90, true},
        {"window too large for a buffer", 30000, 30000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintCounter child;
        ASSERT_TRUE(child.Create(c.width, c.height, 0, 0, parent.GetWndHandle(), 0));
        HWND hwnd = child.GetWndHandle();
        if (c.release) {
            child.Graphics().Release();
        }
        ASSERT_EQ(child.Graphics().GetDrawer(), nullptr);
        DispatchFor(100);
        child.paints = 0;
        InvalidateRect(hwnd, nullptr, FALSE);
        DispatchFor(300);
        EXPECT_EQ(child.paints, 1) << "paints in 300 ms";
        EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));

        child.SetSize(100, 80);
        ASSERT_NE(child.Graphics().GetDrawer(), nullptr);
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        EXPECT_EQ(ClientPixel(hwnd, 99, 79), 0x0000FFu);
    }
}

TEST(Gdiplus, CopiesShareOneStartupThatEndsWithTheLast)
{
    CGdiplus own;
    EXPECT_TRUE(own.IsRunning());
    {
        CGdiplus copy(own);
        EXPECT_EQ(copy.GetToken(), own.GetToken());
    }
    EXPECT_TRUE(own.IsRunning());
    // An early shutdown of a client's own start-up leaves the library drawing.
    {
        CGdiplus early;
    }
    Painter frame;
    ASSERT_TRUE(frame.Create());
    Repaint(frame.GetWndHandle());
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), 5, 5), 0x0000FFu);
}

TEST(Gdiplus, TheLibraryStartupIsSharedWhileSomethingHoldsIt)
{
    CGdiplus first = CGdiplus::Shared();
    CGdiplus second = CGdiplus::Shared();
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(first.GetToken(), second.GetToken());
}

// A picture's size, as width x height in one number for comparing.
int SizeOf(const CImage& picture)
{
    return picture.GetWidth() * 10000 + picture.GetHeight();
}

TEST(BackBuffer, CopyToTakesTheDrawnPixelsOpaqueClippedToTheBuffer)
{
    Painter frame;
    ASSERT_TRUE(frame.Create(240, 180, 20, 20, nullptr, WS_POPUP));
    CGraphics& buffer = frame.Graphics();
    ASSERT_TRUE(buffer.Clear(0xFF102030));
    buffer.FillRectangle(10, 10, 20, 20, Gdiplus::Color(255, 200, 0, 0));        // written directly
    buffer.DrawRectangle(50, 50, 20, 20, Gdiplus::Color(255, 0, 200, 0), 3.0f);  // by GDI+, pending
    CImage picture;
    ASSERT_TRUE(buffer.CopyTo(picture));
    EXPECT_EQ(SizeOf(picture), 240 * 10000 + 180);
    for (auto [x, y, argb] : {std::tuple{0, 0, 0xFF102030u}, {15, 15, 0xFFC80000u}, {50, 50, 0xFF00C800u},
                              {60, 60, 0xFF102030u}}) {
        EXPECT_EQ(PicturePixel(picture, x, y), argb) << x;
    }
    // A part: the size copied (0 for none, which fails and leaves no picture) and its first pixel.
    const struct {
        int x, y, width, height, copiedSize;
        unsigned first;
    } parts[] = {{10, 10, 20, 20, 20 * 10000 + 20, 0xFFC80000}, {-5, -5, 20, 20, 15 * 10000 + 15, 0xFF102030},
                 {230, 170, 100, 100, 10 * 10000 + 10, 0xFF102030}, {240, 0, 10, 10, 0, 0}, {0, 0, 0, 10, 0, 0},
                 {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0}};
    for (const auto& part : parts) {
        EXPECT_EQ(buffer.CopyTo(picture, part.x, part.y, part.width, part.height), part.copiedSize > 0);
        EXPECT_EQ(SizeOf(picture), part.copiedSize) << part.x;
        EXPECT_EQ(part.copiedSize ? PicturePixel(picture, 0, 0) : 0u, part.first) << part.x;
    }
    EXPECT_FALSE(CGraphics().CopyTo(picture));
}

TEST(BackBuffer, LoadFromWindowTakesWhatTheScreenShowsOfTheWindowOrItsClientArea)
{
    Painter frame;
    frame.color = 0xFF3060C0;
    ASSERT_TRUE(frame.Create(240, 180, 40, 40, nullptr, WS_POPUP | WS_BORDER | WS_VISIBLE));
    SetWindowPos(frame.GetWndHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Repaint(frame.GetWndHandle());
    PumpFor(50);
    CImage client, whole;
    ASSERT_TRUE(client.LoadFromWindow(frame.GetWndHandle(), true) && whole.LoadFromWindow(frame.GetWndHandle()));
    EXPECT_EQ(SizeOf(client), frame.GetClientWidth() * 10000 + frame.GetClientHeight());
    EXPECT_EQ(SizeOf(whole), (frame.GetClientWidth() + 2) * 10000 + frame.GetClientHeight() + 2);
    EXPECT_EQ(PicturePixel(client, 0, 0), 0xFF3060C0u);
    EXPECT_EQ(PicturePixel(client, client.GetWidth() - 1, client.GetHeight() - 1), 0xFF3060C0u);
    EXPECT_NE(PicturePixel(whole, 0, 0), 0xFF3060C0u) << "the border";
    HWND gone = frame.GetWndHandle();
    DestroyWindow(gone);
    EXPECT_FALSE(whole.LoadFromWindow(gone));
    EXPECT_EQ(whole.GetWidth(), 0);
}

}  // namespace
