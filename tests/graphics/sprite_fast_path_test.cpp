// DrawImage's own drawing of sprites against GDI+'s: the same scenes, every pixel compared.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
        bool Create(int w, int h, int x = 20)
        {
            RECT r = {0, 0, w - 16, h - 39};
            AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
            return TestFrame::Create(r.right - r.left, r.bottom - r.top, x);
        }
        std::vector<unsigned> Shown() { return ShownPixels(GetWndHandle(), Graphics(), kWidth, kHeight); }
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
    // The same sprites again on a buffer made while the environment asks for the SSE2
    // kernels: they must give the pixels of the kernels chosen for this processor.
    Frame sse2;
    ASSERT_TRUE(sse2.Create(kWidth + 16, kHeight + 39, 400));
    SetEnvironmentVariableW(L"TSUMIKI_SIMD", L"sse2");
    sse2.Graphics().CreateBackBuffer(sse2.GetWndHandle());
    SetEnvironmentVariableW(L"TSUMIKI_SIMD", nullptr);
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
                std::vector<unsigned> drawn[3];
                for (int side = 0; side < 3; ++side) {
                    Frame& target = side == 2 ? sse2 : frame;
                    CImage* image = side == 1 ? &reference : &fast;
                    target.Graphics().Clear(0xFF406080);
                    if (p.cellWidth) {
                        target.Graphics().DrawImage(image, Size(p.cellWidth, p.cellHeight), p.column, p.row);
                    } else {
                        target.Graphics().DrawImage(image);
                    }
                    drawn[side] = target.Shown();
                }
                EXPECT_TRUE(drawn[2] == drawn[0]) << "scene " << scene << ": the SSE2 kernels differ";
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

// The largest channel difference between the buffer after drawing each image of the pair
// (the first through the fast path, the second through GDI+) the same way on the same ground.
int MostDifferent(CGraphics& graphics, int width, int height, CImage& fast, CImage& reference,
                  const std::function<void(CImage&)>& draw)
{
    std::vector<unsigned> drawn[2];
    for (int side = 0; side < 2; ++side) {
        graphics.Clear(0xFF406080);
        draw(side ? reference : fast);
        drawn[side] = ReadBuffer(graphics, width, height);
    }
    int most = 0;
    for (size_t i = 0; i < drawn[0].size(); ++i) {
        most = std::max(most, ChannelDistance(drawn[0][i], drawn[1][i]));
    }
    return most;
}

TEST_F(FastSprites, BadPlacementsAndCellsDrawAsGdiplusOrNothing)
{
    // Sprites across each edge too: a write past a row's end would show on the next row.
    std::wstring path = folder.File(L"sheet.bmp");
    ASSERT_TRUE(WriteBmp(path, 64, 32, Pattern));
    CImage fast(path.c_str()), reference(path.c_str());
    reference.GetAttributes();
    const float nan = std::nanf(""), inf = INFINITY;
    struct Case {
        float x, y, angle;
        int cellWidth, cellHeight, column, row;
    } cases[] = {{nan, 50, 0, 64, 32, 0, 0},    {50, inf, 10, 64, 32, 0, 0},   {-inf, 50, 10, 64, 32, 0, 0},
                 {1e30f, 50, 10, 64, 32, 0, 0}, {50, -1e30f, 0, 64, 32, 0, 0}, {50, 50, nan, 64, 32, 0, 0},
                 {50, 50, inf, 64, 32, 0, 0},   {50, 50, 1e30f, 64, 32, 0, 0}, {50, 50, 0, 0, 0, 0, 0},
                 {50, 50, 30, 1, 1, 63, 31},    {50, 50, 30, 16, 16, 4, 0},    {50, 50, 30, 16, 16, -1, 0},
                 {50, 50, 30, 40, 20, 1, 1},    {0, 0, 30, 64, 32, 0, 0},      {159.9f, 119.9f, 30, 64, 32, 0, 0},
                 {-31.5f, 60, 0, 64, 32, 0, 0}, {191.4f, 60, 0, 64, 32, 0, 0}, {80, 135.6f, 0, 64, 32, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " turned " << c.angle << " cell " << c.cellWidth
                                        << "x" << c.cellHeight << " at " << c.column << "," << c.row);
        EXPECT_LE(MostDifferent(frame.Graphics(), kWidth, kHeight, fast, reference, [&](CImage& image) {
                      image.SetPos(c.x, c.y);
                      image.SetRotate(c.angle);
                      frame.Graphics().DrawImage(&image, Size(c.cellWidth, c.cellHeight), c.column, c.row);
                  }), 8);
    }
    // Buffers of one pixel and of 8,000 x 8,000, and one that shrinks between two draws.
    for (int side : {1, 8000}) {
        TestFrame other;
        ASSERT_TRUE(other.Create(side, side));
        SetWindowPos(other.GetWndHandle(), nullptr, 0, 0, side, side, SWP_NOZORDER | SWP_NOMOVE);
        for (float place : {0.0f, 7990.5f}) {
            fast.SetPos(place, place);
            other.Graphics().DrawImage(&fast);
        }
    }
    fast.SetPos(150, 110);
    frame.Graphics().DrawImage(&fast);
    frame.SetSize(100, 80);
    frame.Graphics().DrawImage(&fast);
}

