// A window shape from a bitmap: the library's region builder against the plain way of
// scanning pixel by pixel (GetPixel, and CombineRgn cutting away each pixel that is not
// black), on a 512 x 512 disc and a 512 x 512 mask of random speckles, in one run. Both
// must give the same region. Ratio: plain time / library time. Beside it, the time of
// copying the finished region (CombineRgn with RGN_COPY): the least work that yields a
// region of that many rectangles.
#include <tsumiki.h>

#include <cstdint>

#include "bench_support.h"

namespace {

// A 32-bit DIB section, each pixel black or white by the rule.
template <typename Rule>
HBITMAP MakeMask(int width, int height, Rule isBlack)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = isBlack(x, y) ? 0 : 0xFFFFFF;
        }
    }
    return bitmap;
}

// The plain way: start from the whole rectangle and cut away every pixel that is not black.
HRGN ScanPixelByPixel(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectW(bitmap, sizeof(size), &size);
    HRGN region = CreateRectRgn(0, 0, size.bmWidth, size.bmHeight);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ original = SelectObject(memory, bitmap);
    for (int y = 0; y < size.bmHeight; ++y) {
        for (int x = 0; x < size.bmWidth; ++x) {
            if (GetPixel(memory, x, y) != 0) {
                HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
                CombineRgn(region, region, pixel, RGN_DIFF);
                DeleteObject(pixel);
            }
        }
    }
    SelectObject(memory, original);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return region;
}

DWORD RectangleCount(HRGN region)
{
    DWORD bytes = GetRegionData(region, 0, nullptr);
    return bytes > sizeof(RGNDATAHEADER) ? static_cast<DWORD>((bytes - sizeof(RGNDATAHEADER)) / sizeof(RECT)) : 0;
}

bool Measure(const char* name, HBITMAP mask, const char* target)
{
    double start = Seconds();
    HRGN plain = ScanPixelByPixel(mask);
    double plainMs = (Seconds() - start) * 1e3;

    CRegion region;
    double libraryMs = MedianOf(7, [&] {
        double begin = Seconds();
        region.CreateRegionFromHBITMAP(nullptr, mask);
        return (Seconds() - begin) * 1e3;
    });
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    double copyMs = MedianOf(7, [&] {
        double begin = Seconds();
        CombineRgn(copy, region.GetRegion(), nullptr, RGN_COPY);
        return (Seconds() - begin) * 1e3;
    });
    bool same = EqualRgn(plain, region.GetRegion()) != FALSE;
    PrintRatio(name, libraryMs, plainMs, "ms", plainMs / libraryMs, target);
    std::printf("  %lu rectangles; identical regions: %s; RGN_COPY floor %.1f us (library %.0f x the floor)\n",
                static_cast<unsigned long>(RectangleCount(plain)), same ? "yes" : "NO", copyMs * 1e3,
                libraryMs / copyMs);
    std::fflush(stdout);
    DeleteObject(copy);
    DeleteObject(plain);
    return same;
}

}  // namespace

int main()
{
    const int side = 512;
    HBITMAP disc = MakeMask(side, side, [&](int x, int y) {
        int dx = 2 * x + 1 - side, dy = 2 * y + 1 - side;
        return dx * dx + dy * dy <= (side - 16) * (side - 16);
    });
    uint32_t state = 12345;
    HBITMAP speckles = MakeMask(side, side, [&](int, int) {
        state = state * 1664525u + 1013904223u;
        return (state >> 16) & 1;
    });
    bool same = Measure("region of a 512 x 512 disc", disc, ">= 50");
    same = Measure("region of 512 x 512 speckles", speckles, ">= 500") && same;
    DeleteObject(disc);
    DeleteObject(speckles);
    return same ? 0 : 1;
}
