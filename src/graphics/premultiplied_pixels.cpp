#include "graphics/premultiplied_pixels.h"


namespace tsumiki {
namespace detail {

using namespace Gdiplus;

bool PremultipliedPixels::Build(GpImage* image, bool keyed, ARGB key)
{
    Reset();
    ImageType type = ImageTypeUnknown;
    UINT width = 0;
    UINT height = 0;
    if (!image || DllExports::GdipGetImageType(image, &type) != Ok || type != ImageTypeBitmap ||
        DllExports::GdipGetImageWidth(image, &width) != Ok ||
        DllExports::GdipGetImageHeight(image, &height) != Ok || width == 0 || height == 0 ||
        width >= 0x8000 || height >= 0x8000 ||
        static_cast<unsigned long long>(width + 1) * (height + 1) > kMaxPixels) {
        return false;
    }
    // No exception may leave a drawing call: a copy that cannot be made is no copy.
    try {
        m_Pixels.assign(static_cast<std::size_t>(width + 1) * (height + 1), 0);
    } catch (...) {
        Reset();
        return false;
    }
    m_Width = static_cast<int>(width);
    m_Height = static_cast<int>(height);
    // GDI+ converts whatever the file held (palette, 24-bit, alpha) to ARGB straight into
    // our rows; the transparent column is skipped by the stride.
    Rect whole(0, 0, m_Width, m_Height);
    BitmapData locked = {};
    locked.Width = width;
    locked.Height = height;
    locked.Stride = Stride() * 4;
    locked.PixelFormat = PixelFormat32bppARGB;
    locked.Scan0 = m_Pixels.data();
    auto* bitmap = static_cast<GpBitmap*>(image);
    if (DllExports::GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead | ImageLockModeUserInputBuf,
                                       PixelFormat32bppARGB, &locked) != Ok) {
        Reset();
        return false;
    }
    DllExports::GdipBitmapUnlockBits(bitmap, &locked);
    for (int y = 0; y < m_Height; ++y) {
        std::uint32_t* row = m_Pixels.data() + static_cast<std::size_t>(y) * Stride();
        for (int x = 0; x < m_Width; ++x) {
            std::uint32_t argb = row[x];
            if (keyed && ((argb ^ key) & 0x00FFFFFFu) == 0) {
                row[x] = 0;
                continue;
            }
            std::uint32_t alpha = argb >> 24;
            if (alpha == 255) {
                continue;
            }
            // Truncated, as GDI+ premultiplies what it blends.
            auto scale = [alpha](std::uint32_t channel) { return channel * alpha / 255; };
            row[x] = (alpha << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
                     scale(argb & 0xFF);
        }
    }
    return true;
}

void PremultipliedPixels::Reset()
{
    m_Width = 0;
    m_Height = 0;
    m_Pixels.clear();
    m_Pixels.shrink_to_fit();
}

}  // namespace detail
}  // namespace tsumiki
