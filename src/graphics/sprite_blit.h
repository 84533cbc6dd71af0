// The sprite fast path's drawing: one cell of a picture mapped onto a rectangle of any
// size, turned by any angle about its centre, with an opacity, blended into 32-bit pixels
// the way GDI+ draws it with its default bilinear interpolation. The geometry is worked
// out in single precision in the order GDI+ works it out, so that the same pixels are
// covered; colours are premultiplied and blended source-over by the kernels.
#pragma once

#include "graphics/blit_kernels.h"
#include "graphics/premultiplied_pixels.h"

#include <cstdint>

namespace tsumiki {
namespace detail {

// The pixels of a 32-bit top-down bitmap (0xAARRGGBB, premultiplied).
struct TargetPixels {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels from one row to the next
};

// Where a picture's cell goes: a destination rectangle of width x height whose centre
// lands on (centreX, centreY), turned clockwise by angle degrees about that centre.
struct SpritePlacement {
    int cellX = 0;
    int cellY = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    float width = 0;
    float height = 0;
    float centreX = 0;
    float centreY = 0;
    float angle = 0;
    // 255 draws the picture with its own alpha, 0 draws nothing.
    unsigned opacity = 255;
};

// Draws the cell; false, with nothing written, for a placement this path does not take
// (a cell not wholly inside the picture, an empty one, a size, position or angle that is
// not finite or too large to place exactly), which the caller then gives to GDI+.
bool BlitSprite(const BlitKernels& kernels, const TargetPixels& target, const PremultipliedPixels& source,
                const SpritePlacement& placement);

}  // namespace detail
}  // namespace tsumiki
