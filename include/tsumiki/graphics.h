// Graphics: GDI+ start-up, the per-window back buffer, pictures and drawing.
//
// Classes in this file:
//   CGdiplus   one GDI+ start-up, shut down when its last copy dies
//   CGraphics  an off-screen GDI+ surface the size of a window's client area
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "tsumiki/export.h"

class CImage;

class TSUMIKI_API CGdiplus {
public:
    // Starts GDI+ for this object and its copies; independent of the library's own start-up.
    CGdiplus();
    CGdiplus(const CGdiplus& other);
    CGdiplus& operator=(const CGdiplus& other);
    virtual ~CGdiplus();

    // The library's own start-up: started on first need and shut down when the last
    // object that relies on it (back buffer, picture, copy of this result) is gone.
    static CGdiplus Shared();

    bool IsRunning() const;
    ULONG_PTR GetToken() const;

    struct Startup;

private:
    explicit CGdiplus(std::shared_ptr<Startup> startup);

    // Copies share one start-up; the last copy to die shuts it down.
    std::shared_ptr<Startup> m_Token;
};

class TSUMIKI_API CGraphics {
public:
    CGraphics();
    // Copies draw on the same buffer; it is released when the last copy releases it.
    CGraphics(const CGraphics& other);
    CGraphics& operator=(const CGraphics& other);
    virtual ~CGraphics();

    // Lets go of this object's buffer (copies that share it keep it).
    void Release();
    // Replaces the buffer with a new one of the window's current client size.
    void CreateBackBuffer(HWND window);
    // Fills the whole buffer with one ARGB colour (blended, as every GDI+ fill).
    bool Clear(unsigned long argb);
    // Copies the buffer to the window's invalid region inside BeginPaint/EndPaint.
    bool Present(HWND window);
    // The GDI+ drawing object, for drawing this class does not wrap; null without a buffer.
    Gdiplus::GpGraphics* GetDrawer() const;

    struct Surface;

private:
    // Copies share one surface; the last one to let go releases it.
    std::shared_ptr<Surface> m_Surface;
};