TEST_F(FastSprites, ClientSettingsAndChangedPixelsGoThroughGdiplus)
{
    std::wstring path = folder.File(L"sheet.bmp");
    ASSERT_TRUE(WriteBmp(path, 64, 32, Pattern));
    CImage fast(path.c_str()), reference(path.c_str());
    reference.GetAttributes();
    GpGraphics* drawer = frame.Graphics().GetDrawer();
    const std::function<void()> settings[] = {
        [&] { DllExports::GdipTranslateWorldTransform(drawer, 7.5f, 3, MatrixOrderAppend); },
        [&] { DllExports::GdipSetClipRectI(drawer, 40, 30, 50, 20, CombineModeReplace); },
        [&] { DllExports::GdipSetCompositingMode(drawer, CompositingModeSourceCopy); },
        [&] { DllExports::GdipSetInterpolationMode(drawer, InterpolationModeNearestNeighbor); },
        [&] { DllExports::GdipSetPixelOffsetMode(drawer, PixelOffsetModeHalf); },
        [&] { DllExports::GdipSetPageScale(drawer, 1.5f); }};
    for (const auto& setting : settings) {
        EXPECT_EQ(MostDifferent(frame.Graphics(), kWidth, kHeight, fast, reference, [&](CImage& image) {
                      setting();
                      image.SetPos(60.5f, 50.25f);
                      image.SetRotate(20);
                      frame.Graphics().DrawImage(&image);
                  }), 0);
        DllExports::GdipResetClip(drawer);
        DllExports::GdipSetCompositingMode(drawer, CompositingModeSourceOver);
        DllExports::GdipSetInterpolationMode(drawer, InterpolationModeBilinear);
        DllExports::GdipSetPixelOffsetMode(drawer, PixelOffsetModeDefault);
        DllExports::GdipSetPageScale(drawer, 1.0f);
    }
    // A pixel changed through the picture shows at the next draw.
    fast.SetPos(80, 60);
    frame.Graphics().DrawImage(&fast);
    DllExports::GdipBitmapSetPixel(static_cast<GpBitmap*>(fast.GetPtr()), 32, 16, 0xFF123456);
    frame.Graphics().DrawImage(&fast);
    EXPECT_EQ(BufferPixel(frame.Graphics(), 80, 60), 0x123456u);
}

TEST_F(FastSprites, CachedFontsDrawAsNewOnes)
{
    struct Text {
        const wchar_t* font;
        float size;
    } texts[] = {{L"Arial", 11}, {L"Arial", 14}, {nullptr, 11}, {L"No Such Font", 11}, {L"Arial", 20},
                 {L"Arial", 7},  {L"Arial", 9},  {L"Arial", 10}, {L"Arial", 12},       {L"Arial", 13}};
    std::vector<unsigned> first[10];
    // Twice round: the second finds some fonts kept and others made again after eviction.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 10; ++i) {
            frame.Graphics().Clear(0xFFFFFFFF);
            frame.Graphics().DrawString(L"Score 0123", 5, 5, texts[i].size, Color(0xFF000000), texts[i].font);
            std::vector<unsigned> drawn = ReadBuffer(frame.Graphics(), kWidth, kHeight);
            if (round == 0) {
                first[i] = drawn;
            } else {
                EXPECT_EQ(drawn, first[i]) << "text " << i;
            }
        }
    }
    EXPECT_NE(first[0], first[1]);
    EXPECT_EQ(first[2], first[3]);  // both the generic family
}

}  // namespace
