#include "graphics/shape_pixels.h"

#include "graphics/direct_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tsumiki {
namespace detail {

namespace {

// Beyond this GDI+ and GDI clip and round in ways not worked out here.
const float kReach = 1e6f;

bool WithinReach(float v)
{
    return std::fabs(v) <= kReach;
}

// GDI+'s rounding of a point to a pixel.
int Round(float v)
{
    return static_cast<int>(std::floor(v + 0.5f));
}

// Paints rows of pixels in one colour as GDI+ fills them here: an opaque colour replaces
// the pixels (alpha 0, as GDI writes it), a translucent one goes over them premultiplied,
// truncated, as GDI+ blends it; a transparent one never gets here.
class RunPainter {
public:
    RunPainter(CGraphics::Surface& surface, Gdiplus::ARGB colour)
        : m_Target(surface.pixels), m_Kernels(*surface.kernels), m_Opaque(colour >> 24 == 255),
          m_Solid(colour & 0x00FFFFFFu)
    {
        const std::uint32_t alpha = colour >> 24;
        auto scale = [alpha](std::uint32_t channel) { return channel * alpha / 255; };
        const std::uint32_t premultiplied = alpha << 24 | scale((colour >> 16) & 0xFF) << 16 |
                                            scale((colour >> 8) & 0xFF) << 8 | scale(colour & 0xFF);
        if (!m_Opaque) {
            std::fill(m_Premultiplied, m_Premultiplied + kChunk, premultiplied);
        }
    }
    // Pixels [left, right) of row y, as far as they lie in the buffer.
    void Paint(int y, long long left, long long right)
    {
        if (y < 0 || y >= m_Target.height) {
            return;
        }
        const int from = static_cast<int>(std::max(left, 0LL));
        const int to = static_cast<int>(std::min(right, static_cast<long long>(m_Target.width)));
        std::uint32_t* row = m_Target.bits + static_cast<std::ptrdiff_t>(y) * m_Target.stride;
        if (m_Opaque) {
            std::fill(row + std::min(from, to), row + to, m_Solid);
            return;
        }
        for (int x = from; x < to; x += kChunk) {
            m_Kernels.blendRow(m_Premultiplied, row + x, std::min(kChunk, to - x), 255);
        }
    }

private:
    static constexpr int kChunk = 64;
    const TargetPixels& m_Target;
    const BlitKernels& m_Kernels;
    bool m_Opaque;
    std::uint32_t m_Solid;
    std::uint32_t m_Premultiplied[kChunk];
};

bool Ready(CGraphics::Surface& surface)
{
    return surface.kernels && MayWriteDirectly(surface, DirectWrite::Shapes);
}

}  // namespace

bool FillRectangleDirectly(CGraphics::Surface& surface, float x, float y, float width, float height,
                           Gdiplus::ARGB colour)
{
    if (!Ready(surface) || !WithinReach(x) || !WithinReach(y) || !WithinReach(width) || !WithinReach(height)) {
        return false;
    }
    if (colour >> 24 == 0) {
        return true;  // blends to what was there
    }
    BeforeDirectWrite(surface);
    RunPainter painter(surface, colour);
    const int bottom = std::min(Round(y + height), surface.pixels.height);
    for (int row = std::max(Round(y), 0); row < bottom; ++row) {
        painter.Paint(row, Round(x), Round(x + width));
    }
    return true;
}

bool FillEllipseDirectly(CGraphics::Surface& surface, float x, float y, float width, float height,
                         Gdiplus::ARGB colour)
{
    if (!Ready(surface) || !WithinReach(x) || !WithinReach(y) || !WithinReach(width) || !WithinReach(height)) {
        return false;
    }
    const EllipsePath path = RoundedEllipsePath(x, y, width, height);
    LONG left = path[0].x, top = path[0].y, right = path[0].x, bottom = path[0].y;
    for (const POINT& p : path) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    // GDI rounds the curves of a shape at negative coordinates otherwise.
    if (left < 0 || top < 0 || right - left > EllipseOutlines::kMaxSide || bottom - top > EllipseOutlines::kMaxSide) {
        return false;
    }
    if (colour >> 24 == 0) {
        return true;
    }
    const std::vector<PixelRun>* rows = nullptr;
    try {
        rows = surface.ellipses.Rows(path);
    } catch (...) {
        rows = nullptr;  // no memory for the shape: GDI+ draws it
    }
    if (!rows) {
        return false;
    }
    BeforeDirectWrite(surface);
    RunPainter painter(surface, colour);
    for (const PixelRun& run : *rows) {
        painter.Paint(top + run.row, left + run.left, left + run.right);
    }
    return true;
}

bool DrawLineDirectly(CGraphics::Surface& surface, float x1, float y1, float x2, float y2, Gdiplus::ARGB colour,
                      float width)
{
    // A translucent line is widened and filled by GDI+ itself, with other pixels.
    if (!Ready(surface) || colour >> 24 != 255 || !(width >= 0 && width <= 1) || !WithinReach(x1) ||
        !WithinReach(y1) || !WithinReach(x2) || !WithinReach(y2)) {
        return false;
    }
    // GDI's line between the rounded ends: along the longer axis one pixel a step, across
    // it the nearest pixel with halves rounded down; the last pixel is drawn unless the
    // line is level or upright; a line of no length draws nothing.
    const long long startX = Round(x1), startY = Round(y1);
    const long long dx = Round(x2) - startX, dy = Round(y2) - startY;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long length = alongX ? std::llabs(dx) : std::llabs(dy);
    if (length == 0) {
        return true;
    }
    BeforeDirectWrite(surface);
    const long long steps = dx == 0 || dy == 0 ? length : length + 1;
    const long long along = alongX ? (dx > 0 ? 1 : -1) : (dy > 0 ? 1 : -1);
    const long long across = alongX ? dy : dx;
    const long long first = alongX ? startX : startY;
    const long long limit = alongX ? surface.pixels.width : surface.pixels.height;
    // Only the steps whose position along the line lies inside the buffer.
    long long from = along > 0 ? -first : first - limit + 1;
    long long to = along > 0 ? limit - first : first + 1;
    from = std::max(from, 0LL);
    to = std::min(to, steps);
    RunPainter painter(surface, colour);
    for (long long i = from; i < to; ++i) {
        // ceil((2 i across - length) / (2 length)): the nearest, halves down.
        const long long twice = 2 * i * across - length;
        const long long offset = twice >= 0 ? (twice + 2 * length - 1) / (2 * length) : -((-twice) / (2 * length));
        const long long a = first + along * i;
        const long long b = (alongX ? startY : startX) + offset;
        const long long px = alongX ? a : b, py = alongX ? b : a;
        if (py >= 0 && py < surface.pixels.height) {
            painter.Paint(static_cast<int>(py), px, px + 1);
        }
    }
    return true;
}

}  // namespace detail
}  // namespace tsumiki
