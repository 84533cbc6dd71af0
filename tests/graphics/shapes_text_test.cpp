#include <gtest/gtest.h>

#include <tsumiki.h>

#include <functional>
#include <limits>
#include <vector>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::RectF;

// The pixels that are not white in the 200 x 150 top-left of the buffer: how many, the box
// around them, and how many are none of red, green, blue and yellow.
struct Ink {
    int count = 0, left = 9999, top = 9999, right = -1, bottom = -1, mixed = 0;
};
Ink InkOf(CGraphics& graphics)
{
    Ink ink;
    HDC dc = nullptr;
    Gdiplus::DllExports::GdipGetDC(graphics.GetDrawer(), &dc);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            COLORREF c = GetPixel(dc, x, y) & 0xFFFFFF;  // as 0x00BBGGRR
            if (c != 0xFFFFFF) {
                bool pure = c == 0x0000FF || c == 0x00FF00 || c == 0xFF0000 || c == 0x00FFFF;
                ink = {ink.count + 1, std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
                       std::max(ink.bottom, y), ink.mixed + !pure};
            }
        }
    }
    Gdiplus::DllExports::GdipReleaseDC(graphics.GetDrawer(), dc);
    return ink;
}

class ShapesAndTextTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(frame.Create(360, 300)); }
    // The buffer after one drawing on white.
    Ink Draw(const std::function<void(CGraphics&)>& draw)
    {
        frame.Graphics().Clear(0xFFFFFFFF);
        draw(frame.Graphics());
        return InkOf(frame.Graphics());
    }
    unsigned Pixel(int x, int y) { return BufferPixel(frame.Graphics(), x, y); }
    // 2 x 2 pixels: red, green / blue, yellow.
    std::wstring Quarters()
    {
        std::wstring path = folder.File(L"quarters.bmp");
        WriteBmp(path, 2, 2, [](int x, int y) { return y ? (x ? 0xFFFF00u : 0x0000FFu) : (x ? 0x00FF00u : 0xFF0000u); });
        return path;
    }
    TempFolder folder;
    TestFrame frame;
};

TEST_F(ShapesAndTextTest, ShapesCoverTheirPixelsAndNoOthers)
{
    const Color red(0xFFFF0000);
    PointF triangle[] = {{3, 4}, {23, 4}, {3, 24}};
    struct Case { std::function<void(CGraphics&)> draw; int count, left, top, right, bottom; } cases[] = {
        {[&](CGraphics& g) { g.FillRectangle(3, 4, 10, 6, red); }, 60, 3, 4, 12, 9},
        {[&](CGraphics& g) { g.DrawRectangle(3, 4, 10, 6, red, 1); }, 32, 3, 4, 13, 10},
        {[&](CGraphics& g) { g.FillPolygon(triangle, 3, red); }, -1, 3, 4, 22, 23},
        {[&](CGraphics& g) { g.DrawPolygon(triangle, 3, red, 1); }, -1, 3, 4, 23, 24},
    };
    for (const Case& c : cases) {
        Ink ink = Draw(c.draw);
        EXPECT_TRUE(c.count < 0 || ink.count == c.count) << ink.count;
        EXPECT_EQ(ink.left, c.left); EXPECT_EQ(ink.top, c.top); EXPECT_EQ(ink.right, c.right); EXPECT_EQ(ink.bottom, c.bottom);
    }
    Draw([&](CGraphics& g) { g.FillEllipse(3, 4, 20, 20, red); });
    EXPECT_EQ(Pixel(13, 14), 0xFF0000u);
    EXPECT_EQ(Pixel(5, 6), 0xFFFFFFu);  // inside the rectangle, outside the circle
    Draw([&](CGraphics& g) { g.DrawEllipse(3, 4, 20, 20, red, 1); });
    EXPECT_EQ(Pixel(13, 14), 0xFFFFFFu);
    EXPECT_EQ(Pixel(13, 4), 0xFF0000u);
}

