// Text sized in pixels, at 96 DPI here and at 144 DPI when tools/test runs this program again.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <functional>

#include "support/frame_window.h"

namespace {

constexpr int kEm = 60;

// The rows from the first to the last that hold a dark pixel, in a DC drawn black on white.
int InkHeight(HDC dc, int width, int height)
{
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GetGValue(GetPixel(dc, x, y)) < 128) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

// A capital H whose em is kEm pixels, drawn by GDI: the height to match.
int GdiInkHeight()
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -120, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-kEm, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    PatBlt(dc, 0, 0, 200, 120, WHITENESS);
    TextOutW(dc, 10, 10, L"H", 1);
    int height = InkHeight(dc, 200, 120);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return height;
}

int BufferInkHeight(CGraphics& graphics, const std::function<void()>& draw)
{
    graphics.Clear(0xFFFFFFFF);
    draw();
    HDC dc = nullptr;
    Gdiplus::DllExports::GdipGetDC(graphics.GetDrawer(), &dc);
    int height = InkHeight(dc, 200, 120);
    Gdiplus::DllExports::GdipReleaseDC(graphics.GetDrawer(), dc);
    return height;
}

TEST(TextUnit, TextInPixelsHasTheAskedEmHeightAtAnyDpiAndPointsFollowTheDpi)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create(240, 180));
    CGraphics& graphics = frame.Graphics();
    const Gdiplus::Color black(0xFF000000);
    const int reference = GdiInkHeight();
    ASSERT_GT(reference, kEm / 2);

    graphics.SetTextUnit(TEXT_PIXELS);
    EXPECT_NEAR(BufferInkHeight(graphics, [&] { graphics.DrawString(L"H", 10, 10, kEm, black, L"Arial"); }),
                reference, 1);
    EXPECT_NEAR(BufferInkHeight(graphics, [&] {
                    graphics.DrawString(L"H", Gdiplus::RectF(10, 10, 180, 100), kEm, black, L"Arial", ALIGN_NEAR,
                                        ALIGN_NEAR);
                }),
                reference, 1);
    // Arial's lines are 1.15 em apart.
    EXPECT_NEAR(graphics.MeasureString(L"H", kEm, L"Arial").Height, kEm * 1.15, 2);

    graphics.SetTextUnit(TEXT_POINTS);
    const float points = kEm * 72.0f / frame.GetDpi();
    EXPECT_NEAR(BufferInkHeight(graphics, [&] { graphics.DrawString(L"H", 10, 10, points, black, L"Arial"); }),
                reference, 1);
    graphics.SetTextUnit(static_cast<ETextUnit>(7));
    EXPECT_NEAR(graphics.MeasureString(L"H", points, L"Arial").Height, kEm * 1.15, 2) << "still in points";
}

}  // namespace
