#include <gtest/gtest.h>

#include <tsumiki.h>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/message_box_catcher.h"
#include "support/pixels.h"
#include "support/test_files.h"

namespace {

const unsigned kWhite = 0xFFFFFF;
const unsigned kRed = 0xFF0000;
const unsigned kGreen = 0x00FF00;
const unsigned kBlue = 0x0000FF;
const unsigned kYellow = 0xFFFF00;
const unsigned kMagenta = 0xFF00FF;

// Quarters of a 40 x 20 picture: red, green / blue, yellow.
unsigned Quarters(int x, int y)
{
    if (y < 10) {
        return x < 20 ? kRed : kGreen;
    }
    return x < 20 ? kBlue : kYellow;
}

// A sheet of 4 x 2 cells of 64 x 64: each cell one colour made from its column and row,
// with a black 8 x 8 mark in its top-left corner.
unsigned SheetCell(int column, int row)
{
    return 0x200000u * static_cast<unsigned>(column + 1) + 0x6000u * static_cast<unsigned>(row + 1) + 0x40u;
}

unsigned Sheet(int x, int y)
{
    if (x % 64 < 8 && y % 64 < 8) {
        return 0;
    }
    return SheetCell(x / 64, y / 64);
}

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(360, 300));
        ASSERT_TRUE(Graphics().Clear(0xFFFFFFFF));
    }

    CGraphics& Graphics() { return frame.Graphics(); }
    unsigned Pixel(int x, int y) { return BufferPixel(Graphics(), x, y); }

    std::wstring Picture(const wchar_t* name, int width, int height, const PixelRule& rule)
    {
        std::wstring path = folder.File(name);
        EXPECT_TRUE(WriteBmp(path, width, height, rule));
        return path;
    }

    MessageBoxCatcher boxes;
    TempFolder folder;
    TestFrame frame;
};

TEST_F(DrawingTest, AnUnturnedPictureIsCentredOnItsPosition)
{
    CImage image(Picture(L"quarters.bmp", 40, 20, Quarters).c_str());
    image.SetPos(100, 60);
    Graphics().DrawImage(&image);
    // Top-left at (100 - 20, 60 - 10), bottom-right at (119, 69).
    EXPECT_EQ(Pixel(80, 50), kRed);
    EXPECT_EQ(Pixel(119, 50), kGreen);
    EXPECT_EQ(Pixel(80, 69), kBlue);
    EXPECT_EQ(Pixel(119, 69), kYellow);
    EXPECT_EQ(Pixel(79, 50), kWhite);
    EXPECT_EQ(Pixel(80, 49), kWhite);
    EXPECT_EQ(Pixel(120, 69), kWhite);
    EXPECT_EQ(Pixel(119, 70), kWhite);
}

TEST_F(DrawingTest, AQuarterTurnTurnsAboutTheCentreClockwise)
{
    CImage image(Picture(L"quarters.bmp", 40, 20, Quarters).c_str());
    image.SetPos(100, 60);
    image.SetRotate(90);
    Graphics().DrawImage(&image);
    // Now 20 wide and 40 high about (100, 60): the top-left quarter has gone to the top-right.
    EXPECT_EQ(Pixel(108, 42), kRed);
    EXPECT_EQ(Pixel(108, 78), kGreen);
    EXPECT_EQ(Pixel(91, 42), kBlue);
    EXPECT_EQ(Pixel(91, 78), kYellow);
    EXPECT_EQ(Pixel(86, 60), kWhite);
    EXPECT_EQ(Pixel(114, 60), kWhite);
    EXPECT_EQ(Pixel(100, 36), kWhite);
    EXPECT_EQ(Pixel(100, 84), kWhite);
}

