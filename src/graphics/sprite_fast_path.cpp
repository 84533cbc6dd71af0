#include "graphics/sprite_fast_path.h"

#include "graphics/direct_drawing.h"

namespace tsumiki {
namespace detail {

bool TryFastSprite(CGraphics::Surface& surface, CImage::Picture& picture, const SpritePlacement& placement)
{
    if (picture.attributesHandedOut || !picture.attributes || !surface.kernels ||
        !MayWriteDirectly(surface, DirectWrite::Pictures)) {
        return false;
    }
    const PremultipliedPixels* pixels = picture.FastPixels();
    if (!pixels) {
        return false;
    }
    SpritePlacement withEffects = placement;
    withEffects.opacity = picture.opacitySet ? picture.opacity : 255;
    BeforeDirectWrite(surface);
    return BlitSprite(*surface.kernels, surface.pixels, *pixels, withEffects);
}

}  // namespace detail
}  // namespace tsumiki
