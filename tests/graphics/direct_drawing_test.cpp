// What the back buffer writes into its pixels itself (shapes, text drawn again, and its own
// record of its settings) against the same drawn by GDI+'s flat API, every pixel compared.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cwchar>
#include <functional>
#include <vector>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

using namespace Gdiplus;

const int kWidth = 180;
const int kHeight = 120;

// Two windows side by side: the library draws on the first, whose drawer is never taken;
// GDI+ draws the reference on the second.
class DirectDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT r = {0, 0, kWidth, kHeight};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        ASSERT_TRUE(library.Create(r.right - r.left, r.bottom - r.top, 20));
        ASSERT_TRUE(reference.Create(r.right - r.left, r.bottom - r.top, 400));
        drawer = reference.Graphics().GetDrawer();
    }
    // How many pixels differ by more than `tolerance` in some channel after each side drew.
    int Differing(const std::function<void(CGraphics&)>& draw, const std::function<void()>& drawReference,
                  int tolerance = 0)
    {
        for (TestFrame* frame : {&library, &reference}) {
            frame->Graphics().Clear(0xFF406080);
            frame->Graphics().FillRectangle(0, 60, kWidth, 60, Color(0x80F0E0D0));
        }
        draw(library.Graphics());
        drawReference();
        std::vector<unsigned> drawn = ShownPixels(library.GetWndHandle(), library.Graphics(), kWidth, kHeight);
        std::vector<unsigned> expected = ShownPixels(reference.GetWndHandle(), reference.Graphics(), kWidth, kHeight);
        int differing = 0;
        for (size_t i = 0; i < drawn.size(); ++i) {
            differing += ChannelDistance(drawn[i], expected[i]) > tolerance;
        }
        return differing;
    }
    TestFrame library, reference;
    GpGraphics* drawer = nullptr;
};

TEST_F(DirectDrawing, SmallShapesHaveGdiplusPixels)
{
    struct Box {
        float x, y, width, height;
        ARGB colour;
    } boxes[] = {
        {10, 10, 4, 4, 0xFFFF0000},       {10.5f, 20.5f, 4, 4, 0xFF00FF00},  {30.49f, 7.51f, 8.5f, 3.5f, 0x80FFFFFF},
        {50.3f, 9.7f, 0.3f, 6, 0xFF000000}, {-3.2f, 40.6f, 9, 9, 0x40FF8000}, {175.4f, 115.5f, 30, 30, 0xC0102030},
        {60.25f, 70.75f, 8, 8, 0x01FFFFFF}, {70, 30, 37.3f, 23.1f, 0xFE808080}, {0, 0, kWidth, kHeight, 0x10000000},
        {90.1f, 90.9f, 1, 20, 0xFF00FFFF},  {120.5f, 40.5f, 2.5f, 2.5f, 0x7F3366CC}, {-20, -20, 30, 30, 0xFF123456},
        {100, 50, 0.5f, 0.5f, 0xFFFFFFFF},  {150, 100, 1e-3f, 5, 0xFFFFFFFF}};
    for (const Box& b : boxes) {
        SCOPED_TRACE(testing::Message() << b.x << "," << b.y << " " << b.width << "x" << b.height << " " << std::hex
                                        << b.colour);
        GpSolidFill* brush = nullptr;
        DllExports::GdipCreateSolidFill(b.colour, &brush);
        EXPECT_EQ(Differing([&](CGraphics& g) { g.FillRectangle(b.x, b.y, b.width, b.height, Color(b.colour)); },
                            [&] { DllExports::GdipFillRectangle(drawer, brush, b.x, b.y, b.width, b.height); }),
                  0);
        EXPECT_EQ(Differing([&](CGraphics& g) { g.FillEllipse(b.x, b.y, b.width, b.height, Color(b.colour)); },
                            [&] { DllExports::GdipFillEllipse(drawer, brush, b.x, b.y, b.width, b.height); }),
                  0);
        DllExports::GdipDeleteBrush(brush);
    }
    struct Line {
        float x1, y1, x2, y2, width;
        ARGB colour;
    } lines[] = {{10, 10, 60, 30, 1, 0xFFFF0000},        {10.5f, 50.5f, 11.5f, 90.5f, 1, 0xFF00FF00},
                 {70.5f, 20, 30, 20.4f, 0, 0xFF000000},   {20, 100, 90.49f, 99.51f, 0.5f, 0xFFFFFF00},
                 {-50, -30, 250, 170, 1, 0xFF0000FF},     {170.6f, 5.2f, 190, 60, 1, 0xFFFFFFFF},
                 {44.4f, 44.4f, 44.4f, 44.4f, 1, 0xFFFFFFFF}, {100, 10, 97, 110, 1, 0xFF808080},
                 {5, 117, 1e5f, 118, 1, 0xFFFF00FF},      {60, 60, 90, 75, 1, 0x80FF0000},
                 {130, 30, 160, 90, 2, 0xFF00FF00},       {179.5f, 0, 0, 119.5f, 1, 0xFF204060}};
    for (const Line& l : lines) {
        SCOPED_TRACE(testing::Message() << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2 << " width " << l.width);
        GpPen* pen = nullptr;
        DllExports::GdipCreatePen1(l.colour, l.width, UnitWorld, &pen);
        EXPECT_EQ(Differing([&](CGraphics& g) { g.DrawLine(l.x1, l.y1, l.x2, l.y2, Color(l.colour), l.width); },
                            [&] { DllExports::GdipDrawLine(drawer, pen, l.x1, l.y1, l.x2, l.y2); }),
                  0);
        DllExports::GdipDeletePen(pen);
    }
}

