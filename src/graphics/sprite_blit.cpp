#include "graphics/sprite_blit.h"

#include <xmmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace tsumiki {
namespace detail {

namespace {

// An affine matrix as GDI+ keeps it: m11, m12, m21, m22, dx, dy, in single precision.
struct Matrix {
    float m[6] = {1, 0, 0, 1, 0, 0};

    // this = this x right, as GDI+ appends a step to a transform.
    void Append(const Matrix& right)
    {
        float product[6];
        for (int i = 0; i < 6; ++i) {
            const int odd = i % 2;
            product[i] = m[i - odd] * right.m[odd] + m[i - odd + 1] * right.m[odd + 2] +
                         (i >= 4 ? right.m[odd + 4] : 0.0f);
        }
        std::copy(product, product + 6, m);
    }
    float X(float x, float y) const { return x * m[0] + y * m[2] + m[4]; }
    float Y(float x, float y) const { return x * m[1] + y * m[3] + m[5]; }
};

Matrix Translation(float dx, float dy)
{
    Matrix t;
    t.m[4] = dx;
    t.m[5] = dy;
    return t;
}

Matrix Rotation(float degrees)
{
    // Radians rounded to single precision before the sine and cosine, as GDI+ does.
    const auto radians = static_cast<float>(degrees * 3.14159265358979323846 / 180.0);
    const auto cosine = static_cast<float>(std::cos(static_cast<double>(radians)));
    const auto sine = static_cast<float>(std::sin(static_cast<double>(radians)));
    Matrix r;
    r.m[0] = cosine;
    r.m[1] = sine;
    r.m[2] = -sine;
    r.m[3] = cosine;
    return r;
}

// GDI+'s rounding of a device point to a pixel.
int RoundToPixel(float v)
{
    return static_cast<int>(std::floor(static_cast<float>(static_cast<double>(v) + 0.5)));
}

// Which destination pixels a draw covers and which source point each one samples: pixel
// (x, y) samples (originX + x*xx + y*xy, originY + x*yx + y*yy) in picture pixels, each
// term in single precision and in this order.
struct Sampling {
    float originX, originY, xx, xy, yx, yy;
};

// The columns of each row that may sample inside [low, high) along one source axis, whose
// coordinate at column x of row y is origin + y * perRow + x * step: a superset, widened by a
// pixel either side. The bounds are lines in y, worked out once a sprite, so that a row costs
// two multiplications and no branch.
class AxisSpan {
public:
    AxisSpan(double origin, double perRow, double step, double low, double high)
        : m_Flat(std::fabs(step) < 1e-9), m_Origin(origin), m_PerRow(perRow), m_Low(low), m_High(high)
    {
        if (m_Flat) {
            return;
        }
        const double inverse = 1 / step;
        // Where the coordinate crosses the lower and the upper bound, and which comes first.
        double nearStart = (low - origin) * inverse;
        double farStart = (high - origin) * inverse;
        if (step < 0) {
            std::swap(nearStart, farStart);
        }
        m_NearStart = nearStart;
        m_FarStart = farStart;
        m_Slope = -perRow * inverse;
    }
    void Narrow(int y, int& first, int& last) const
    {
        const auto row = static_cast<double>(y);
        if (m_Flat) {
            const double start = m_Origin + row * m_PerRow;
            if (start < m_Low - 1 || start > m_High + 1) {
                last = first;
            }
            return;
        }
        // Clamped in double precision first: far-off bounds do not fit an int. Within two of
        // the row, the clamp below gives what it would give for the bound itself; and there
        // the floor and ceiling are truncations of positive numbers.
        const double lowest = first - 2.0;
        const double highest = last + 2.0;
        const double nearBound = std::min(std::max(m_NearStart + row * m_Slope, lowest), highest);
        const double farBound = std::min(std::max(m_FarStart + row * m_Slope, lowest), highest);
        const int floorNear = static_cast<int>(nearBound - lowest) + first - 2;
        const int ceilingFar = last + 2 - static_cast<int>(highest - farBound);
        const int from = std::min(std::max(floorNear - 1, first), last);
        const int to = std::min(std::max(ceilingFar + 2, from), last);
        first = from;
        last = to;
    }

private:
    bool m_Flat;
    double m_Origin, m_PerRow, m_Low, m_High;
    double m_NearStart = 0, m_FarStart = 0, m_Slope = 0;
};

// Asks for the cache lines of `count` pixels from `from`. The back buffer is larger than the
// processor's nearer caches and sprites land anywhere on it, so a row read only when its
// turn comes waits on memory at each line; asked for a row ahead, it arrives while the row
// before is blended.
void Prefetch(const std::uint32_t* from, int count)
{
    const std::uintptr_t lineBytes = 64;
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(from + count);
    for (std::uintptr_t line = reinterpret_cast<std::uintptr_t>(from) & ~(lineBytes - 1); line < end;
         line += lineBytes) {
        _mm_prefetch(reinterpret_cast<const char*>(line), _MM_HINT_T0);
    }
}

void BlitResampled(const BlitKernels& kernels, const TargetPixels& target, const PremultipliedPixels& source,
                   const SpritePlacement& p, const Sampling& s, int left, int top, int right, int bottom)
{
    RowSampling row;
    row.source = source.Row(0);
    row.sourceStride = source.Stride();
    row.originX = s.originX;
    row.originY = s.originY;
    row.xx = s.xx;
    row.xy = s.xy;
    row.yx = s.yx;
    row.yy = s.yy;
    row.cellLeft = static_cast<float>(p.cellX);
    row.cellTop = static_cast<float>(p.cellY);
    row.cellRight = row.cellLeft + static_cast<float>(p.cellWidth);
    row.cellBottom = row.cellTop + static_cast<float>(p.cellHeight);
    row.opacity = p.opacity;
    row.rowWidth = target.width;
    const AxisSpan across(s.originX, s.xy, s.xx, row.cellLeft, row.cellRight);
    const AxisSpan down(s.originY, s.yy, s.yx, row.cellTop, row.cellBottom);
    // The columns of row y that may sample inside the cell.
    const auto span = [&](int y, int& first, int& last) {
        first = left;
        last = right;
        across.Narrow(y, first, last);
        down.Narrow(y, first, last);
    };
    const auto rowOf = [&](int y) { return target.bits + static_cast<std::ptrdiff_t>(y) * target.stride; };
    int first = 0;
    int last = 0;
    span(top, first, last);
    Prefetch(rowOf(top) + first, last - first);
    for (int y = top; y < bottom; ++y) {
        int nextFirst = 0;
        int nextLast = 0;
        if (y + 1 < bottom) {
            span(y + 1, nextFirst, nextLast);
            Prefetch(rowOf(y + 1) + nextFirst, nextLast - nextFirst);
        }
        if (first < last) {
            kernels.sampleRow(row, rowOf(y), y, first, last);
        }
        first = nextFirst;
        last = nextLast;
    }
}

// The cell lands unturned and unscaled on whole pixels: GDI+ copies it without sampling.
void BlitCopied(const BlitKernels& kernels, const TargetPixels& target, const PremultipliedPixels& source,
                const SpritePlacement& p, int originX, int originY, int left, int top, int right, int bottom)
{
    const auto rowOf = [&](int y) { return target.bits + static_cast<std::ptrdiff_t>(y) * target.stride + left; };
    Prefetch(rowOf(top), right - left);
    for (int y = top; y < bottom; ++y) {
        if (y + 1 < bottom) {
            Prefetch(rowOf(y + 1), right - left);
        }
        const std::uint32_t* from = source.Row(p.cellY + y - originY) + (p.cellX - originX);
        kernels.blendRow(from + left, rowOf(y), right - left, p.opacity);
    }
}

bool Placeable(float v, float limit)
{
    return std::isfinite(v) && std::fabs(v) <= limit;
}

}  // namespace

bool BlitSprite(const BlitKernels& kernels, const TargetPixels& target, const PremultipliedPixels& source,
                const SpritePlacement& p)
{
    // Beyond these GDI+'s own rounding of pixels is no longer what single precision gives
    // here; such draws go to GDI+, which shows what it shows.
    const float kCoordinateLimit = 1e6f;
    const float kAngleLimit = 1e5f;
    if (!target.bits || target.width <= 0 || target.height <= 0 || source.Empty() || p.cellWidth <= 0 ||
        p.cellHeight <= 0 || p.cellX < 0 || p.cellY < 0 || p.cellX > source.Width() - p.cellWidth ||
        p.cellY > source.Height() - p.cellHeight || !Placeable(p.centreX, kCoordinateLimit) ||
        !Placeable(p.centreY, kCoordinateLimit) || !Placeable(p.width, kCoordinateLimit) ||
        !Placeable(p.height, kCoordinateLimit) || !Placeable(p.angle, kAngleLimit) || !(p.width > 0) ||
        !(p.height > 0)) {
        return false;
    }
    if (p.opacity == 0) {
        return true;
    }
    // The world transform CGraphics builds: the rectangle's centre to the origin, the
    // turn, then the centre to its place; then the rectangle's corners through it.
    Matrix world;
    world.Append(Translation(static_cast<float>(-p.width * 0.5), static_cast<float>(-p.height * 0.5)));
    world.Append(Rotation(p.angle));
    world.Append(Translation(p.centreX, p.centreY));
    const float cornersX[4] = {0, p.width, 0, p.width};
    const float cornersY[4] = {0, 0, p.height, p.height};
    float deviceX[4];
    float deviceY[4];
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    for (int i = 0; i < 4; ++i) {
        deviceX[i] = world.X(cornersX[i], cornersY[i]);
        deviceY[i] = world.Y(cornersX[i], cornersY[i]);
        if (!Placeable(deviceX[i], 2 * kCoordinateLimit) || !Placeable(deviceY[i], 2 * kCoordinateLimit)) {
            return false;
        }
        const int px = RoundToPixel(deviceX[i]);
        const int py = RoundToPixel(deviceY[i]);
        left = i == 0 ? px : std::min(left, px);
        right = i == 0 ? px : std::max(right, px);
        top = i == 0 ? py : std::min(top, py);
        bottom = i == 0 ? py : std::max(bottom, py);
    }
    const auto cellX = static_cast<float>(p.cellX);
    const auto cellY = static_cast<float>(p.cellY);
    const auto cellWidth = static_cast<float>(p.cellWidth);
    const auto cellHeight = static_cast<float>(p.cellHeight);
    const bool resample = deviceY[1] != deviceY[0] || deviceX[2] != deviceX[0] ||
                          deviceX[1] - deviceX[0] != cellWidth || deviceY[2] - deviceY[0] != cellHeight;
    // The parts outside the buffer are not drawn.
    const int originX = RoundToPixel(deviceX[0]);
    const int originY = RoundToPixel(deviceY[0]);
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, target.width);
    bottom = std::min(bottom, target.height);
    if (left >= right || top >= bottom) {
        return true;
    }
    if (!resample) {
        // Never wider than the cell, whatever the rounding of its corners.
        left = std::max(left, originX);
        top = std::max(top, originY);
        right = std::min(right, originX + p.cellWidth);
        bottom = std::min(bottom, originY + p.cellHeight);
        if (left >= right || top >= bottom) {
            return true;
        }
        BlitCopied(kernels, target, source, p, originX, originY, left, top, right, bottom);
        return true;
    }
    // The map from the cell to the device, inverted: the source point of each pixel.
    Matrix toDevice;
    toDevice.m[0] = (deviceX[1] - deviceX[0]) / cellWidth;
    toDevice.m[2] = (deviceX[2] - deviceX[0]) / cellHeight;
    toDevice.m[4] = deviceX[0] - toDevice.m[0] * cellX - toDevice.m[2] * cellY;
    toDevice.m[1] = (deviceY[1] - deviceY[0]) / cellWidth;
    toDevice.m[3] = (deviceY[2] - deviceY[0]) / cellHeight;
    toDevice.m[5] = deviceY[0] - toDevice.m[1] * cellX - toDevice.m[3] * cellY;
    const float* d = toDevice.m;
    const float determinant = d[0] * d[3] - d[1] * d[2];
    if (!(std::fabs(determinant) >= 1e-4f)) {
        return false;
    }
    Matrix toSource;
    toSource.m[0] = d[3] / determinant;
    toSource.m[1] = -d[1] / determinant;
    toSource.m[2] = -d[2] / determinant;
    toSource.m[3] = d[0] / determinant;
    toSource.m[4] = (d[2] * d[5] - d[3] * d[4]) / determinant;
    toSource.m[5] = -(d[0] * d[5] - d[1] * d[4]) / determinant;
    Sampling sampling;
    sampling.originX = toSource.X(0, 0);
    sampling.originY = toSource.Y(0, 0);
    sampling.xx = toSource.X(1, 0) - sampling.originX;
    sampling.yx = toSource.Y(1, 0) - sampling.originY;
    sampling.xy = toSource.X(0, 1) - sampling.originX;
    sampling.yy = toSource.Y(0, 1) - sampling.originY;
    BlitResampled(kernels, target, source, p, sampling, left, top, right, bottom);
    return true;
}

}  // namespace detail
}  // namespace tsumiki