TEST_F(ShapesAndTextTest, PicturesScaleIntoTheirRectangleAndTurnAboutItsCentre)
{
    CImage image(Quarters().c_str());
    // Set before the buffer exists, kept for each new one.
    CGraphics pixelArt;
    pixelArt.SetImageSmoothing(false);
    pixelArt.CreateBackBuffer(frame.GetWndHandle());
    pixelArt.Clear(0xFFFFFFFF);
    pixelArt.DrawImage(&image, RectF(10, 20, 64, 64));
    EXPECT_EQ(InkOf(pixelArt).count, 64 * 64);
    struct Spot { int x, y; unsigned colour; } spots[] = {
        {10, 20, 0xFF0000}, {41, 51, 0xFF0000}, {42, 20, 0x00FF00}, {73, 51, 0x00FF00},
        {10, 52, 0x0000FF}, {41, 83, 0x0000FF}, {42, 52, 0xFFFF00}, {73, 83, 0xFFFF00}, {9, 20, 0xFFFFFF}};
    for (const Spot& spot : spots) {
        EXPECT_EQ(BufferPixel(pixelArt, spot.x, spot.y), spot.colour) << spot.x << "," << spot.y;
    }
    // A quarter turn of 64 x 32 at (10, 20) about its centre (42, 36): 32 x 64, red top-right.
    image.SetRotate(90);
    pixelArt.Clear(0xFFFFFFFF);
    pixelArt.DrawImage(&image, Gdiplus::Size(2, 2), 0, 0, RectF(10, 20, 64, 32));
    Ink turned = InkOf(pixelArt);
    EXPECT_NEAR(turned.left, 26, 1); EXPECT_EQ(turned.right, 57); EXPECT_EQ(turned.top, 4); EXPECT_EQ(turned.bottom, 67);
    EXPECT_EQ(BufferPixel(pixelArt, 50, 10), 0xFF0000u);
    EXPECT_EQ(BufferPixel(pixelArt, 34, 10), 0x0000FFu);
    // Nearest-neighbour keeps four solid colours; bilinear makes a gradient of them.
    image.SetRotate(0);
    pixelArt.Clear(0xFFFFFFFF);
    pixelArt.DrawImage(&image, RectF(10, 20, 64, 64));
    EXPECT_EQ(InkOf(pixelArt).mixed, 0);
    EXPECT_GT(Draw([&](CGraphics& g) { g.DrawImage(&image, RectF(10, 20, 64, 64)); }).mixed, 1024);
}

TEST_F(ShapesAndTextTest, MeasuredTextGrowsAndBoxedTextSitsWhereItIsAligned)
{
    CGraphics& g = frame.Graphics();
    EXPECT_LT(g.MeasureString(L"Hi", 12, L"Arial").Width, g.MeasureString(L"Hi there", 12, L"Arial").Width);
    EXPECT_LT(g.MeasureString(L"Hi", 12, L"Arial").Height, g.MeasureString(L"Hi", 24, L"Arial").Height);
    EXPECT_GT(g.MeasureString(L"Hi", 12, L"No Such Face").Width, 0);
    EXPECT_EQ(g.MeasureString(L"", 12, L"Arial").Width, 0);
    EXPECT_EQ(g.MeasureString(nullptr, 12, L"Arial").Height, 0);

    const RectF box(20, 20, 160, 100);
    struct Case { EAlign across, down; float x, y; } cases[] = {
        {ALIGN_NEAR, ALIGN_NEAR, 20, 20}, {ALIGN_CENTER, ALIGN_CENTER, 100, 70}, {ALIGN_FAR, ALIGN_FAR, 180, 120}};
    for (const Case& c : cases) {
        Ink ink = Draw([&](CGraphics& gr) { gr.DrawString(L"Hello", box, 20, Color(0xFF000000), L"Arial", c.across, c.down); });
        float inkX = c.across == ALIGN_NEAR ? ink.left : c.across == ALIGN_FAR ? ink.right : (ink.left + ink.right) / 2.0f;
        float inkY = c.down == ALIGN_NEAR ? ink.top : c.down == ALIGN_FAR ? ink.bottom : (ink.top + ink.bottom) / 2.0f;
        EXPECT_NEAR(inkX, c.x, c.across == ALIGN_CENTER ? 2 : 8);
        EXPECT_NEAR(inkY, c.y, c.down == ALIGN_CENTER ? 2 : 8);
    }
    Ink wrapped = Draw([&](CGraphics& gr) {
        gr.DrawString(L"one two three four five six", RectF(20, 20, 60, 100), 12, Color(0xFF000000), L"No Such Face",
                      ALIGN_NEAR, ALIGN_NEAR);
    });
    EXPECT_GE(wrapped.left, 20); EXPECT_LE(wrapped.right, 80); EXPECT_GT(wrapped.bottom - wrapped.top, 40);
}

