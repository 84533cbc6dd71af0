// DrawImage's own drawing of sprites against GDI+'s: the same scenes, every pixel compared.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/message_box_catcher.h"
#include "support/test_files.h"

namespace {

using namespace Gdiplus;

// Every pixel of the buffer, 0x00RRGGBB, top row first.
std::vector<unsigned> ReadBuffer(CGraphics& graphics, int width, int height)
{
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    HDC dc = nullptr;
    if (DllExports::GdipGetDC(graphics.GetDrawer(), &dc) != Ok) {
        return pixels;
    }
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(dc, static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)), 0, height, pixels.data(), &format,
              DIB_RGB_COLORS);
    DllExports::GdipReleaseDC(graphics.GetDrawer(), dc);
    for (unsigned& p : pixels) {
        p &= 0xFFFFFF;
    }
    return pixels;
}

// A PNG whose pixels carry their own alpha, written through GDI+'s encoder.
bool WriteAlphaPng(const std::wstring& path, int width, int height)
{
    std::vector<ARGB> argb(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned alpha = (x * 255 / (width - 1)) & 0xF0;
            argb[y * width + x] = alpha << 24 | (y * 6) << 16 | 0x9000 | (x * 5);
        }
    }
    GpBitmap* bitmap = nullptr;
    CLSID png;
    bool saved = FindImageEncoder(L"image/png", &png) &&
                 DllExports::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                                       reinterpret_cast<BYTE*>(argb.data()), &bitmap) == Ok &&
                 DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &png, nullptr) == Ok;
    DllExports::GdipDisposeImage(bitmap);
    return saved;
}

// Soft gradients, hard stripes and magenta (the key) spots.
unsigned Pattern(int x, int y)
{
    if ((x / 5 + y / 7) % 6 == 0) {
        return 0xFF00FF;
    }
    return ((x * 4) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x / 8 % 2) ? 0xE0 : 0x30);
}

class FastSprites : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(frame.Create(kWidth + 16, kHeight + 39)); }

    // A window whose client area is kWidth x kHeight.
    struct Frame : TestFrame {
        bool Create(int w, int h)
        {
            RECT r = {0, 0, w - 16, h - 39};
            AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
            return TestFrame::Create(r.right - r.left, r.bottom - r.top);
        }
    };

    static const int kWidth = 160;
    static const int kHeight = 120;
    MessageBoxCatcher boxes;
    TempFolder folder;
    Frame frame;
};

struct Difference {
    int most = 0, mostAtEdge = 0;
    double sum = 0, sumAtEdge = 0;
    long count = 0, countAtEdge = 0;
    int failures = 0;
};

TEST_F(FastSprites, DrawTheSamePixelsAsGdiplus)
{
    struct Picture {
        const wchar_t* file;
        int cellWidth, cellHeight, column, row;  // 0 x 0: the whole picture
    };
    std::wstring sheet = folder.File(L"sheet.bmp");
    ASSERT_TRUE(WriteBmp(sheet, 128, 64, Pattern));
    ASSERT_TRUE(WriteBmp(folder.File(L"one.bmp"), 1, 1, [](int, int) { return 0x20C040u; }));
    ASSERT_TRUE(WriteBmp(folder.File(L"tall.bmp"), 1, 500, Pattern));
    ASSERT_TRUE(WriteAlphaPng(folder.File(L"alpha.png"), 48, 40));
    ASSERT_TRUE(WriteBytes(folder.File(L"quarters.gif"), QuartersGif().data(), QuartersGif().size()));
    const Picture pictures[] = {{L"sheet.bmp", 0, 0, 0, 0}, {L"sheet.bmp", 64, 64, 1, 0},
                                {L"alpha.png", 0, 0, 0, 0}, {L"quarters.gif", 12, 8, 1, 1},
                                {L"one.bmp", 0, 0, 0, 0},   {L"tall.bmp", 0, 0, 0, 0}};
    const float angles[] = {0, 1, 45, 90, 133.7f, 180, 270, 359.9f};
    const unsigned char opacities[] = {255, 128, 5};
    // Fractions of a pixel, and places partly or wholly outside the buffer.
    const float places[][2] = {{80, 60}, {80.25f, 59.5f}, {33.7f, 90.1f}, {2.5f, 3.3f}, {158.6f, 118.2f},
                               {-70, 50}, {90, 250}};
    Difference all;
    int scene = 0;
    for (const Picture& p : pictures) {
        for (float angle : angles) {
            for (unsigned char opacity : opacities) {
                CImage fast(folder.File(p.file).c_str());
                CImage reference(folder.File(p.file).c_str());
                reference.GetAttributes();  // handed out: drawn by GDI+ from now on
                const float* place = places[scene++ % 7];
                const bool keyed = scene % 2;
                for (CImage* image : {&fast, &reference}) {
                    image->SetPos(place[0], place[1]);
                    image->SetRotate(angle);
                    image->AlphaBlending(opacity);
                    if (keyed) {
                        image->ColorKey(0xFFFF00FF);
                    }
                }
                std::vector<unsigned> drawn[2];
                for (int side = 0; side < 2; ++side) {
                    CImage* image = side ? &reference : &fast;
                    frame.Graphics().Clear(0xFF406080);
                    if (p.cellWidth) {
                        frame.Graphics().DrawImage(image, Size(p.cellWidth, p.cellHeight), p.column, p.row);
                    } else {
                        frame.Graphics().DrawImage(image);
                    }
                    drawn[side] = ReadBuffer(frame.Graphics(), kWidth, kHeight);
                }
                // Distance of each pixel from the sprite's outline, in the sprite's own axes.
                const double w = p.cellWidth ? p.cellWidth : fast.GetWidth();
                const double h = p.cellHeight ? p.cellHeight : fast.GetHeight();
                const double turn = angle * 3.14159265358979 / 180;
                for (int y = 0; y < kHeight; ++y) {
                    for (int x = 0; x < kWidth; ++x) {
                        const double dx = x - place[0], dy = y - place[1];
                        const double u = dx * std::cos(turn) + dy * std::sin(turn) + w / 2;
                        const double v = -dx * std::sin(turn) + dy * std::cos(turn) + h / 2;
                        const double inside = std::min(std::min(u, w - u), std::min(v, h - v));
                        if (inside < -2) {
                            EXPECT_EQ(drawn[0][y * kWidth + x], 0x406080u) << "outside the sprite";
                            continue;
                        }
                        const bool edge = inside < 2;
                        for (int shift = 0; shift < 24; shift += 8) {
                            const int d = std::abs(int((drawn[0][y * kWidth + x] >> shift) & 0xFF) -
                                                   int((drawn[1][y * kWidth + x] >> shift) & 0xFF));
                            (edge ? all.mostAtEdge : all.most) = std::max(edge ? all.mostAtEdge : all.most, d);
                            (edge ? all.sumAtEdge : all.sum) += d;
                            ++(edge ? all.countAtEdge : all.count);
                            if (!edge && d > 8 && ++all.failures <= 10) {
                                ADD_FAILURE() << "scene " << scene << " pixel " << x << "," << y << " differs by " << d;
                            }
                        }
                    }
                }
            }
        }
    }
    std::printf("per channel: inside max %d mean %.3f over %ld; at edges max %d mean %.3f over %ld\n", all.most,
                all.sum / all.count, all.count, all.mostAtEdge, all.sumAtEdge / all.countAtEdge, all.countAtEdge);
    EXPECT_LT(all.sum / all.count, 1.0);
    EXPECT_LE(all.most, 8);
}

}  // namespace
