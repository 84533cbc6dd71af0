// Fonts of the controls the library makes, given by the program or made by the library at
// each window's DPI (the window's own DPI and scaling are CWindowBase's GetDpi and Scale).
//
// Free functions:
//   SetControlFont      the font every control made afterwards starts with
//   SetControlFontFace  the same, named by face and size, made at each window's DPI
#pragma once

#include <windows.h>

#include "tsumiki/export.h"

namespace tsumiki {

// Every control the library creates from now on gets this font (WM_SETFONT); controls
// made before keep theirs. The font stays the caller's: it must outlive those controls.
// Null restores the default, the system font. A later SetControlFontFace replaces it.
TSUMIKI_API void SetControlFont(HFONT font);
// Every control the library creates from now on, and every CDialogBase made from now on,
// gets the font of this face and size in points, made by the library at the window's DPI
// (9 points are 12 pixels high at 96 DPI, 18 at 144) and made again at the new DPI when
// the window's OnDpiChanged runs. The library owns these fonts: one per face, size and DPI,
// shared by the windows that use it and deleted once none does (a window destroyed, or
// given another font by WM_SETFONT, no longer uses it). A face the system does not have
// gets the platform's substitute, as CreateFontW gives it. False, changing nothing, for a
// null or empty face, a face of 32 characters or more (longer than a font's name can be),
// or a size outside 1 to 1,000 points. A later SetControlFont replaces it.
TSUMIKI_API bool SetControlFontFace(const wchar_t* face, int points);

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::SetControlFont;
using tsumiki::SetControlFontFace;
#endif
