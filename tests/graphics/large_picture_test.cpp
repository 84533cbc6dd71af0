#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstdint>
#include <vector>

#include "picture_support.h"
#include "support/frame_window.h"

namespace {

// A white picture of 24,000 x 24,000 pixels at 1 bit each (72 MB, which GDI+ keeps at 1 bit):
// at 32 bits its pixels would pass 1 GiB, more than drawing may convert.
std::vector<unsigned char> HugeBitmapFile()
{
    const std::uint32_t side = 24000;
    const std::uint32_t stride = (side / 8 + 3) & ~3u;
    std::vector<unsigned char> bytes(62, 0);
    bytes.resize(62 + static_cast<size_t>(stride) * side, 0xFF);
    auto put = [&](size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(bytes.size()), 4);
    put(10, 62, 4);
    put(14, 40, 4);
    put(18, side, 4);
    put(22, side, 4);
    put(26, 1, 2);
    put(28, 1, 2);
    put(58, 0x00FFFFFF, 4);  // colour 1 white; colour 0 stays black
    return bytes;
}

TEST(LargePicture, DrawsNothingInAnyFormAndThrowsNothing)
{
    CImage picture;
    {
        std::vector<unsigned char> file = HugeBitmapFile();
        ASSERT_TRUE(picture.LoadFromMemory(file.data(), file.size()));
    }
    ASSERT_EQ(picture.GetWidth(), 24000);
    TestFrame frame;
    ASSERT_TRUE(frame.Create(240, 180));
    CGraphics& g = frame.Graphics();
    g.Clear(0xFF000000);
    picture.SetPos(60, 60);
    g.DrawImage(&picture);
    g.DrawImage(&picture, Gdiplus::Size(100, 100), 0, 0);
    g.DrawImage(&picture, Gdiplus::RectF(10, 10, 100, 80));
    g.DrawImage(&picture, Gdiplus::Size(50, 50), 1, 1, Gdiplus::RectF(20, 20, 50, 50));
    picture.SetRotate(45);
    g.DrawImage(&picture, Gdiplus::Size(100, 100), 2, 3);
    for (unsigned pixel : ShownPixels(frame.GetWndHandle(), g, 200, 140)) {
        ASSERT_EQ(pixel, 0u);
    }
}

}  // namespace
