// Building the region of a bitmap's pure black pixels, fast at any size.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Largest width or height a bitmap may have to become a window's shape: window
// coordinates do not reach further.
constexpr int kLargestShapeSide = 32767;

// The region of the bitmap's pixels that are exactly RGB(0, 0, 0), in bitmap coordinates
// (top-left pixel at 0, 0). The pixels are read once through `dc` (which resolves palettes
// and device-dependent formats); the bitmap must not be selected into a device context.
// An empty region when no pixel is black; null when the bitmap cannot be read, is larger
// than kLargestShapeSide either way, or the platform runs out of regions.
HRGN BuildBlackRegion(HDC dc, HBITMAP bitmap);

}  // namespace detail

}  // namespace tsumiki
