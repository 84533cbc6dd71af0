#include "graphics/sprite_blit.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Premultiplied source over destination, each channel rounded as GDI's alpha blend does.
inline std::uint32_t Over(std::uint32_t source, std::uint32_t destination)
{
    const std::uint32_t alpha = source >> 24;
    if (alpha == 255) {
        return source;
    }
    const std::uint32_t keep = 255 - alpha;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t n = ((destination >> shift) & 0xFF) * keep + 127;
        out |= (((source >> shift) & 0xFF) + ((n + 1 + (n >> 8)) >> 8)) << shift;
    }
    return out;
}

// The per-pixel blend, with SSE2 where the target has it (x86_64, and i686 as this library
// builds it), in plain integer steps elsewhere; both give the same results.
#if defined(__SSE2__)
// floor(n / 255) in each 16-bit lane, for n < 65280.
inline __m128i DivideBy255(__m128i n)
{
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(n, _mm_set1_epi16(1)), _mm_srli_epi16(n, 8)), 8);
}

// ShadePlain's steps (below) with the four channels of a pixel side by side: the same results.
inline std::uint32_t ShadeSse2(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t wx,
                               std::uint32_t wy, std::uint32_t opacity, std::uint32_t destination)
{
    const __m128i zero = _mm_setzero_si128();
    const auto left = static_cast<short>(255 - wx);
    const auto right = static_cast<short>(wx);
    const __m128i across = _mm_set_epi16(right, right, right, right, left, left, left, left);
    const __m128i top = _mm_mullo_epi16(
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper)), zero), across);
    const __m128i bottom = _mm_mullo_epi16(
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lower)), zero), across);
    const __m128i rows = _mm_unpacklo_epi64(DivideBy255(_mm_add_epi16(top, _mm_srli_si128(top, 8))),
                                            DivideBy255(_mm_add_epi16(bottom, _mm_srli_si128(bottom, 8))));
    const auto upperShare = static_cast<short>(255 - wy);
    const auto lowerShare = static_cast<short>(wy);
    const __m128i down = _mm_set_epi16(lowerShare, lowerShare, lowerShare, lowerShare, upperShare, upperShare,
                                       upperShare, upperShare);
    const __m128i weighted = _mm_mullo_epi16(rows, down);
    __m128i colour = DivideBy255(_mm_add_epi16(weighted, _mm_srli_si128(weighted, 8)));
    if (opacity != 255) {
        colour = DivideBy255(_mm_mullo_epi16(colour, _mm_set1_epi16(static_cast<short>(opacity))));
    }
    const int alpha = _mm_extract_epi16(colour, 3);
    if (alpha == 0) {
        return destination;
    }
    const __m128i below = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(destination)), zero);
    const __m128i kept = DivideBy255(
        _mm_add_epi16(_mm_mullo_epi16(below, _mm_set1_epi16(static_cast<short>(255 - alpha))), _mm_set1_epi16(127)));
    const __m128i out = _mm_add_epi16(colour, kept);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(out, out)));
}
#else
// a * b / 255 truncated, for a, b <= 255.
inline std::uint32_t Scale(std::uint32_t a, std::uint32_t b)
{
    const std::uint32_t n = a * b;
    return (n + 1 + (n >> 8)) >> 8;
}

// Each channel of a and b weighted (255 - w) : w, truncated; exact where a == b.
inline std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, std::uint32_t w)
{
    const std::uint32_t v = 255 - w;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t n = ((a >> shift) & 0xFF) * v + ((b >> shift) & 0xFF) * w;
        out |= ((n + 1 + (n >> 8)) >> 8) << shift;
    }
    return out;
}

inline std::uint32_t Fade(std::uint32_t argb, std::uint32_t opacity)
{
    if (opacity == 255) {
        return argb;
    }
    return Scale(argb >> 24, opacity) << 24 | Scale((argb >> 16) & 0xFF, opacity) << 16 |
           Scale((argb >> 8) & 0xFF, opacity) << 8 | Scale(argb & 0xFF, opacity);
}

// The bilinear sample between the pixel at upper[0], its right neighbour and the two below
// them, weighted wx : 255 - wx across and wy : 255 - wy down as GDI+ weighs them, faded by
// the opacity and put over the destination pixel. Integer steps, each truncated or
// rounded as GDI+ and GDI do theirs.
inline std::uint32_t ShadePlain(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t wx,
                                std::uint32_t wy, std::uint32_t opacity, std::uint32_t destination)
{
    const std::uint32_t above = wx ? Lerp(upper[0], upper[1], wx) : upper[0];
    const std::uint32_t sample = wy ? Lerp(above, wx ? Lerp(lower[0], lower[1], wx) : lower[0], wy) : above;
    const std::uint32_t colour = Fade(sample, opacity);
    return colour >> 24 ? Over(colour, destination) : destination;
}
#endif

