// A picture's pixels as the sprite fast path reads them: 32-bit premultiplied ARGB with
// the colour key already cut out, and one transparent column and row past the right and
// bottom edges, so that sampling between the last pixel and the outside needs no test.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <vector>

namespace tsumiki {
namespace detail {

class PremultipliedPixels {
public:
    // Reads the bitmap's pixels (its current frame); pixels whose red, green and blue
    // equal the key's are made transparent when `keyed`. False (and empty) when the
    // picture is not a bitmap or cannot be read.
    // A picture of more than kMaxPixels is refused, as is one whose copy cannot be allocated.
    bool Build(Gdiplus::GpImage* image, bool keyed, Gdiplus::ARGB key);
    void Reset();

    // 1 GiB of 32-bit pixels.
    static constexpr unsigned long long kMaxPixels = 1ull << 28;

    bool Empty() const { return m_Pixels.empty(); }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    // Pixels from one row to the next: the width plus the transparent column.
    int Stride() const { return m_Width + 1; }
    // Row y, column x; valid for 0 <= x <= Width() and 0 <= y <= Height().
    const std::uint32_t* Row(int y) const { return m_Pixels.data() + static_cast<std::size_t>(y) * Stride(); }

private:
    int m_Width = 0;
    int m_Height = 0;
    std::vector<std::uint32_t> m_Pixels;
};

}  // namespace detail
}  // namespace tsumiki
