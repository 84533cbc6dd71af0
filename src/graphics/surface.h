// The back buffer behind CGraphics: a memory DC, the bitmap selected into it and a GDI+
// drawing object on that DC. Owned by every CGraphics that shares it; released once.
#pragma once

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
    int width = 0;
    int height = 0;
};

}  // namespace tsumiki
