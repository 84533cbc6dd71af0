#include "graphics/direct_drawing.h"
#include "graphics/shape_pixels.h"

#include <climits>

namespace tsumiki {

using namespace Gdiplus;

namespace detail {

HBITMAP CreatePixelBitmap(HDC dc, int width, int height, void** bits)
{
    // The channel masks are given (the usual ones, so the layout is BI_RGB's): a 32-bit
    // BI_RGB section is taken by Wine's GDI+ for one with alpha, which it then draws text,
    // lines and fills into by software, several times slower.
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } format = {};
    format.header.biSize = sizeof(format.header);
    format.header.biWidth = width;
    format.header.biHeight = -height;
    format.header.biPlanes = 1;
    format.header.biBitCount = 32;
    format.header.biCompression = BI_BITFIELDS;
    format.masks[0] = 0x00FF0000;
    format.masks[1] = 0x0000FF00;
    format.masks[2] = 0x000000FF;
    return CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace detail

CGraphics::Surface::Surface(HWND window) : gdiplus(CGdiplus::Startup::Shared()), fonts(gdiplus)
{
    RECT client = {};
    GetClientRect(window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
    // A 32-bit top-down DIB section, so the sprite fast path can write its bits. An empty
    // client area still gets one pixel, as a compatible bitmap of 0 x 0 would; a size whose
    // bytes do not fit an int gets no bitmap, as GDI refuses such bitmaps of its own.
    const int bitmapWidth = width > 0 ? width : 1;
    const int bitmapHeight = height > 0 ? height : 1;
    if (static_cast<long long>(bitmapWidth) * bitmapHeight * 4 > INT_MAX) {
        return;
    }
    HDC windowDC = GetDC(window);
    memDC = CreateCompatibleDC(windowDC);
    ReleaseDC(window, windowDC);
    void* bits = nullptr;
    bitmap = detail::CreatePixelBitmap(memDC, bitmapWidth, bitmapHeight, &bits);
    if (memDC && bitmap && bits) {
        pixels = {static_cast<std::uint32_t*>(bits), bitmapWidth, bitmapHeight, bitmapWidth};
        kernels = &detail::ChooseKernels();
        bitmapBefore = SelectObject(memDC, bitmap);
        if (DllExports::GdipCreateFromHDC(memDC, &graphics) != Ok) {
            graphics = nullptr;
        }
        if (DllExports::GdipCreateMatrix(&transformProbe) != Ok) {
            transformProbe = nullptr;
        }
        if (DllExports::GdipCreateRegion(&clipProbe) != Ok) {
            clipProbe = nullptr;
        }
    }
}

CGraphics::Surface::~Surface()
{
    // The drawing object goes first: it draws on the DC. The bitmap is deselected before
    // it is deleted, and each handle is released once, here.
    fonts.Clear();
    if (textBrush) {
        DllExports::GdipDeleteBrush(textBrush);
    }
    if (transformProbe) {
        DllExports::GdipDeleteMatrix(transformProbe);
    }
    if (clipProbe) {
        DllExports::GdipDeleteRegion(clipProbe);
    }
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
    if (!m_Surface) {
        return false;
    }
    // A fill of the whole buffer, like any other: blended, and written directly when it may.
    const auto width = static_cast<REAL>(m_Surface->width);
    const auto height = static_cast<REAL>(m_Surface->height);
    if (width > 0 && height > 0 &&
        detail::FillRectangleDirectly(*m_Surface, 0, 0, width, height, static_cast<ARGB>(argb))) {
        return true;
    }
    GpGraphics* graphics = detail::DrawThroughGdiplus(m_Surface);
    GpSolidFill* brush = nullptr;
    if (DllExports::GdipCreateSolidFill(static_cast<ARGB>(argb), &brush) == Ok) {
        DllExports::GdipFillRectangleI(graphics, brush, 0, 0, m_Surface->width, m_Surface->height);
        DllExports::GdipDeleteBrush(brush);
    }
    return true;
}

bool CGraphics::Present(HWND window)
{
    if (!m_Surface) {
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
    if (!m_Surface) {
        return nullptr;
    }
    // From now on the program may change any setting behind the library's back.
    m_Surface->drawerHandedOut = true;
    return m_Surface->graphics;
}

}  // namespace tsumiki