TEST_F(ShapesAndTextTest, BadInputDrawsNothing)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const Color red(0xFFFF0000);
    CImage image(Quarters().c_str());
    PointF line[] = {{10, 10}, {90, 90}, {nan, 50}};
    std::vector<PointF> huge(10000000, PointF(50, 50));
    std::vector<PointF> zigzag(20000);
    for (size_t i = 0; i < zigzag.size(); ++i) zigzag[i] = PointF(i * 0.01f, i % 2 ? 0.0f : 140.0f);
    const std::function<void(CGraphics&)> cases[] = {
        [&](CGraphics& g) { g.FillRectangle(10, 10, -5, 20, red); g.FillRectangle(10, 10, 20, 0, red); },
        [&](CGraphics& g) { g.FillRectangle(nan, 10, 5, 5, red); g.FillEllipse(10, 10, inf, 5, red); },
        [&](CGraphics& g) { g.DrawRectangle(10, 10, 20, 20, red, -1); g.DrawEllipse(10, 10, 20, 20, red, nan); },
        [&](CGraphics& g) { g.FillPolygon(line, 2, red); g.DrawPolygon(line, 2, red, 1); g.FillPolygon(nullptr, 3, red); },
        [&](CGraphics& g) { g.FillPolygon(line, 3, red); g.FillPolygon(line, -1, red); },
        [&](CGraphics& g) { g.FillPolygon(huge.data(), 10000000, red); g.DrawPolygon(huge.data(), 10000000, red, 1); },
        [&](CGraphics& g) { g.FillPolygon(zigzag.data(), 20000, red); },
        [&](CGraphics& g) { g.DrawImage(&image, RectF(10, 10, 0, 20)); g.DrawImage(&image, RectF(nan, 10, 5, 5)); },
        [&](CGraphics& g) { g.DrawImage(&image, Gdiplus::Size(-1, 1), 0, 0, RectF(10, 10, 20, 20)); },
        [&](CGraphics& g) { g.DrawString(L"text", RectF(10, 10, 0, 0), 12, red, L"Arial", ALIGN_NEAR, ALIGN_NEAR); },
        [&](CGraphics& g) { g.DrawString(L"text", RectF(10, 10, 90, 90), nan, red, L"Arial", ALIGN_NEAR, ALIGN_NEAR); },
        [&](CGraphics& g) { g.DrawString(nullptr, RectF(10, 10, 90, 90), 12, red, L"Arial", ALIGN_FAR, ALIGN_FAR); },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        EXPECT_EQ(Draw(cases[i]).count, 0) << "case " << i;
    }
    CGraphics unready;
    unready.FillRectangle(0, 0, 10, 10, red);
    unready.DrawImage(&image, RectF(0, 0, 10, 10));
    EXPECT_EQ(unready.MeasureString(L"text", 12, L"Arial").Width, 0);
}

}  // namespace
