#include "graphics/direct_drawing.h"

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

namespace {

// The settings every direct write needs, asked of GDI+ once the program holds the drawer.
bool AskedSettingsAsMade(CGraphics::Surface& surface)
{
    GpGraphics* graphics = surface.graphics;
    BOOL infiniteClip = FALSE;
    BOOL identity = FALSE;
    CompositingMode compositing = CompositingModeSourceCopy;
    CompositingQuality quality = CompositingQualityHighQuality;
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
           DllExports::GdipGetPixelOffsetMode(graphics, &offset) == Ok &&
           (offset == PixelOffsetModeDefault || offset == PixelOffsetModeHighSpeed || offset == PixelOffsetModeNone) &&
           DllExports::GdipGetPageUnit(graphics, &unit) == Ok && (unit == UnitDisplay || unit == UnitPixel) &&
           DllExports::GdipGetPageScale(graphics, &scale) == Ok && scale == 1.0f;
}

bool AskedBilinear(GpGraphics* graphics)
{
    InterpolationMode interpolation = InterpolationModeInvalid;
    return DllExports::GdipGetInterpolationMode(graphics, &interpolation) == Ok &&
           (interpolation == InterpolationModeDefault || interpolation == InterpolationModeBilinear);
}

bool AskedAliased(GpGraphics* graphics)
{
    SmoothingMode smoothing = SmoothingModeInvalid;
    return DllExports::GdipGetSmoothingMode(graphics, &smoothing) == Ok &&
           (smoothing == SmoothingModeDefault || smoothing == SmoothingModeHighSpeed || smoothing == SmoothingModeNone);
}

}  // namespace

bool MayWriteDirectly(CGraphics::Surface& surface, DirectWrite kind)
{
    if (!surface.graphics || !surface.pixels.bits) {
        return false;
    }
    if (!surface.drawerHandedOut) {
        return kind == DirectWrite::Pictures ? surface.imageSmoothing
                                             : kind == DirectWrite::Text || !surface.smoothing;
    }
    if (kind == DirectWrite::Text || !AskedSettingsAsMade(surface)) {
        return false;
    }
    return kind == DirectWrite::Pictures ? AskedBilinear(surface.graphics) : AskedAliased(surface.graphics);
}

GpGraphics* DrawThroughGdiplus(const std::shared_ptr<CGraphics::Surface>& surface)
{
    if (!surface) {
        return nullptr;
    }
    surface->gdiplusDrew = true;
    return surface->graphics;
}

void BeforeDirectWrite(CGraphics::Surface& surface)
{
    // While the program holds the drawer it may draw through it at any time.
    if (surface.gdiplusDrew || surface.drawerHandedOut) {
        DllExports::GdipFlush(surface.graphics, FlushIntentionSync);
        GdiFlush();
        surface.gdiplusDrew = false;
    }
}

}  // namespace detail
}  // namespace tsumiki
