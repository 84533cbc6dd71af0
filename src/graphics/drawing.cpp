// The drawing operations of the back buffer: pictures, text, lines and curves. Each call
// makes the brush, pen and font it needs and deletes them before it returns.
#include "graphics/surface.h"
#include "graphics/font.h"

#include <climits>
#include <cwchar>

namespace tsumiki {

using namespace Gdiplus;

void CGraphics::DrawImage(CImage* image)
{
    if (!GetDrawer() || !image || !image->GetPtr()) {
        return;
    }
    DrawImage(image, Size(image->GetWidth(), image->GetHeight()), 0, 0);
}

void CGraphics::DrawImage(CImage* image, const Size& cell, int column, int row)
{
    GpGraphics* graphics = GetDrawer();
    if (!graphics || !image || !image->GetPtr()) {
        return;
    }
    const long long sourceX = static_cast<long long>(column) * cell.Width;
    const long long sourceY = static_cast<long long>(row) * cell.Height;
    if (sourceX < INT_MIN || sourceX > INT_MAX || sourceY < INT_MIN || sourceY > INT_MAX) {
        return;  // a cell no picture can hold
    }
    // Centre the cell on the origin, turn it, then move it to the image's position; the
    // steps are appended to whatever transform the client set, and all of it is undone.
    DllExports::GdipTranslateWorldTransform(graphics, static_cast<REAL>(-cell.Width * 0.5),
                                            static_cast<REAL>(-cell.Height * 0.5), MatrixOrderAppend);
    DllExports::GdipRotateWorldTransform(graphics, image->GetRotate(), MatrixOrderAppend);
    DllExports::GdipTranslateWorldTransform(graphics, image->GetX(), image->GetY(), MatrixOrderAppend);
    DllExports::GdipDrawImageRectRectI(graphics, image->GetPtr(), 0, 0, cell.Width, cell.Height,
                                       static_cast<INT>(sourceX), static_cast<INT>(sourceY), cell.Width,
                                       cell.Height, UnitPixel, image->GetAttributes(), nullptr, nullptr);
    DllExports::GdipResetWorldTransform(graphics);
}

void CGraphics::DrawString(const wchar_t* text, float x, float y, float size, Color color,
                           const wchar_t* fontName)
{
    GpGraphics* graphics = GetDrawer();
    if (!graphics || !text) {
        return;
    }
    GpFont* font = detail::MakeFont(*m_Surface->gdiplus, fontName, size);
    if (!font) {
        return;
    }
    GpSolidFill* brush = nullptr;
    if (DllExports::GdipCreateSolidFill(color.GetValue(), &brush) == Ok) {
        // A zero-size layout rectangle neither wraps nor clips.
        RectF layout(x, y, 0, 0);
        size_t length = wcslen(text);
        DllExports::GdipDrawString(graphics, text, length > INT_MAX ? INT_MAX : static_cast<INT>(length),
                                   font, &layout, nullptr, brush);
        DllExports::GdipDeleteBrush(brush);
    }
    DllExports::GdipDeleteFont(font);
}

void CGraphics::DrawLine(float x1, float y1, float x2, float y2, Color color, float width)
{
    GpGraphics* graphics = GetDrawer();
    GpPen* pen = nullptr;
    if (!graphics || DllExports::GdipCreatePen1(color.GetValue(), width, UnitWorld, &pen) != Ok) {
        return;
    }
    DllExports::GdipDrawLine(graphics, pen, x1, y1, x2, y2);
    DllExports::GdipDeletePen(pen);
}

void CGraphics::DrawCurve(const PointF* points, int count, Color color, float width)
{
    GpGraphics* graphics = GetDrawer();
    GpPen* pen = nullptr;
    if (!graphics || !points || count < 2 ||
        DllExports::GdipCreatePen1(color.GetValue(), width, UnitWorld, &pen) != Ok) {
        return;
    }
    DllExports::GdipDrawCurve(graphics, pen, points, count);
    DllExports::GdipDeletePen(pen);
}

}  // namespace tsumiki
