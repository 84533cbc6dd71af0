// Masks for the shape tests: pictures of black, white and near-black pixels stored at any
// bitmap depth, as DIB sections and as BMP files written byte by byte, and the region of
// their black pixels found the slow, obvious way.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

enum class Shade { White, Black, NearBlack };

// What each pixel of a mask is.
using ShadeRule = std::function<Shade(int x, int y)>;

// A mask stored at 1, 4, 8, 16, 24 or 32 bits a pixel. Palettes keep black away from
// index 0 and hold a near-black entry (RGB(1, 0, 0); 1 bit has none, so near-black is
// white there; 16 bits stores the smallest red, one step of five bits). 32-bit pixels
// carry an opaque alpha byte, black ones included.
class MaskPicture {
public:
    MaskPicture(int depth, int width, int height, const ShadeRule& rule);

    // A new DIB section holding the mask, its rows stored bottom-up or top-down; the
    // caller deletes it.
    HBITMAP MakeBitmap(bool topDown = false) const;
    // Writes the mask as a BMP file; true on success.
    bool WriteFile(const std::wstring& path) const;

private:
    std::vector<unsigned char> Info() const;

    int m_Depth;
    int m_Width;
    int m_Height;
    std::vector<RGBQUAD> m_Palette;
    std::vector<unsigned char> m_Bits;  // bottom-up rows, each padded to 4 bytes
};

// A new bitmap of the screen's own format (device-dependent) with the same colours.
HBITMAP CopyToScreenFormat(HBITMAP bitmap);

// The region of the exactly black pixels as GetPixel sees them through a memory device
// context, one pixel at a time; each row's runs are joined one by one.
HRGN ScanBlackPixels(HBITMAP bitmap);

// Common masks.
ShadeRule DiscRule(int width, int height, bool nearBlackHoles);
ShadeRule SpeckleRule(unsigned seed);
// A plus of three rectangles: a horizontal bar and a vertical bar a third of the size wide.
ShadeRule PlusRule(int width, int height);