TEST_F(DrawingTest, OneCellOfASheetDrawsItsSourceRectangle)
{
    CImage sheet(Picture(L"sheet.bmp", 256, 128, Sheet).c_str());
    sheet.SetPos(150, 100);
    Graphics().DrawImage(&sheet, Gdiplus::Size(64, 64), 3, 1);
    // The cell covers (118, 68) to (181, 131), its mark in its own top-left corner.
    EXPECT_EQ(Pixel(120, 70), 0u);
    EXPECT_EQ(Pixel(125, 70), 0u);
    EXPECT_EQ(Pixel(127, 70), SheetCell(3, 1));
    EXPECT_EQ(Pixel(150, 100), SheetCell(3, 1));
    EXPECT_EQ(Pixel(181, 131), SheetCell(3, 1));
    EXPECT_EQ(Pixel(117, 100), kWhite);
    EXPECT_EQ(Pixel(182, 100), kWhite);
    EXPECT_EQ(Pixel(150, 67), kWhite);
    EXPECT_EQ(Pixel(150, 132), kWhite);

    // The whole form draws the whole sheet.
    sheet.SetPos(150, 180);
    Graphics().DrawImage(&sheet);
    EXPECT_EQ(Pixel(22 + 30, 116 + 30), SheetCell(0, 0));
    EXPECT_EQ(Pixel(22 + 255 - 5, 116 + 127 - 5), SheetCell(3, 1));
}

TEST_F(DrawingTest, DrawImageLeavesTheWorldTransformAtIdentity)
{
    CImage image(Picture(L"quarters.bmp", 40, 20, Quarters).c_str());
    image.SetPos(100, 60);
    image.SetRotate(33);
    Gdiplus::GpGraphics* drawer = Graphics().GetDrawer();
    ASSERT_EQ(Gdiplus::DllExports::GdipTranslateWorldTransform(drawer, 50, 0, Gdiplus::MatrixOrderAppend),
              Gdiplus::Ok);
    Graphics().DrawImage(&image);
    Graphics().DrawImage(&image, Gdiplus::Size(20, 10), 1, 1);

    Gdiplus::GpMatrix* matrix = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCreateMatrix(&matrix), Gdiplus::Ok);
    Gdiplus::DllExports::GdipGetWorldTransform(drawer, matrix);
    BOOL identity = FALSE;
    Gdiplus::DllExports::GdipIsMatrixIdentity(matrix, &identity);
    Gdiplus::DllExports::GdipDeleteMatrix(matrix);
    EXPECT_TRUE(identity);
}

TEST_F(DrawingTest, AColourKeyMakesExactlyItsColourTransparent)
{
    // Magenta left half, a colour one step from magenta right half.
    auto rule = [](int x, int) { return x < 10 ? kMagenta : 0xFE00FFu; };
    CImage image(Picture(L"keyed.bmp", 20, 20, rule).c_str());
    image.ColorKey(0xFFFF00FF);
    ASSERT_TRUE(Graphics().Clear(0xFF00FF00));
    image.SetPos(50, 50);
    Graphics().DrawImage(&image);
    EXPECT_EQ(Pixel(43, 50), kGreen);
    EXPECT_EQ(Pixel(57, 50), 0xFE00FFu);

    // A new key replaces the old one.
    image.ColorKey(0xFFFE00FF);
    image.SetPos(100, 50);
    Graphics().DrawImage(&image);
    EXPECT_EQ(Pixel(93, 50), kMagenta);
    EXPECT_EQ(Pixel(107, 50), kGreen);
}

TEST_F(DrawingTest, AlphaBlendingReplacesTheEarlierOpacityAndCombinesWithTheKey)
{
    auto rule = [](int x, int) { return x < 10 ? kMagenta : kWhite; };
    CImage image(Picture(L"half.bmp", 20, 20, rule).c_str());
    ASSERT_TRUE(Graphics().Clear(0xFF000000));

    image.AlphaBlending(128);
    image.AlphaBlending(64);
    image.SetPos(50, 50);
    Graphics().DrawImage(&image);
    // White at 64/255 over black; a product of both opacities would give 32.
    EXPECT_NEAR(static_cast<int>(Pixel(57, 50) & 0xFF), 64, 3);
    EXPECT_NEAR(static_cast<int>(Pixel(43, 50) >> 16), 64, 3);

    image.AlphaBlending(255);
    image.ColorKey(0xFFFF00FF);
    image.AlphaBlending(64);
    image.SetPos(100, 50);
    Graphics().DrawImage(&image);
    EXPECT_EQ(Pixel(93, 50), 0u);
    EXPECT_NEAR(static_cast<int>(Pixel(107, 50) & 0xFF), 64, 3);

    image.AlphaBlending(0);
    image.SetPos(150, 50);
    Graphics().DrawImage(&image);
    EXPECT_EQ(Pixel(157, 50), 0u);
}