inline std::uint32_t Shade(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t wx,
                           std::uint32_t wy, std::uint32_t opacity, std::uint32_t destination)
{
    // Sprites are mostly clear ground and solid inside: both cases take a short way.
    if ((upper[0] | upper[1] | lower[0] | lower[1]) == 0) {
        return destination;
    }
    if ((wx | wy) == 0 && (opacity == 255 || upper[0] == 0)) {
        return upper[0] >> 24 == 255 ? upper[0] : (upper[0] ? Over(upper[0], destination) : destination);
    }
#if defined(__SSE2__)
    return ShadeSse2(upper, lower, wx, wy, opacity, destination);
#else
    return ShadePlain(upper, lower, wx, wy, opacity, destination);
#endif
}

// The columns of row y that may sample inside [low, high) along one source axis, whose
// coordinate is start + x * step; a superset, widened by a pixel either side.
void NarrowSpan(double start, double step, double low, double high, int& first, int& last)
{
    if (std::fabs(step) < 1e-9) {
        if (start < low - 1 || start > high + 1) {
            last = first;
        }
        return;
    }
    double a = (low - start) / step;
    double b = (high - start) / step;
    if (a > b) {
        std::swap(a, b);
    }
    // Clamped in double precision first: far-off bounds do not fit an int.
    const double from = std::min(std::max(std::floor(a) - 1, static_cast<double>(first)), static_cast<double>(last));
    const double to = std::min(std::max(std::ceil(b) + 2, static_cast<double>(first)), static_cast<double>(last));
    first = static_cast<int>(from);
    last = std::max(first, static_cast<int>(to));
}

void BlitResampled(const TargetPixels& target, const PremultipliedPixels& source, const SpritePlacement& p,
                   const Sampling& s, int left, int top, int right, int bottom)
{
    const auto cellLeft = static_cast<float>(p.cellX);
    const auto cellTop = static_cast<float>(p.cellY);
    const float cellRight = cellLeft + static_cast<float>(p.cellWidth);
    const float cellBottom = cellTop + static_cast<float>(p.cellHeight);
    const int stride = source.Stride();
    for (int y = top; y < bottom; ++y) {
        const auto fy = static_cast<float>(y);
        int first = left;
        int last = right;
        NarrowSpan(s.originX + static_cast<double>(fy) * s.xy, s.xx, cellLeft, cellRight, first, last);
        NarrowSpan(s.originY + static_cast<double>(fy) * s.yy, s.yx, cellTop, cellBottom, first, last);
        std::uint32_t* row = target.bits + static_cast<std::ptrdiff_t>(y) * target.stride;
        for (int x = first; x < last; ++x) {
            const auto fx = static_cast<float>(x);
            const float sx = s.originX + fx * s.xx + fy * s.xy;
            const float sy = s.originY + fx * s.yx + fy * s.yy;
            if (!(sx >= cellLeft && sx < cellRight && sy >= cellTop && sy < cellBottom)) {
                continue;
            }
            // Both are at least 0 here, so truncation is the floor.
            const int column = static_cast<int>(sx);
            const int line = static_cast<int>(sy);
            const auto wx = static_cast<std::uint32_t>((sx - static_cast<float>(column)) * 255.0f + 0.5f);
            const auto wy = static_cast<std::uint32_t>((sy - static_cast<float>(line)) * 255.0f + 0.5f);
            const std::uint32_t* upper = source.Row(line) + column;
            row[x] = Shade(upper, upper + stride, wx, wy, p.opacity, row[x]);
        }
    }
}

// The cell lands unturned and unscaled on whole pixels: GDI+ copies it without sampling.
void BlitCopied(const TargetPixels& target, const PremultipliedPixels& source, const SpritePlacement& p,
                int originX, int originY, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* from = source.Row(p.cellY + y - originY) + (p.cellX - originX);
        std::uint32_t* row = target.bits + static_cast<std::ptrdiff_t>(y) * target.stride;
        for (int x = left; x < right; ++x) {
            row[x] = Shade(from + x, from + x + source.Stride(), 0, 0, p.opacity, row[x]);
        }
    }
}

bool Placeable(float v, float limit)
{
    return std::isfinite(v) && std::fabs(v) <= limit;
}

}  // namespace

bool BlitSprite(const TargetPixels& target, const PremultipliedPixels& source, const SpritePlacement& p)
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
        BlitCopied(target, source, p, originX, originY, left, top, right, bottom);
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
    BlitResampled(target, source, p, sampling, left, top, right, bottom);
    return true;
}

}  // namespace detail
}  // namespace tsumiki
