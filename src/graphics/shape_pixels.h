// Rectangles, ellipses and thin opaque lines written straight into the back buffer's pixels,
// with the pixels GDI+ gives for them here, instead of a GDI+ call of some tens of
// microseconds. Each returns false, having written nothing, when GDI+ must draw the shape:
// the drawing object is not as the library made it, smoothing is on, or the shape is of a
// kind or lies so far out that its pixels are not known to match.
#pragma once

#include "graphics/surface.h"

namespace tsumiki {
namespace detail {

// The rectangle of a finite position and a size above 0.
bool FillRectangleDirectly(CGraphics::Surface& surface, float x, float y, float width, float height,
                           Gdiplus::ARGB colour);
// The ellipse inside such a rectangle.
bool FillEllipseDirectly(CGraphics::Surface& surface, float x, float y, float width, float height,
                         Gdiplus::ARGB colour);
// A line of an opaque colour and a pen width from 0 to 1.
bool DrawLineDirectly(CGraphics::Surface& surface, float x1, float y1, float x2, float y2, Gdiplus::ARGB colour,
                      float width);

}  // namespace detail
}  // namespace tsumiki
