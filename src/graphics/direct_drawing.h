// When the library may write the back buffer's pixels itself instead of drawing through
// GDI+, and how the two kinds of drawing keep their order.
#pragma once

#include "graphics/surface.h"

namespace tsumiki {
namespace detail {

// What a direct write needs of the drawing object besides what every one needs (no clip,
// world transform, page scale, pixel offset or compositing setting of the program's own).
enum class DirectWrite {
    Pictures,  // bilinear interpolation
    Shapes,    // smoothing off
    Text,      // nothing the program may have set: text rendering has settings of its own
};

// Whether the library may write this kind of drawing into the pixels. Without a GetDrawer
// the buffer's own record answers; after it, GDI+ is asked (text then always goes to GDI+).
bool MayWriteDirectly(CGraphics::Surface& surface, DirectWrite kind);

// The drawing object for a draw through GDI+, which the next direct write must then wait
// for; null without a buffer.
Gdiplus::GpGraphics* DrawThroughGdiplus(const std::shared_ptr<CGraphics::Surface>& surface);

// Makes what GDI+ and GDI drew since the last direct write reach the pixels.
void BeforeDirectWrite(CGraphics::Surface& surface);

}  // namespace detail
}  // namespace tsumiki
