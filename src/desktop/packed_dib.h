// Pictures as the clipboard holds them: packed device-independent bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tsumiki {

// A picture's pixels as straight-alpha 0xAARRGGBB, rows top to bottom.
struct ArgbPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// The most pixels a picture read from the clipboard may have (8,192 x 8,192 worth), so
// that a damaged header cannot ask for gigabytes.
constexpr std::int64_t kMaxDibPixels = std::int64_t(1) << 26;

// CF_DIBV5: a BITMAPV5HEADER with the four channel masks, then the rows bottom up.
std::vector<unsigned char> PackDibV5(const ArgbPixels& pixels);
// CF_DIB: a BITMAPINFOHEADER of a 32-bit BI_RGB picture (alpha in the fourth byte), then
// the rows bottom up.
std::vector<unsigned char> PackDib(const ArgbPixels& pixels);
// Reads a packed DIB of size bytes (any header from BITMAPINFOHEADER on; 32 bits with or
// without masks keep their alpha, other depths come out opaque). False for compressed or
// damaged data, data shorter than its header says, or a picture above kMaxDibPixels.
bool UnpackDib(const unsigned char* data, std::size_t size, ArgbPixels& pixels);

}  // namespace tsumiki
