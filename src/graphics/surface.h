// The back buffer behind CGraphics: a memory DC, the 32-bit DIB section selected into it and
// a GDI+ drawing object on that DC. Owned by every CGraphics that shares it; released once.
#pragma once

#include "graphics/ellipse_outlines.h"
#include "graphics/font_cache.h"
#include "graphics/sprite_blit.h"
#include "graphics/text_runs.h"
#include "platform/gdiplus_startup.h"

namespace tsumiki {

namespace detail {
// A 32-bit top-down DIB section of the back buffer's layout, its pixels in `bits`; null when
// the system refuses it.
HBITMAP CreatePixelBitmap(HDC dc, int width, int height, void** bits);
}  // namespace detail

struct CGraphics::Surface {
    explicit Surface(HWND window);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Declared first so that GDI+ outlives the drawing object made on it.
    std::shared_ptr<CGdiplus::Startup> gdiplus;
    HDC memDC = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ bitmapBefore = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    // The client size when the buffer was made (the bitmap is at least 1 x 1).
    int width = 0;
    int height = 0;
    // The bitmap's own pixels, written directly by the sprite fast path and small shapes.
    detail::TargetPixels pixels;
    // The sprite kernels for this processor, chosen when the buffer is made.
    const detail::BlitKernels* kernels = nullptr;

    // What the drawing object is set to, known without asking GDI+ as long as every change
    // goes through CGraphics: until the program takes the drawer (GetDrawer).
    bool drawerHandedOut = false;
    bool smoothing = false;
    bool imageSmoothing = true;
    // GDI+ or GDI drew since the library last wrote the pixels itself.
    bool gdiplusDrew = false;
    // Read back once the drawer is handed out, to see whether a transform or clip was set.
    Gdiplus::GpMatrix* transformProbe = nullptr;
    Gdiplus::GpRegion* clipProbe = nullptr;
    // The pixels of the ellipses filled lately, by shape.
    detail::EllipseOutlines ellipses;
    // The fonts of the last texts drawn; released with the buffer, before GDI+.
    detail::FontCache fonts;
    Gdiplus::GpSolidFill* textBrush = nullptr;
    // Texts drawn again and again, as the pixels GDI+ drew for them.
    detail::TextRuns texts;
};

}  // namespace tsumiki
