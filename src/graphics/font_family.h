// The one choice of font family for text, with its fallback, so that text is drawn
// whenever any font is installed.
#pragma once

#include "platform/gdiplus_startup.h"

namespace tsumiki {
namespace detail {

// The named family when it is installed; else the generic sans-serif family; else the
// first installed family. The caller owns the result and deletes it with
// GdipDeleteFontFamily. Null only when no family is installed at all. A null name goes
// straight to the fallback.
Gdiplus::GpFontFamily* ChooseFontFamily(CGdiplus::Startup& gdiplus, const wchar_t* name);

}  // namespace detail
}  // namespace tsumiki