TEST_F(DirectDrawing, TextDrawnAgainKeepsItsGdiplusPixels)
{
    GpFontFamily* family = nullptr;
    GpFont* font = nullptr;
    ASSERT_EQ(DllExports::GdipCreateFontFamilyFromName(L"Arial", nullptr, &family), Ok);
    ASSERT_EQ(DllExports::GdipCreateFont(family, 11, FontStyleRegular, UnitPoint, &font), Ok);
    struct Text {
        const wchar_t* text;
        float x, y;
        ARGB colour;
    } texts[] = {{L"Score 0012345", 10, 10, 0xFFFFFFFF},  {L"Lives 3", 20.5f, 30.25f, 0xFF102030},
                 {L"Left", -12.3f, 50.7f, 0xFFFFFF00},      {L"Right edge", 150.2f, 100.5f, 0xFF00FF00},
                 {L"Faded", 60, 70, 0x80FF0000},            {L"Two\nlines", 100.75f, 5.5f, 0xFFFFFFFF}};
    // Four rounds: drawn by GDI+, kept, then from the kept run; the last after more texts
    // than are kept have been drawn twice each.
    for (int round = 0; round < 4; ++round) {
        if (round == 3) {
            for (int i = 0; i < 100; ++i) {
                wchar_t other[16];
                std::swprintf(other, 16, L"other %d", i / 2);
                library.Graphics().DrawString(other, 0, 0, 11, Color(0xFFFFFFFF), L"Arial");
            }
        }
        for (const Text& t : texts) {
            SCOPED_TRACE(testing::Message() << "round " << round << " at " << t.x << "," << t.y);
            GpSolidFill* brush = nullptr;
            DllExports::GdipCreateSolidFill(t.colour, &brush);
            RectF layout(t.x, t.y, 0, 0);
            EXPECT_EQ(Differing([&](CGraphics& g) { g.DrawString(t.text, t.x, t.y, 11, Color(t.colour), L"Arial"); },
                                [&] {
                                    DllExports::GdipDrawString(drawer, t.text, static_cast<INT>(std::wcslen(t.text)),
                                                               font, &layout, nullptr, brush);
                                },
                                t.colour >> 24 == 255 ? 0 : 1),
                      0);
            DllExports::GdipDeleteBrush(brush);
        }
    }
    // A size in pixels is another text than the same number in points.
    DllExports::GdipDeleteFont(font);
    ASSERT_EQ(DllExports::GdipCreateFont(family, 11, FontStyleRegular, UnitPixel, &font), Ok);
    library.Graphics().SetTextUnit(TEXT_PIXELS);
    GpSolidFill* white = nullptr;
    DllExports::GdipCreateSolidFill(0xFFFFFFFF, &white);
    RectF layout(10, 10, 0, 0);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Differing([&](CGraphics& g) { g.DrawString(L"Score 0012345", 10, 10, 11, Color(0xFFFFFFFF), L"Arial"); },
                            [&] { DllExports::GdipDrawString(drawer, L"Score 0012345", 13, font, &layout, nullptr, white); }),
                  0);
    }
    DllExports::GdipDeleteBrush(white);
    DllExports::GdipDeleteFont(font);
    DllExports::GdipDeleteFontFamily(family);
}

TEST_F(DirectDrawing, NearestNeighbourSetThroughTheLibraryHoldsWithoutAsking)
{
    TempFolder folder;
    std::wstring path = folder.File(L"checks.bmp");
    ASSERT_TRUE(WriteBmp(path, 8, 8, [](int x, int y) { return (x + y) % 2 ? 0xFF0000u : 0x0000FFu; }));
    CImage picture(path.c_str());
    picture.SetPos(90.25f, 60.5f);
    picture.SetRotate(30);
    // GDI+'s alone from the first draw; bilinear sampling would blend the checks.
    library.Graphics().SetImageSmoothing(false);
    reference.Graphics().SetImageSmoothing(false);
    EXPECT_EQ(Differing([&](CGraphics& g) { g.DrawImage(&picture); },
                        [&] { reference.Graphics().DrawImage(&picture); }),
              0);
}

}  // namespace
