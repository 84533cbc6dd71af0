#include "graphics/font.h"

#include <cmath>

#include "graphics/font_family.h"

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

namespace {

GpFont* FontOf(GpFontFamily* family, float size, Unit unit)
{
    GpFont* font = nullptr;
    if (!family || DllExports::GdipCreateFont(family, size, FontStyleRegular, unit, &font) != Ok) {
        font = nullptr;
    }
    if (family) {
        DllExports::GdipDeleteFontFamily(family);
    }
    return font;
}

}  // namespace

GpFont* MakeFont(CGdiplus::Startup& gdiplus, const wchar_t* name, float size, Unit unit)
{
    if (!std::isfinite(size) || size <= 0) {
        return nullptr;
    }
    GpFont* font = FontOf(ChooseFontFamily(gdiplus, name), size, unit);
    if (!font && name) {
        // An installed family without a regular face: the fallback has one.
        font = FontOf(ChooseFontFamily(gdiplus, nullptr), size, unit);
    }
    return font;
}

}  // namespace detail
}  // namespace tsumiki
