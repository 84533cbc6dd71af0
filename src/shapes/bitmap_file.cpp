#include "shapes/bitmap_file.h"

#include <cstdint>

#include "shapes/black_region.h"

namespace tsumiki {

namespace detail {

namespace {

// A compressed file may rightly declare more pixels than it has bytes; beyond this many
// (64 MB even at one byte a pixel) it is taken as damaged.
constexpr int64_t kLargestCompressedPixels = int64_t(1) << 26;

uint16_t Word(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t DoubleWord(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// Whether the headers at the start of a file of `fileSize` bytes describe a bitmap that a
// window could take the shape of and that the file can hold.
bool HeadersArePlausible(const unsigned char* bytes, size_t count, int64_t fileSize)
{
    const size_t fileHeader = 14;
    if (count < fileHeader + 12 || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const unsigned char* info = bytes + fileHeader;
    const uint32_t infoSize = DoubleWord(info);
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = BI_RGB;
    if (infoSize == 12) {
        width = Word(info + 4);
        height = Word(info + 6);
        bitCount = Word(info + 10);
    } else if (infoSize >= 16 && count >= fileHeader + 16) {
        width = static_cast<int32_t>(DoubleWord(info + 4));
        height = static_cast<int32_t>(DoubleWord(info + 8));
        bitCount = Word(info + 14);
        if (infoSize >= 20 && count >= fileHeader + 20) {
            compression = DoubleWord(info + 16);
        }
    } else {
        return false;
    }
    if (height < 0) {
        height = -height;  // top-down rows; 64 bits, so even INT_MIN turns positive
    }
    if (width <= 0 || height <= 0 || width > kLargestShapeSide || height > kLargestShapeSide) {
        return false;
    }
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        if (bitCount == 0 || bitCount > 32) {
            return false;
        }
        const int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
        return rowBytes * height <= fileSize - static_cast<int64_t>(fileHeader + infoSize);
    }
    return width * height <= kLargestCompressedPixels;
}

}  // namespace

HBITMAP LoadBitmapFile(const wchar_t* path)
{
    if (!path) {
        return nullptr;
    }
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    LARGE_INTEGER size = {};
    unsigned char headers[14 + 20] = {};
    DWORD read = 0;
    bool plausible = GetFileSizeEx(file, &size) &&
                     ReadFile(file, headers, sizeof(headers), &read, nullptr) &&
                     HeadersArePlausible(headers, read, size.QuadPart);
    CloseHandle(file);
    if (!plausible) {
        return nullptr;
    }
    // A DIB section keeps the file's own depth and palette, which the region builder
    // reads exactly.
    return static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

}  // namespace detail

}  // namespace tsumiki
