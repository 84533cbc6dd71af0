#include "mask_support.h"

#include <cstdint>
#include <cstring>

#include "support/test_files.h"

namespace {

const RGBQUAD kWhite = {255, 255, 255, 0};
const RGBQUAD kBlack = {0, 0, 0, 0};
const RGBQUAD kNearBlack = {0, 0, 1, 0};  // blue, green, red: RGB(1, 0, 0)

int RowBytes(int width, int depth) { return (width * depth + 31) / 32 * 4; }

}  // namespace

MaskPicture::MaskPicture(int depth, int width, int height, const ShadeRule& rule)
    : m_Depth(depth), m_Width(width), m_Height(height)
{
    // Palette indexes of white, black and near-black.
    unsigned white = 0, black = 1, nearBlack = 0;
    if (depth <= 8) {
        m_Palette.assign(size_t(1) << depth, RGBQUAD{128, 128, 128, 0});
        m_Palette[0] = kWhite;
        if (depth == 1) {
            m_Palette[1] = kBlack;
        } else {
            black = 3;
            nearBlack = 2;
            m_Palette[black] = kBlack;
            m_Palette[nearBlack] = kNearBlack;
        }
    }
    const int rowBytes = RowBytes(width, depth);
    m_Bits.assign(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = m_Bits.data() + static_cast<size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            Shade shade = rule(x, y);
            switch (depth) {
            case 1:
            case 4:
            case 8: {
                unsigned index = shade == Shade::Black ? black : shade == Shade::NearBlack ? nearBlack : white;
                int bit = x * depth;
                row[bit / 8] |= static_cast<unsigned char>(index << (8 - depth - bit % 8));
                break;
            }
            case 16: {
                uint16_t value = shade == Shade::Black ? 0 : shade == Shade::NearBlack ? 0x0400 : 0x7FFF;
                std::memcpy(row + x * 2, &value, 2);
                break;
            }
            default: {
                RGBQUAD colour = shade == Shade::Black ? kBlack : shade == Shade::NearBlack ? kNearBlack : kWhite;
                int bytes = depth / 8;
                std::memcpy(row + x * bytes, &colour, 3);
                if (bytes == 4) {
                    row[x * 4 + 3] = 0xFF;
                }
            }
            }
        }
    }
}

std::vector<unsigned char> MaskPicture::Info() const
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = m_Width;
    header.biHeight = m_Height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(m_Depth);
    header.biCompression = BI_RGB;
    header.biClrUsed = static_cast<DWORD>(m_Palette.size());
    std::vector<unsigned char> info(sizeof(header) + m_Palette.size() * sizeof(RGBQUAD));
    std::memcpy(info.data(), &header, sizeof(header));
    if (!m_Palette.empty()) {
        std::memcpy(info.data() + sizeof(header), m_Palette.data(), m_Palette.size() * sizeof(RGBQUAD));
    }
    return info;
}

HBITMAP MaskPicture::MakeBitmap(bool topDown) const
{
    std::vector<unsigned char> info = Info();
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    if (topDown) {
        header->biHeight = -m_Height;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (!bitmap) {
        return nullptr;
    }
    const size_t rowBytes = RowBytes(m_Width, m_Depth);
    for (int row = 0; row < m_Height; ++row) {
        int from = topDown ? m_Height - 1 - row : row;
        std::memcpy(static_cast<unsigned char*>(bits) + row * rowBytes, m_Bits.data() + from * rowBytes, rowBytes);
    }
    return bitmap;
}

HBITMAP CopyToScreenFormat(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectW(bitmap, sizeof(size), &size);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, size.bmWidth, size.bmHeight);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, copy);
    BitBlt(to, 0, 0, size.bmWidth, size.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return copy;
}

bool MaskPicture::WriteFile(const std::wstring& path) const
{
    std::vector<unsigned char> info = Info();
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = static_cast<DWORD>(sizeof(header) + info.size());
    header.bfSize = static_cast<DWORD>(header.bfOffBits + m_Bits.size());
    std::vector<unsigned char> file(reinterpret_cast<unsigned char*>(&header),
                                    reinterpret_cast<unsigned char*>(&header) + sizeof(header));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), m_Bits.begin(), m_Bits.end());
    return WriteBytes(path, file.data(), file.size());
}

HRGN ScanBlackPixels(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectW(bitmap, sizeof(size), &size);
    HRGN whole = CreateRectRgn(0, 0, 0, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ original = SelectObject(memory, bitmap);
    for (int y = 0; y < size.bmHeight; ++y) {
        HRGN row = CreateRectRgn(0, 0, 0, 0);
        for (int x = 0; x < size.bmWidth;) {
            if (GetPixel(memory, x, y) != 0) {
                ++x;
                continue;
            }
            int left = x;
            while (x < size.bmWidth && GetPixel(memory, x, y) == 0) {
                ++x;
            }
            HRGN run = CreateRectRgn(left, y, x, y + 1);
            CombineRgn(row, row, run, RGN_OR);
            DeleteObject(run);
        }
        CombineRgn(whole, whole, row, RGN_OR);
        DeleteObject(row);
    }
    SelectObject(memory, original);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return whole;
}

ShadeRule DiscRule(int width, int height, bool nearBlackHoles)
{
    return [=](int x, int y) {
        // Measured in half pixels from the centre, so that odd sizes stay symmetric.
        long dx = 2L * x + 1 - width, dy = 2L * y + 1 - height;
        long radius = (width < height ? width : height) - 2;
        if (dx * dx + dy * dy > radius * radius) {
            return Shade::White;
        }
        if (nearBlackHoles && (x / 3 + y / 3) % 5 == 0) {
            return Shade::NearBlack;
        }
        return Shade::Black;
    };
}

ShadeRule SpeckleRule(unsigned seed)
{
    return [seed](int x, int y) {
        uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<uint32_t>(y) * 0x85EBCA77u);
        h ^= h >> 15;
        h *= 0x2C1B3C6Du;
        h ^= h >> 12;
        uint32_t pick = h % 8;
        return pick < 4 ? Shade::Black : pick == 4 ? Shade::NearBlack : Shade::White;
    };
}

ShadeRule PlusRule(int width, int height)
{
    return [=](int x, int y) {
        bool inColumn = x >= width / 3 && x < 2 * width / 3;
        bool inRow = y >= height / 3 && y < 2 * height / 3;
        return inColumn || inRow ? Shade::Black : Shade::White;
    };
}
