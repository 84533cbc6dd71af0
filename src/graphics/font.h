// The one place fonts for text are made.
#pragma once

#include "platform/gdiplus_startup.h"

namespace tsumiki {
namespace detail {

// A regular font of `size` units (points, or pixels for an em height in the drawing's
// pixels) in the family ChooseFontFamily gives for the name, or in the fallback family
// when the named one has no regular font. The caller deletes it with GdipDeleteFont. Null
// for a size that is not a finite number above 0, or when no installed family gives a font.
Gdiplus::GpFont* MakeFont(CGdiplus::Startup& gdiplus, const wchar_t* name, float size,
                          Gdiplus::Unit unit = Gdiplus::UnitPoint);

}  // namespace detail
}  // namespace tsumiki
