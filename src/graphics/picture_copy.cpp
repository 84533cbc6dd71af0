// Pictures taken of pixels already on show: the back buffer's and the screen's. Both go
// through a BMP file in memory, which is what CImage decodes and keeps.
#include "graphics/direct_drawing.h"
#include "graphics/surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace tsumiki {

namespace {

// The pixels of a 32-bit top-down DIB as a picture; rows are stride pixels apart.
bool LoadPixels(const std::uint32_t* pixels, int width, int height, int stride, CImage& picture)
{
    if (!pixels || width <= 0 || height <= 0) {
        return false;
    }
    // A negative height keeps the rows top-down, as the pixels run.
    BITMAPINFOHEADER info = {sizeof(info), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file = {};
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    const std::size_t offset = sizeof(file) + sizeof(info);
    const std::size_t size = offset + row * static_cast<std::size_t>(height);
    if (size > 0xFFFFFFFFu) {
        return false;
    }
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(offset);
    file.bfSize = static_cast<DWORD>(size);
    std::vector<unsigned char> bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    // Opaque whatever the source's fourth byte holds (0 in a screen copy), since a decoder
    // may read a 32-bit BMP as one with alpha.
    // The pixels start 54 bytes in, off their alignment: copied byte-wise.
    unsigned char* target = bytes.data() + offset;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* from = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, target += 4) {
            const std::uint32_t opaque = from[x] | 0xFF000000u;
            std::memcpy(target, &opaque, 4);
        }
    }
    return picture.LoadFromMemory(bytes.data(), bytes.size());
}

}  // namespace

bool CGraphics::CopyTo(CImage& picture) const
{
    if (!m_Surface) {
        picture.Release();
        return false;
    }
    return CopyTo(picture, 0, 0, m_Surface->pixels.width, m_Surface->pixels.height);
}

bool CGraphics::CopyTo(CImage& picture, int x, int y, int width, int height) const
{
    picture.Release();
    if (!m_Surface || !m_Surface->pixels.bits || width <= 0 || height <= 0) {
        return false;
    }
    const detail::TargetPixels& pixels = m_Surface->pixels;
    // Clipped to the buffer, in 64 bits so that no sum overflows.
    const long long left = x < 0 ? 0 : x;
    const long long top = y < 0 ? 0 : y;
    const long long right = std::min<long long>(static_cast<long long>(x) + width, pixels.width);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + height, pixels.height);
    if (left >= right || top >= bottom) {
        return false;
    }
    // Pending GDI+ and GDI drawing must reach the pixels first.
    detail::BeforeDirectWrite(*m_Surface);
    const std::uint32_t* first = pixels.bits + top * pixels.stride + left;
    return LoadPixels(first, static_cast<int>(right - left), static_cast<int>(bottom - top), pixels.stride,
                      picture);
}

bool CImage::LoadFromWindow(HWND window, bool clientAreaOnly)
{
    Release();
    RECT place = {};
    if (!IsWindow(window) || !GetWindowRect(window, &place)) {
        return false;
    }
    if (clientAreaOnly) {
        RECT client = {};
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        place = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    }
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP copy = screen ? detail::CreatePixelBitmap(screen, width, height, &bits) : nullptr;
    bool taken = false;
    if (copy) {
        HDC target = CreateCompatibleDC(screen);
        HGDIOBJ before = SelectObject(target, copy);
        taken = BitBlt(target, 0, 0, width, height, screen, place.left, place.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(target, before);
        DeleteDC(target);
        taken = taken && LoadPixels(static_cast<const std::uint32_t*>(bits), width, height, width, *this);
        DeleteObject(copy);
    }
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return taken;
}

}  // namespace tsumiki