TEST_F(DrawingTest, LoadingAgainKeepsPlacementAndClearsOpacityAndKey)
{
    std::wstring path = Picture(L"magenta.bmp", 20, 20, [](int, int) { return kMagenta; });
    CImage image(path.c_str());
    image.SetPos(50, 50);
    image.SetRotate(90);
    image.AlphaBlending(0);
    image.ColorKey(0xFFFF00FF);
    ASSERT_TRUE(image.Load(path.c_str()));
    EXPECT_EQ(image.GetX(), 50.0f);
    EXPECT_EQ(image.GetY(), 50.0f);
    EXPECT_EQ(image.GetRotate(), 90.0f);
    Graphics().DrawImage(&image);
    EXPECT_EQ(Pixel(50, 50), kMagenta);
}

TEST_F(DrawingTest, CopiesDrawWithTheSharedEffects)
{
    auto* source = new CImage(Picture(L"white.bmp", 20, 20, [](int, int) { return kWhite; }).c_str());
    CImage copy(*source);
    source->AlphaBlending(0);
    delete source;
    copy.SetPos(50, 50);
    ASSERT_TRUE(Graphics().Clear(0xFF000000));
    Graphics().DrawImage(&copy);
    EXPECT_EQ(Pixel(50, 50), 0u);
    copy.AlphaBlending(255);
    Graphics().DrawImage(&copy);
    EXPECT_EQ(Pixel(50, 50), kWhite);
}

int InkIn(CGraphics& graphics, int left, int top, int right, int bottom, unsigned background)
{
    int ink = 0;
    for (int y = top; y < bottom; y += 1) {
        for (int x = left; x < right; x += 1) {
            ink += BufferPixel(graphics, x, y) != background;
        }
    }
    return ink;
}

TEST_F(DrawingTest, TextDrawsInTheNamedFontOrTheGenericFamily)
{
    Graphics().DrawString(L"Hello", 10, 10, 14, Gdiplus::Color(0xFF000000), L"Arial");
    EXPECT_GT(InkIn(Graphics(), 10, 10, 90, 40, kWhite), 20);

    Graphics().DrawString(L"Hello", 10, 60, 14, Gdiplus::Color(0xFF000000), L"No Such Font Anywhere");
    EXPECT_GT(InkIn(Graphics(), 10, 60, 90, 90, kWhite), 20);

    Graphics().DrawString(L"Hello", 10, 110, 14, Gdiplus::Color(0xFF000000), nullptr);
    EXPECT_GT(InkIn(Graphics(), 10, 110, 90, 140, kWhite), 20);

    // Text starts at its origin: nothing above or left of it.
    EXPECT_EQ(InkIn(Graphics(), 0, 0, 10, 150, kWhite), 0);

    Graphics().DrawString(nullptr, 150, 10, 14, Gdiplus::Color(0xFF000000), L"Arial");
    Graphics().DrawString(L"", 150, 10, 14, Gdiplus::Color(0xFF000000), L"Arial");
    EXPECT_EQ(InkIn(Graphics(), 150, 10, 250, 40, kWhite), 0);
}

TEST_F(DrawingTest, LinesAndCurvesDrawWithTheirPen)
{
    Graphics().DrawLine(10, 20, 200, 20, Gdiplus::Color(0xFFFF0000), 3);
    EXPECT_EQ(Pixel(100, 20), kRed);
    EXPECT_EQ(Pixel(100, 26), kWhite);

    Gdiplus::PointF points[] = {{10, 100}, {60, 60}, {110, 100}, {160, 140}, {210, 100}};
    Graphics().DrawCurve(points, 5, Gdiplus::Color(0xFF0000FF), 3);
    // The spline passes through its points.
    EXPECT_EQ(Pixel(60, 60), kBlue);
    EXPECT_EQ(Pixel(110, 100), kBlue);
    EXPECT_EQ(Pixel(160, 140), kBlue);
}

