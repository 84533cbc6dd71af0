#include "graphics/surface.h"

namespace tsumiki {

using namespace Gdiplus;

CGraphics::Surface::Surface(HWND window) : gdiplus(CGdiplus::Startup::Shared())
{
    HDC windowDC = GetDC(window);
    memDC = CreateCompatibleDC(windowDC);
    RECT client = {};
    GetClientRect(window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
    // Compatible with the window's DC, not the memory DC, to get the display's colour format.
    bitmap = CreateCompatibleBitmap(windowDC, width, height);
    ReleaseDC(window, windowDC);
    if (memDC && bitmap) {
        bitmapBefore = SelectObject(memDC, bitmap);
        if (DllExports::GdipCreateFromHDC(memDC, &graphics) != Ok) {
            graphics = nullptr;
        }
    }
}

CGraphics::Surface::~Surface()
{
    // The drawing object goes first: it draws on the DC. The bitmap is deselected before
    // it is deleted, and each handle is released once, here.
    if (graphics) {
        DllExports::GdipDeleteGraphics(graphics);
    }
    if (memDC && bitmapBefore) {
        SelectObject(memDC, bitmapBefore);
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    if (memDC) {
        DeleteDC(memDC);
    }
}

CGraphics::CGraphics() = default;

CGraphics::CGraphics(const CGraphics& other) = default;

CGraphics& CGraphics::operator=(const CGraphics& other) = default;

CGraphics::~CGraphics() = default;

void CGraphics::Release()
{
    m_Surface.reset();
}

void CGraphics::CreateBackBuffer(HWND window)
{
    // The old surface is let go first, so two full-size buffers never coexist.
    m_Surface.reset();
    auto surface = std::make_shared<Surface>(window);
    // A window too large for a bitmap gets no buffer; the next resize tries again.
    if (surface->graphics) {
        m_Surface = std::move(surface);
        ApplySmoothing();
    }
}

bool CGraphics::Clear(unsigned long argb)
{
    GpGraphics* graphics = GetDrawer();
    if (!graphics) {
        return false;
    }
    GpSolidFill* brush = nullptr;
    if (DllExports::GdipCreateSolidFill(static_cast<ARGB>(argb), &brush) == Ok) {
        DllExports::GdipFillRectangleI(graphics, brush, 0, 0, m_Surface->width, m_Surface->height);
        DllExports::GdipDeleteBrush(brush);
    }
    return true;
}

bool CGraphics::Present(HWND window)
{
    if (!GetDrawer()) {
        // The window is validated all the same: left invalid, it would be sent WM_PAINT
        // again at once, forever. Only a window of this thread is ours to paint.
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            PAINTSTRUCT paint = {};
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
        }
        return false;
    }
    // Pending GDI+ drawing must reach the bitmap before it is copied.
    DllExports::GdipFlush(m_Surface->graphics, FlushIntentionSync);
    PAINTSTRUCT paint = {};
    HDC windowDC = BeginPaint(window, &paint);
    RECT client = {};
    GetClientRect(window, &client);
    BitBlt(windowDC, 0, 0, client.right - client.left, client.bottom - client.top,
           m_Surface->memDC, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
    return true;
}

GpGraphics* CGraphics::GetDrawer() const
{
    return m_Surface ? m_Surface->graphics : nullptr;
}

}  // namespace tsumiki
