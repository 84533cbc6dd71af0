// The form colour: the one answer a window gives the colour messages of its controls (and,
// for a dialog, of itself) once its program has chosen a clear colour.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Sets the dc's text background to the colour (0xAARRGGBB, the alpha left out) and its text
// to the system's window-text colour; returns the brush to paint the background with.
HBRUSH PaintOnClearColor(HDC dc, unsigned long argb, HBRUSH brush);

}  // namespace detail

}  // namespace tsumiki
