#include "picture_support.h"

#include <cstdint>
#include <cstdlib>

#include "support/test_files.h"

bool WriteBmp(const std::wstring& path, int width, int height, const PixelRule& color)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { bytes.push_back(uint8_t(v)); bytes.push_back(uint8_t(v >> 8)); };
    // File header, then a BITMAPINFOHEADER; rows bottom-up.
    bytes.push_back('B'); bytes.push_back('M');
    put32(54 + pixelBytes); put32(0); put32(54);
    put32(40); put32(static_cast<uint32_t>(width)); put32(static_cast<uint32_t>(height));
    put16(1); put16(24); put32(0); put32(pixelBytes); put32(2835); put32(2835); put32(0); put32(0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            unsigned rgb = color(x, y);
            bytes.push_back(uint8_t(rgb)); bytes.push_back(uint8_t(rgb >> 8)); bytes.push_back(uint8_t(rgb >> 16));
        }
        bytes.resize(bytes.size() + static_cast<size_t>(stride - width * 3), 0);
    }
    return WriteBytes(path, bytes.data(), bytes.size());
}

const std::vector<unsigned char>& QuartersGif()
{
    static const std::vector<unsigned char> gif = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x18, 0x00, 0x10, 0x00, 0xf1, 0x03, 0x00, 0xff, 0x00,
        0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x18, 0x00, 0x10, 0x00, 0x00, 0x02, 0x36,
        0x84, 0x8f, 0x16, 0xcb, 0xbd, 0x09, 0x81, 0x9b, 0x21, 0x26, 0xea, 0x2c, 0xc2, 0x4d, 0x1f,
        0xce, 0x78, 0x0a, 0x58, 0x89, 0x64, 0xe9, 0x9d, 0xc3, 0xca, 0xb6, 0xab, 0x00, 0xc7, 0x32,
        0xec, 0xd6, 0xc3, 0x8c, 0x0b, 0xb6, 0x9b, 0xcf, 0x7b, 0xdb, 0x93, 0xfd, 0x58, 0xc1, 0xd8,
        0xf0, 0x55, 0xd4, 0x1d, 0x93, 0xca, 0x21, 0xb3, 0x00, 0x00, 0x3b};
    return gif;
}

std::vector<unsigned char> ReadBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        read = 0;
    }
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

unsigned PicturePixel(const CImage& image, int x, int y)
{
    Gdiplus::ARGB argb = 0;
    Gdiplus::DllExports::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image.GetPtr()), x, y, &argb);
    return argb;
}

unsigned BufferPixel(CGraphics& graphics, int x, int y)
{
    Gdiplus::GpGraphics* drawer = graphics.GetDrawer();
    HDC dc = nullptr;
    if (!drawer || Gdiplus::DllExports::GdipGetDC(drawer, &dc) != Gdiplus::Ok) {
        return 0xFFFFFFFFu;
    }
    COLORREF color = GetPixel(dc, x, y);
    Gdiplus::DllExports::GdipReleaseDC(drawer, dc);
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

std::vector<unsigned> ShownPixels(HWND window, CGraphics& graphics, int width, int height)
{
    InvalidateRect(window, nullptr, FALSE);
    graphics.Present(window);
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC windowDC = GetDC(window);
    HDC memDC = CreateCompatibleDC(windowDC);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(memDC, bitmap);
    BitBlt(memDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<const unsigned*>(bits)[i] & 0xFFFFFF;
    }
    SelectObject(memDC, before);
    DeleteObject(bitmap);
    DeleteDC(memDC);
    ReleaseDC(window, windowDC);
    return pixels;
}

int ChannelDistance(unsigned a, unsigned b)
{
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        most = d > most ? d : most;
    }
    return most;
}
