// Where a picture drawn into a rectangle lands, worked out once for every form of
// DrawImage that takes a destination, and the GDI+ drawing of it.
#pragma once

#include "graphics/picture.h"

namespace tsumiki {
namespace detail {

// The source cell in picture pixels, the rectangle it fills before it is turned, and the
// angle (degrees, clockwise) it is turned by about that rectangle's centre.
struct PicturePlacement {
    Gdiplus::Rect source;
    Gdiplus::RectF destination;
    float angle = 0;
};

// The placement of one cell of the image's picture scaled into the destination. False
// when there is nothing to draw: a cell not above 0 in size or beyond any
// picture's coordinates, or a destination that is not finite or not above 0 in size.
bool PlacePicture(const CImage& image, const Gdiplus::Size& cell, int column, int row,
                  const Gdiplus::RectF& destination, PicturePlacement& placement);

// Draws the placement through GDI+ with the image's opacity and colour key. The world
// transform is left at identity, as by every DrawImage.
void DrawPlacedPicture(Gdiplus::GpGraphics* graphics, const CImage::Picture& picture,
                       const PicturePlacement& placement);

}  // namespace detail
}  // namespace tsumiki
