// Masks for the shape tests: BMP files of any depth written byte by byte, the bitmaps they
// hold, and the region of their black pixels found the slow, obvious way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

const unsigned kWhite = 0xFFFFFF, kBlack = 0, kNearBlack = 0x010000;
using ColourRule = std::function<unsigned(int x, int y)>;  // 0x00RRGGBB

// A BMP file coloured by the rule. Depths up to 8 bits keep white, black (never at index
// 0) and near-black in their palette (1 bit has no near-black: it turns white); 16 bits
// stores near-black as the smallest red; 32 bits adds an opaque alpha byte to every pixel.
inline std::vector<unsigned char> BmpFile(int depth, int width, int height, const ColourRule& colour)
{
    std::vector<RGBQUAD> palette;
    if (depth <= 8) {
        palette.assign(size_t(1) << depth, RGBQUAD{128, 128, 128, 0});
        palette[0] = {255, 255, 255, 0};
        palette[1] = {0, 0, 0, 0};
        if (depth > 1) {
            palette[2] = {0, 0, 1, 0};
        }
    }
    const size_t rowBytes = (width * depth + 31) / 32 * 4;
    const size_t offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + palette.size() * sizeof(RGBQUAD);
    std::vector<unsigned char> file(offset + rowBytes * height);
    BITMAPFILEHEADER fileHeader = {0x4D42, static_cast<DWORD>(file.size()), 0, 0, static_cast<DWORD>(offset)};
    BITMAPINFOHEADER info = {sizeof(info), width, height, 1, static_cast<WORD>(depth), BI_RGB, 0, 0, 0,
                             static_cast<DWORD>(palette.size()), 0};
    std::memcpy(file.data(), &fileHeader, sizeof(fileHeader));
    std::memcpy(file.data() + sizeof(fileHeader), &info, sizeof(info));
    if (!palette.empty()) {
        std::memcpy(file.data() + sizeof(fileHeader) + sizeof(info), palette.data(), palette.size() * sizeof(RGBQUAD));
    }
    for (int y = 0; y < height; ++y) {
        unsigned char* row = file.data() + offset + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const unsigned c = colour(x, y);
            if (depth <= 8) {
                unsigned index = c == kBlack ? 1 : c == kNearBlack && depth > 1 ? 2 : 0;
                row[x * depth / 8] |= static_cast<unsigned char>(index << (8 - depth - x * depth % 8));
            } else if (depth == 16) {
                uint16_t value = c == kBlack ? 0 : c == kNearBlack ? 0x0400 : 0x7FFF;
                std::memcpy(row + x * 2, &value, 2);
            } else {
                const unsigned char pixel[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                                                static_cast<unsigned char>(c >> 16), 0xFF};
                std::memcpy(row + x * depth / 8, pixel, depth / 8);
            }
        }
    }
    return file;
}

// The file's picture as a new DIB section, or as a bitmap in the screen's own format.
inline HBITMAP BitmapOf(const std::vector<unsigned char>& file, bool screenFormat = false)
{
    // Copied out: the info header starts 14 bytes into the file, off its alignment.
    BITMAPFILEHEADER fileHeader = {};
    std::memcpy(&fileHeader, file.data(), sizeof(fileHeader));
    const size_t offset = fileHeader.bfOffBits;
    std::vector<DWORD> infoCopy((offset - sizeof(fileHeader) + 3) / 4);
    std::memcpy(infoCopy.data(), file.data() + sizeof(fileHeader), offset - sizeof(fileHeader));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(infoCopy.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    if (screenFormat) {
        bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, file.data() + offset, info, DIB_RGB_COLORS);
    } else if ((bitmap = CreateDIBSection(screen, info, DIB_RGB_COLORS, &bits, nullptr, 0))) {
        std::memcpy(bits, file.data() + offset, file.size() - offset);
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The exactly black pixels as GetPixel sees them, one at a time; the runs of a row are
// joined one by one, and the rows to the whole.
inline HRGN ScanBlackPixels(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectW(bitmap, sizeof(size), &size);
    HRGN whole = CreateRectRgn(0, 0, 0, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(memory, bitmap);
    for (int y = 0; y < size.bmHeight; ++y) {
        HRGN row = CreateRectRgn(0, 0, 0, 0);
        for (int x = 0; x < size.bmWidth; ++x) {
            int left = x;
            while (x < size.bmWidth && GetPixel(memory, x, y) == 0) {
                ++x;
            }
            if (x > left) {
                HRGN run = CreateRectRgn(left, y, x, y + 1);
                CombineRgn(row, row, run, RGN_OR);
                DeleteObject(run);
            }
        }
        CombineRgn(whole, whole, row, RGN_OR);
        DeleteObject(row);
    }
    SelectObject(memory, original);
    DeleteDC(memory);
    return whole;
}

// A plus of three rectangles: the middle third of the rows and of the columns.
inline ColourRule Plus(int side)
{
    return [side](int x, int y) {
        return (x >= side / 3 && x < 2 * side / 3) || (y >= side / 3 && y < 2 * side / 3) ? kBlack : kWhite;
    };
}

// What GetWindowRgn says of the window's shape (ERROR when it has none).
inline int ShapeKind(HWND window)
{
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    int kind = GetWindowRgn(window, shape);
    DeleteObject(shape);
    return kind;
}
