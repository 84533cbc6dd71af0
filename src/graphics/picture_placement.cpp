// Pictures scaled into a rectangle placed by its top-left corner.
#include "graphics/picture_placement.h"

#include "graphics/direct_drawing.h"
#include "graphics/picture.h"
#include "graphics/sprite_fast_path.h"

#include <climits>
#include <cmath>

namespace tsumiki {

using namespace Gdiplus;

namespace detail {

bool PlacePicture(const CImage& image, const Size& cell, int column, int row, const RectF& destination,
                  PicturePlacement& placement)
{
    const RectF& d = destination;
    if (cell.Width <= 0 || cell.Height <= 0 || !std::isfinite(d.X) || !std::isfinite(d.Y) ||
        !std::isfinite(d.Width) || !std::isfinite(d.Height) || d.Width <= 0 || d.Height <= 0) {
        return false;
    }
    const long long sourceX = static_cast<long long>(column) * cell.Width;
    const long long sourceY = static_cast<long long>(row) * cell.Height;
    if (sourceX < INT_MIN || sourceX > INT_MAX || sourceY < INT_MIN || sourceY > INT_MAX) {
        return false;  // a cell no picture can hold
    }
    placement.source = Rect(static_cast<INT>(sourceX), static_cast<INT>(sourceY), cell.Width, cell.Height);
    placement.destination = destination;
    placement.angle = image.GetRotate();
    return std::isfinite(placement.angle);
}

void DrawPlacedPicture(GpGraphics* graphics, const CImage::Picture& picture, const PicturePlacement& placement)
{
    const RectF& d = placement.destination;
    const Rect& s = placement.source;
    // With pixel centres on integers a scaled picture is shifted by half a source pixel:
    // nearest-neighbour moves every enlarged pixel, bilinear blends the wrong neighbours.
    // Centres half way between integers put them in place.
    PixelOffsetMode offsetBefore = PixelOffsetModeDefault;
    DllExports::GdipGetPixelOffsetMode(graphics, &offsetBefore);
    DllExports::GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    // The rectangle centred on the origin, turned, then moved to where its centre belongs;
    // appended to the client's transform as the other forms do, and all of it undone.
    DllExports::GdipTranslateWorldTransform(graphics, -d.Width / 2, -d.Height / 2, MatrixOrderAppend);
    DllExports::GdipRotateWorldTransform(graphics, placement.angle, MatrixOrderAppend);
    DllExports::GdipTranslateWorldTransform(graphics, d.X + d.Width / 2, d.Y + d.Height / 2, MatrixOrderAppend);
    // The picture's own objects, not GetPtr and GetAttributes: those mark the picture as
    // handed to the program, which the library's own drawing must not.
    DllExports::GdipDrawImageRectRect(graphics, picture.image, 0, 0, d.Width, d.Height, static_cast<REAL>(s.X),
                                      static_cast<REAL>(s.Y), static_cast<REAL>(s.Width),
                                      static_cast<REAL>(s.Height), UnitPixel, picture.attributes, nullptr,
                                      nullptr);
    DllExports::GdipResetWorldTransform(graphics);
    DllExports::GdipSetPixelOffsetMode(graphics, offsetBefore);
}

}  // namespace detail

void CGraphics::DrawImage(CImage* image, const RectF& destination)
{
    if (m_Surface && image && image->m_Picture) {
        DrawImage(image, Size(image->m_Picture->width, image->m_Picture->height), 0, 0, destination);
    }
}

void CGraphics::DrawImage(CImage* image, const Size& cell, int column, int row, const RectF& destination)
{
    detail::PicturePlacement placement;
    if (!m_Surface || !image || !image->m_Picture || image->m_Picture->TooLargeToDraw() ||
        !detail::PlacePicture(*image, cell, column, row, destination, placement)) {
        return;
    }
    // A cell placed by its corner at its own size is a sprite like any other: the fast path
    // takes it where it gives what GDI+ gives. Scaled cells stay with GDI+.
    const RectF& d = placement.destination;
    if (d.Width == static_cast<REAL>(cell.Width) && d.Height == static_cast<REAL>(cell.Height)) {
        detail::SpritePlacement sprite;
        sprite.cellX = placement.source.X;
        sprite.cellY = placement.source.Y;
        sprite.cellWidth = cell.Width;
        sprite.cellHeight = cell.Height;
        sprite.width = d.Width;
        sprite.height = d.Height;
        sprite.centreX = d.X + d.Width / 2;
        sprite.centreY = d.Y + d.Height / 2;
        sprite.angle = placement.angle;
        if (detail::TryFastSprite(*m_Surface, *image->m_Picture, sprite)) {
            return;
        }
    }
    detail::DrawPlacedPicture(detail::DrawThroughGdiplus(m_Surface), *image->m_Picture, placement);
}

}  // namespace tsumiki
