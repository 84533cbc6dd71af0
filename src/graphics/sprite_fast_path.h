// When DrawImage may draw a picture's cell itself instead of through GDI+, and doing so.
#pragma once

#include "graphics/picture.h"
#include "graphics/surface.h"

namespace tsumiki {
namespace detail {

// Draws the cell into the surface's pixels when the drawing object is as the library made
// it (no clip, world transform, page scale, compositing or interpolation setting of the
// client's own) and the picture carries only the effects CImage sets. False, with nothing
// drawn, when GDI+ must draw it.
bool TryFastSprite(CGraphics::Surface& surface, CImage::Picture& picture, const SpritePlacement& placement);

}  // namespace detail
}  // namespace tsumiki
