// The back buffer behind CGraphics: a memory DC, the 32-bit DIB section selected into it and
// a GDI+ drawing object on that DC. Owned by every CGraphics that shares it; released once.
#pragma once

#include "graphics/font_cache.h"
#include "graphics/sprite_blit.h"
#include "platform/gdiplus_startup.h"

namespace tsumiki {

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
    // The bitmap's own pixels, written directly by the sprite fast path.
    detail::TargetPixels pixels;
    // Read back by the fast path to see whether the client set a transform or clip.
    Gdiplus::GpMatrix* transformProbe = nullptr;
    Gdiplus::GpRegion* clipProbe = nullptr;
    // The fonts of the last texts drawn; released with the buffer, before GDI+.
    detail::FontCache fonts;
    Gdiplus::GpSolidFill* textBrush = nullptr;
};

}  // namespace tsumiki
