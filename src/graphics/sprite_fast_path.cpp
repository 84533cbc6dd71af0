#include "graphics/sprite_fast_path.h"

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

namespace {

bool DrawsAsMade(CGraphics::Surface& surface)
{
    GpGraphics* graphics = surface.graphics;
    BOOL infiniteClip = FALSE;
    BOOL identity = FALSE;
    CompositingMode compositing = CompositingModeSourceCopy;
    CompositingQuality quality = CompositingQualityHighQuality;
    InterpolationMode interpolation = InterpolationModeInvalid;
    PixelOffsetMode offset = PixelOffsetModeInvalid;
    Unit unit = UnitWorld;
    REAL scale = 0;
    return surface.transformProbe && surface.clipProbe && DllExports::GdipGetClip(graphics, surface.clipProbe) == Ok &&
           DllExports::GdipIsInfiniteRegion(surface.clipProbe, graphics, &infiniteClip) == Ok && infiniteClip &&
           DllExports::GdipGetWorldTransform(graphics, surface.transformProbe) == Ok &&
           DllExports::GdipIsMatrixIdentity(surface.transformProbe, &identity) == Ok && identity &&
           DllExports::GdipGetCompositingMode(graphics, &compositing) == Ok &&
           compositing == CompositingModeSourceOver &&
           DllExports::GdipGetCompositingQuality(graphics, &quality) == Ok &&
           (quality == CompositingQualityDefault || quality == CompositingQualityHighSpeed) &&
           DllExports::GdipGetInterpolationMode(graphics, &interpolation) == Ok &&
           (interpolation == InterpolationModeDefault || interpolation == InterpolationModeBilinear) &&
           DllExports::GdipGetPixelOffsetMode(graphics, &offset) == Ok &&
           (offset == PixelOffsetModeDefault || offset == PixelOffsetModeHighSpeed || offset == PixelOffsetModeNone) &&
           DllExports::GdipGetPageUnit(graphics, &unit) == Ok && (unit == UnitDisplay || unit == UnitPixel) &&
           DllExports::GdipGetPageScale(graphics, &scale) == Ok && scale == 1.0f;
}

}  // namespace

bool TryFastSprite(CGraphics::Surface& surface, CImage::Picture& picture, const SpritePlacement& placement)
{
    if (!surface.graphics || !surface.pixels.bits || picture.attributesHandedOut || !picture.attributes ||
        !DrawsAsMade(surface)) {
        return false;
    }
    const PremultipliedPixels* pixels = picture.FastPixels();
    if (!pixels) {
        return false;
    }
    SpritePlacement withEffects = placement;
    withEffects.opacity = picture.opacitySet ? picture.opacity : 255;
    // What GDI+ and GDI still hold back must reach the pixels first, so that the order of
    // the drawing calls is kept.
    DllExports::GdipFlush(surface.graphics, FlushIntentionSync);
    GdiFlush();
    return BlitSprite(surface.pixels, *pixels, withEffects);
}

}  // namespace detail
}  // namespace tsumiki
