#include "graphics/font_family.h"

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

namespace {

// A family of our own for one that belongs to GDI+ (the generic family, the members of
// the installed collection), so that every result is deleted the same way.
GpFontFamily* OwnCopy(GpFontFamily* family)
{
    GpFontFamily* copy = nullptr;
    if (!family || DllExports::GdipCloneFontFamily(family, &copy) != Ok) {
        return nullptr;
    }
    return copy;
}

// A Windows without Arial and Microsoft Sans Serif (a fresh Wine prefix) has no generic
// sans-serif family; any installed family then draws the text rather than none.
GpFontFamily* FirstInstalledFamily()
{
    // The installed collection belongs to GDI+ and is never deleted.
    GpFontCollection* installed = nullptr;
    if (DllExports::GdipNewInstalledFontCollection(&installed) != Ok || !installed) {
        return nullptr;
    }
    GpFontFamily* first = nullptr;
    INT found = 0;
    if (DllExports::GdipGetFontCollectionFamilyList(installed, 1, &first, &found) != Ok || found < 1) {
        return nullptr;
    }
    return OwnCopy(first);
}

}  // namespace

GpFontFamily* ChooseFontFamily(CGdiplus::Startup& gdiplus, const wchar_t* name)
{
    GpFontFamily* family = nullptr;
    if (name && *name && DllExports::GdipCreateFontFamilyFromName(name, nullptr, &family) == Ok && family) {
        return family;
    }
    family = OwnCopy(gdiplus.GenericSansSerif());
    return family ? family : FirstInstalledFamily();
}

}  // namespace detail
}  // namespace tsumiki