TEST_F(DrawingTest, BadArgumentsDrawNothing)
{
    Gdiplus::PointF points[] = {{10, 200}, {100, 200}};
    Graphics().DrawCurve(points, 1, Gdiplus::Color(0xFF0000FF), 5);
    Graphics().DrawCurve(points, 0, Gdiplus::Color(0xFF0000FF), 5);
    Graphics().DrawCurve(points, -3, Gdiplus::Color(0xFF0000FF), 5);
    Graphics().DrawCurve(nullptr, 2, Gdiplus::Color(0xFF0000FF), 5);
    EXPECT_EQ(Pixel(10, 200), kWhite);

    CImage empty;
    Graphics().DrawImage(nullptr);
    Graphics().DrawImage(nullptr, Gdiplus::Size(10, 10), 0, 0);
    Graphics().DrawImage(&empty);
    Graphics().DrawImage(&empty, Gdiplus::Size(10, 10), 0, 0);

    // A cell beyond the picture, or beyond any picture, draws nothing and breaks nothing.
    CImage image(Picture(L"red.bmp", 20, 20, [](int, int) { return kRed; }).c_str());
    image.SetPos(50, 50);
    Graphics().DrawImage(&image, Gdiplus::Size(20, 20), 5, 5);
    Graphics().DrawImage(&image, Gdiplus::Size(0x40000000, 0x40000000), 0x7FFFFFFF, -0x7FFFFFFF);
    Graphics().DrawImage(&image, Gdiplus::Size(-20, -20), 1, 1);
    EXPECT_EQ(Pixel(50, 50), kWhite);

    Graphics().DrawImage(&image, Gdiplus::Size(20, 20), 0, 0);
    EXPECT_EQ(Pixel(50, 50), kRed);
}

TEST_F(DrawingTest, EveryOperationWithoutABufferDoesNothing)
{
    CImage image(Picture(L"red.bmp", 20, 20, [](int, int) { return kRed; }).c_str());
    Gdiplus::PointF points[] = {{0, 0}, {10, 10}, {20, 0}};
    CGraphics unready;
    unready.DrawImage(&image);
    unready.DrawImage(&image, Gdiplus::Size(10, 10), 1, 1);
    unready.DrawString(L"text", 0, 0, 12, Gdiplus::Color(0xFF000000), L"Arial");
    unready.DrawLine(0, 0, 10, 10, Gdiplus::Color(0xFF000000), 1);
    unready.DrawCurve(points, 3, Gdiplus::Color(0xFF000000), 1);
    EXPECT_EQ(unready.GetDrawer(), nullptr);
    unready.Release();
    unready.DrawImage(&image);
    EXPECT_FALSE(unready.Clear(0xFFFFFFFF));
}

// Paints a picture, text and a line from its paint handler, as a client does.
class PicturePainter : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFFFFFFFF);
        m_Graphics.DrawImage(image);
        m_Graphics.DrawLine(0, 5, 300, 5, Gdiplus::Color(0xFF0000FF), 1);
        m_Graphics.Present(hwnd);
    }
    CImage* image = nullptr;
};

TEST_F(DrawingTest, APaintHandlerShowsItsDrawingOnTheWindow)
{
    CImage image(Picture(L"red.bmp", 20, 20, [](int, int) { return kRed; }).c_str());
    image.SetPos(40, 40);
    PicturePainter painter;
    painter.image = &image;
    ASSERT_TRUE(painter.Create());
    InvalidateRect(painter.GetWndHandle(), nullptr, FALSE);
    UpdateWindow(painter.GetWndHandle());
    EXPECT_EQ(ClientPixel(painter.GetWndHandle(), 40, 40), kRed);
    EXPECT_EQ(ClientPixel(painter.GetWndHandle(), 40, 5), kBlue);
    EXPECT_EQ(ClientPixel(painter.GetWndHandle(), 60, 40), kWhite);
}

}  // namespace
