// The drawing operations of the back buffer: pictures, text, lines and curves. Pens and
// brushes are made per call; text keeps its fonts and one brush in the buffer. Pictures
// take the sprite fast path when they can, GDI+ otherwise.
#include "graphics/picture.h"
#include "graphics/direct_drawing.h"
#include "graphics/shape_pixels.h"
#include "graphics/sprite_fast_path.h"

#include <climits>
#include <cwchar>

namespace tsumiki {

using namespace Gdiplus;

void CGraphics::DrawImage(CImage* image)
{
    if (m_Surface && image && image->m_Picture) {
        DrawImage(image, Size(image->m_Picture->width, image->m_Picture->height), 0, 0);
    }
}

void CGraphics::DrawImage(CImage* image, const Size& cell, int column, int row)
{
    if (!m_Surface || !image || !image->m_Picture || image->m_Picture->TooLargeToDraw()) {
        return;
    }
    CImage::Picture& picture = *image->m_Picture;
    const long long sourceX = static_cast<long long>(column) * cell.Width;
    const long long sourceY = static_cast<long long>(row) * cell.Height;
    if (sourceX < INT_MIN || sourceX > INT_MAX || sourceY < INT_MIN || sourceY > INT_MAX) {
        return;  // a cell no picture can hold
    }
    detail::SpritePlacement placement;
    placement.cellX = static_cast<int>(sourceX);
    placement.cellY = static_cast<int>(sourceY);
    placement.cellWidth = cell.Width;
    placement.cellHeight = cell.Height;
    placement.width = static_cast<float>(cell.Width);
    placement.height = static_cast<float>(cell.Height);
    placement.centreX = image->GetX();
    placement.centreY = image->GetY();
    placement.angle = image->GetRotate();
    if (detail::TryFastSprite(*m_Surface, picture, placement)) {
        return;
    }
    // Centre the cell on the origin, turn it, then move it to the image's position; the
    // steps are appended to whatever transform the client set, and all of it is undone.
    GpGraphics* graphics = detail::DrawThroughGdiplus(m_Surface);
    DllExports::GdipTranslateWorldTransform(graphics, static_cast<REAL>(-cell.Width * 0.5),
                                            static_cast<REAL>(-cell.Height * 0.5), MatrixOrderAppend);
    DllExports::GdipRotateWorldTransform(graphics, image->GetRotate(), MatrixOrderAppend);
    DllExports::GdipTranslateWorldTransform(graphics, image->GetX(), image->GetY(), MatrixOrderAppend);
    DllExports::GdipDrawImageRectRectI(graphics, picture.image, 0, 0, cell.Width, cell.Height,
                                       static_cast<INT>(sourceX), static_cast<INT>(sourceY), cell.Width,
                                       cell.Height, UnitPixel, picture.attributes, nullptr, nullptr);
    DllExports::GdipResetWorldTransform(graphics);
}

void CGraphics::DrawString(const wchar_t* text, float x, float y, float size, Color color,
                           const wchar_t* fontName)
{
    if (!m_Surface || !text ||
        m_Surface->texts.Draw(*m_Surface, text, x, y, size, color.GetValue(), fontName)) {
        return;
    }
    GpGraphics* graphics = detail::DrawThroughGdiplus(m_Surface);
    // The font stays in the buffer's cache; the one brush is recoloured for each text.
    GpFont* font = m_Surface->fonts.Get(fontName, size, m_TextUnit == TEXT_PIXELS);
    if (!font) {
        return;
    }
    GpSolidFill*& brush = m_Surface->textBrush;
    if (!brush && DllExports::GdipCreateSolidFill(color.GetValue(), &brush) != Ok) {
        brush = nullptr;
        return;
    }
    DllExports::GdipSetSolidFillColor(brush, color.GetValue());
    // A zero-size layout rectangle neither wraps nor clips.
    RectF layout(x, y, 0, 0);
    size_t length = wcslen(text);
    DllExports::GdipDrawString(graphics, text, length > INT_MAX ? INT_MAX : static_cast<INT>(length), font, &layout,
                               nullptr, brush);
}

void CGraphics::DrawLine(float x1, float y1, float x2, float y2, Color color, float width)
{
    if (m_Surface && detail::DrawLineDirectly(*m_Surface, x1, y1, x2, y2, color.GetValue(), width)) {
        return;
    }
    GpGraphics* graphics = detail::DrawThroughGdiplus(m_Surface);
    GpPen* pen = nullptr;
    if (!graphics || DllExports::GdipCreatePen1(color.GetValue(), width, UnitWorld, &pen) != Ok) {
        return;
    }
    DllExports::GdipDrawLine(graphics, pen, x1, y1, x2, y2);
    DllExports::GdipDeletePen(pen);
}

void CGraphics::DrawCurve(const PointF* points, int count, Color color, float width)
{
    GpGraphics* graphics = detail::DrawThroughGdiplus(m_Surface);
    GpPen* pen = nullptr;
    if (!graphics || !points || count < 2 ||
        DllExports::GdipCreatePen1(color.GetValue(), width, UnitWorld, &pen) != Ok) {
        return;
    }
    DllExports::GdipDrawCurve(graphics, pen, points, count);
    DllExports::GdipDeletePen(pen);
}

}  // namespace tsumiki
