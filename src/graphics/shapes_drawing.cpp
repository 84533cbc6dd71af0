// Filled and outlined rectangles, ellipses and polygons in the back buffer, and the
// smoothing of what it draws. Each call makes its brush or pen and deletes it before it
// returns.
#include "graphics/direct_drawing.h"
#include "graphics/shape_pixels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tsumiki {

using namespace Gdiplus;

namespace {

// Non-finite coordinates reach GDI+'s rounding to integers, whose result is undefined.
bool IsDrawableBox(float x, float y, float width, float height)
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(width) && std::isfinite(height) && width > 0 &&
           height > 0;
}

// Wine fills a polygon row by row, with work that grows as the square of the edges
// crossing each row: a zigzag of 10,000 points across 300 rows takes a minute and a half,
// a circle of a million points a quarter of a second. This sums that square over the
// buffer's rows, so that a polygon far beyond the budget is refused before it hangs the
// program.
double CrossingWork(const PointF* points, int count, int rows)
{
    std::vector<int> startsMinusEnds(static_cast<size_t>(rows) + 1, 0);
    for (int i = 0; i < count; ++i) {
        const PointF& a = points[i];
        const PointF& b = points[(i + 1) % count];
        // Clamped before the conversion, which would be undefined beyond int; a row more or
        // less changes nothing in an estimate.
        const float limit = static_cast<float>(rows);
        int top = static_cast<int>(std::min(std::max(std::min(a.Y, b.Y), 0.0f), limit));
        int bottom = static_cast<int>(std::min(std::max(std::max(a.Y, b.Y), 0.0f), limit));
        if (top < bottom) {
            startsMinusEnds[static_cast<size_t>(top)] += 1;
            startsMinusEnds[static_cast<size_t>(bottom)] -= 1;
        }
    }
    double work = 0;
    long long crossing = 0;
    for (int row = 0; row < rows; ++row) {
        crossing += startsMinusEnds[static_cast<size_t>(row)];
        work += static_cast<double>(crossing) * static_cast<double>(crossing);
    }
    return work;
}

// About a third of a second of Wine's filling on a slow machine; an everyday polygon of
// a few hundred points needs a thousandth of it.
const double kMaxCrossingWork = 1e8;

bool IsDrawablePolygon(const PointF* points, int count, int rows)
{
    if (!points || count < 3 || count > CGraphics::kMaxPolygonPoints) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(points[i].X) || !std::isfinite(points[i].Y)) {
            return false;
        }
    }
    return CrossingWork(points, count, rows) <= kMaxCrossingWork;
}

// Fills with a brush of the colour made for this one call.
template <class Fill>
void WithBrush(GpGraphics* graphics, Color color, Fill fill)
{
    GpSolidFill* brush = nullptr;
    if (graphics && DllExports::GdipCreateSolidFill(color.GetValue(), &brush) == Ok) {
        fill(graphics, brush);
        DllExports::GdipDeleteBrush(brush);
    }
}

// Outlines with a pen of the colour and width made for this one call.
template <class Outline>
void WithPen(GpGraphics* graphics, Color color, float width, Outline outline)
{
    GpPen* pen = nullptr;
    if (graphics && std::isfinite(width) && width >= 0 &&
        DllExports::GdipCreatePen1(color.GetValue(), width, UnitWorld, &pen) == Ok) {
        outline(graphics, pen);
        DllExports::GdipDeletePen(pen);
    }
}

}  // namespace

void CGraphics::FillRectangle(float x, float y, float width, float height, Color color)
{
    if (IsDrawableBox(x, y, width, height) &&
        !(m_Surface && detail::FillRectangleDirectly(*m_Surface, x, y, width, height, color.GetValue()))) {
        WithBrush(detail::DrawThroughGdiplus(m_Surface), color, [&](GpGraphics* graphics, GpSolidFill* brush) {
            DllExports::GdipFillRectangle(graphics, brush, x, y, width, height);
        });
    }
}

void CGraphics::DrawRectangle(float x, float y, float width, float height, Color color, float penWidth)
{
    if (IsDrawableBox(x, y, width, height)) {
        WithPen(detail::DrawThroughGdiplus(m_Surface), color, penWidth, [&](GpGraphics* graphics, GpPen* pen) {
            DllExports::GdipDrawRectangle(graphics, pen, x, y, width, height);
        });
    }
}

void CGraphics::FillEllipse(float x, float y, float width, float height, Color color)
{
    if (IsDrawableBox(x, y, width, height) &&
        !(m_Surface && detail::FillEllipseDirectly(*m_Surface, x, y, width, height, color.GetValue()))) {
        WithBrush(detail::DrawThroughGdiplus(m_Surface), color, [&](GpGraphics* graphics, GpSolidFill* brush) {
            DllExports::GdipFillEllipse(graphics, brush, x, y, width, height);
        });
    }
}

void CGraphics::DrawEllipse(float x, float y, float width, float height, Color color, float penWidth)
{
    if (IsDrawableBox(x, y, width, height)) {
        WithPen(detail::DrawThroughGdiplus(m_Surface), color, penWidth, [&](GpGraphics* graphics, GpPen* pen) {
            DllExports::GdipDrawEllipse(graphics, pen, x, y, width, height);
        });
    }
}

void CGraphics::FillPolygon(const PointF* points, int count, Color color)
{
    if (m_Surface && IsDrawablePolygon(points, count, m_Surface->height)) {
        WithBrush(detail::DrawThroughGdiplus(m_Surface), color, [&](GpGraphics* graphics, GpSolidFill* brush) {
            DllExports::GdipFillPolygon(graphics, brush, points, count, FillModeAlternate);
        });
    }
}

void CGraphics::DrawPolygon(const PointF* points, int count, Color color, float penWidth)
{
    if (m_Surface && IsDrawablePolygon(points, count, m_Surface->height)) {
        WithPen(detail::DrawThroughGdiplus(m_Surface), color, penWidth, [&](GpGraphics* graphics, GpPen* pen) {
            DllExports::GdipDrawPolygon(graphics, pen, points, count);
        });
    }
}

void CGraphics::SetSmoothing(bool smooth)
{
    m_Smoothing = smooth;
    ApplySmoothing();
}

void CGraphics::SetImageSmoothing(bool smooth)
{
    m_ImageSmoothing = smooth;
    ApplySmoothing();
}

void CGraphics::ApplySmoothing()
{
    if (m_Surface) {
        GpGraphics* graphics = m_Surface->graphics;
        m_Surface->smoothing = m_Smoothing;
        m_Surface->imageSmoothing = m_ImageSmoothing;
        // The defaults are what a new drawing object had before these settings existed:
        // aliased shapes and bilinear pictures.
        DllExports::GdipSetSmoothingMode(graphics, m_Smoothing ? SmoothingModeAntiAlias : SmoothingModeDefault);
        DllExports::GdipSetInterpolationMode(
            graphics, m_ImageSmoothing ? InterpolationModeDefault : InterpolationModeNearestNeighbor);
    }
}

}  // namespace tsumiki
