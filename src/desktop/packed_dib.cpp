#include "desktop/packed_dib.h"

#include <windows.h>

#include <cstring>

namespace tsumiki {

namespace {

constexpr DWORD kRedMask = 0x00FF0000;
constexpr DWORD kGreenMask = 0x0000FF00;
constexpr DWORD kBlueMask = 0x000000FF;
constexpr DWORD kAlphaMask = 0xFF000000;
// Where the masks sit in the headers after BITMAPINFOHEADER (V2 and later).
constexpr std::size_t kMasksInHeaderAt = 40;
constexpr std::size_t kHeaderWithMasks = 52;
constexpr std::size_t kHeaderWithAlphaMask = 56;
// LCS_sRGB, which the platform's header spells as a multi-character constant ('sRGB').
constexpr DWORD kStandardRgb = 0x73524742;

// The header followed by the rows, bottom row first.
std::vector<unsigned char> Pack(const void* header, std::size_t headerSize, const ArgbPixels& pixels)
{
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * 4;
    std::vector<unsigned char> packed(headerSize + rowBytes * pixels.height);
    std::memcpy(packed.data(), header, headerSize);
    for (int y = 0; y < pixels.height; ++y) {
        // 0xAARRGGBB in memory is B, G, R, A: the order of both formats.
        std::memcpy(packed.data() + headerSize + rowBytes * (pixels.height - 1 - y),
                    pixels.argb.data() + static_cast<std::size_t>(y) * pixels.width, rowBytes);
    }
    return packed;
}

// One channel of a pixel, scaled to 8 bits; 0 for an empty mask.
std::uint32_t Channel(DWORD pixel, DWORD mask)
{
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (!(mask >> shift & 1)) {
        ++shift;
    }
    DWORD width = 0;
    while (width < 32 && (mask >> shift >> width & 1)) {
        ++width;
    }
    DWORD value = (pixel & mask) >> shift;
    if (width >= 8) {
        return value >> (width - 8);
    }
    return value * 255 / ((1u << width) - 1);
}

// 32-bit rows read through their masks. A picture whose alpha is zero throughout carries
// no alpha at all (XRGB): it is made opaque.
void Read32(const unsigned char* rows, std::size_t stride, bool bottomUp, const DWORD masks[4],
            ArgbPixels& pixels)
{
    bool anyAlpha = false;
    for (int y = 0; y < pixels.height; ++y) {
        const unsigned char* row = rows + stride * (bottomUp ? pixels.height - 1 - y : y);
        std::uint32_t* out = pixels.argb.data() + static_cast<std::size_t>(y) * pixels.width;
        for (int x = 0; x < pixels.width; ++x) {
            DWORD pixel;
            std::memcpy(&pixel, row + x * 4, 4);
            std::uint32_t alpha = Channel(pixel, masks[3]);
            anyAlpha = anyAlpha || alpha != 0;
            out[x] = alpha << 24 | Channel(pixel, masks[0]) << 16 | Channel(pixel, masks[1]) << 8 |
                     Channel(pixel, masks[2]);
        }
    }
    if (!anyAlpha) {
        for (std::uint32_t& pixel : pixels.argb) {
            pixel |= 0xFF000000u;
        }
    }
}

// Other depths (palettes, 16 and 24 bits) are converted by GDI into a 32-bit picture.
bool ReadThroughGdi(const unsigned char* info, const unsigned char* rows, ArgbPixels& pixels)
{
    BITMAPINFO target = {};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = pixels.width;
    target.bmiHeader.biHeight = -pixels.height;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    bool read = false;
    if (bitmap && dc) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        read = SetDIBitsToDevice(dc, 0, 0, pixels.width, pixels.height, 0, 0, 0, pixels.height, rows,
                                 reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS) != 0;
        GdiFlush();
        if (read) {
            std::memcpy(pixels.argb.data(), bits, pixels.argb.size() * 4);
            for (std::uint32_t& pixel : pixels.argb) {
                pixel |= 0xFF000000u;
            }
        }
        SelectObject(dc, old);
    }
    if (dc) {
        DeleteDC(dc);
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    return read;
}

}  // namespace

std::vector<unsigned char> PackDibV5(const ArgbPixels& pixels)
{
    BITMAPV5HEADER header = {};
    header.bV5Size = sizeof(header);
    header.bV5Width = pixels.width;
    header.bV5Height = pixels.height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5SizeImage = static_cast<DWORD>(pixels.argb.size() * 4);
    header.bV5RedMask = kRedMask;
    header.bV5GreenMask = kGreenMask;
    header.bV5BlueMask = kBlueMask;
    header.bV5AlphaMask = kAlphaMask;
    header.bV5CSType = kStandardRgb;
    header.bV5Intent = LCS_GM_IMAGES;
    return Pack(&header, sizeof(header), pixels);
}

std::vector<unsigned char> PackDib(const ArgbPixels& pixels)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = pixels.width;
    header.biHeight = pixels.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(pixels.argb.size() * 4);
    return Pack(&header, sizeof(header), pixels);
}

bool UnpackDib(const unsigned char* data, std::size_t size, ArgbPixels& pixels)
{
    BITMAPINFOHEADER header;
    if (!data || size < sizeof(header)) {
        return false;
    }
    std::memcpy(&header, data, sizeof(header));
    const std::int64_t width = header.biWidth;
    const std::int64_t signedHeight = header.biHeight;
    const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    const WORD depth = header.biBitCount;
    const DWORD compression = header.biCompression;
    if (header.biSize < sizeof(header) || header.biSize > size || width <= 0 || height <= 0 ||
        width * height > kMaxDibPixels) {
        return false;
    }
    const bool masked = compression == BI_BITFIELDS && (depth == 16 || depth == 32);
    if (!masked && !(compression == BI_RGB && (depth == 1 || depth == 4 || depth == 8 ||
                                               depth == 16 || depth == 24 || depth == 32))) {
        return false;
    }
    std::size_t offset = header.biSize;
    DWORD masks[4] = {kRedMask, kGreenMask, kBlueMask, kAlphaMask};
    if (masked) {
        masks[3] = 0;
        if (header.biSize >= kHeaderWithMasks) {
            std::memcpy(masks, data + kMasksInHeaderAt, 12);
            if (header.biSize >= kHeaderWithAlphaMask) {
                std::memcpy(&masks[3], data + kMasksInHeaderAt + 12, 4);
            }
        } else {
            // A BITMAPINFOHEADER is followed by the three masks.
            if (size - offset < 12) {
                return false;
            }
            std::memcpy(masks, data + offset, 12);
            offset += 12;
        }
    }
    std::size_t colours = header.biClrUsed;
    if (colours == 0 && depth <= 8) {
        colours = std::size_t(1) << depth;
    }
    if (colours > 256) {
        return false;
    }
    offset += colours * 4;
    const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
    if (offset > size || (size - offset) / stride < static_cast<std::size_t>(height)) {
        return false;
    }
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(height);
    pixels.argb.assign(static_cast<std::size_t>(width * height), 0);
    if (depth == 32) {
        Read32(data + offset, stride, signedHeight > 0, masks, pixels);
        return true;
    }
    return ReadThroughGdi(data, data + offset, pixels);
}

}  // namespace tsumiki
