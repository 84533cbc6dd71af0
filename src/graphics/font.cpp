#include "graphics/font.h"

#include <cmath>

#include "graphics/font_family.h"

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

namespace {

GpFont* FontOf(GpFontFamily* family, float points)
{
    GpFont* font = nullptr;
    if (!family || DllExports::GdipCreateFont(family, points, FontStyleRegular, UnitPoint, &font) != Ok) {
        font = nullptr;
    }
    if (family) {
        DllExports::GdipDeleteFontFamily(family);
    }
    return font;
}

}  // namespace

GpFont* MakeFont(CGdiplus::Startup& gdiplus, const wchar_t* name, float points)
{
    if (!std::isfinite(points) || points <= 0) {
        return nullptr;
    }
    GpFont* font = FontOf(ChooseFontFamily(gdiplus, name), points);
    if (!font && name) {
        // An installed family without a regular face: the fallback has one.
        font = FontOf(ChooseFontFamily(gdiplus, nullptr), points);
    }
    return font;
}

}  // namespace detail
}  // namespace tsumiki
