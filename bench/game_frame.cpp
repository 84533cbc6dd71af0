// A small game's frame on an 800 x 600 back buffer: clear, 200 turned, faded rocks of 32 to
// 96 pixels from five sprite sheets, 100 small star rectangles, 4 lines of text, present.
// Milliseconds a frame through CGraphics and CImage, with each of the library's sprite
// kernels, beside the same frame written on the GDI+ flat API the plain way (a brush, pen or
// font made per call); the ratio is the library's speed over GDI+'s. Times are the thread's
// processor time, the best of several rounds.
#include <tsumiki.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "bench_support.h"
#include "sprite_scene.h"

using namespace Gdiplus;

namespace {

const int kRocks = 200;
const int kStars = 100;
const int kSheets = 5;  // cells of 32, 48, 64, 80 and 96 pixels
const wchar_t* const kTexts[] = {L"Score 0012345", L"Lives 3", L"Level 7", L"Star Guard"};

std::vector<SheetLook> Looks()
{
    std::vector<SheetLook> looks;
    for (int sheet = 0; sheet < kSheets; ++sheet) {
        looks.push_back({32 + 16 * sheet, false, 0});
    }
    return looks;
}

struct Scene {
    std::vector<Sprite> rocks;
    std::vector<RectF> stars;
};

Scene SceneOf(int frame)
{
    Scene scene;
    for (int i = 0; i < kRocks; ++i) {
        const float t = static_cast<float>(frame) * 0.05f + static_cast<float>(i) * 0.37f;
        scene.rocks.push_back({i % kSheets, i % 4, (i / 4) % 2, 400 + 380 * std::sin(t * 0.9f + static_cast<float>(i)),
                               300 + 280 * std::cos(t * 0.7f + static_cast<float>(i) * 1.3f),
                               static_cast<float>((frame * 3 + i * 17) % 360) + 0.5f, i % kOpacities});
    }
    for (int i = 0; i < kStars; ++i) {
        const float size = 2.0f + static_cast<float>(i % 3);
        scene.stars.push_back(RectF(static_cast<float>((i * 197 + frame) % kWidth), static_cast<float>((i * 131) % kHeight),
                                    size, size));
    }
    return scene;
}

// The pixels of the rocks of one frame, for nanoseconds a pixel.
double RockPixels(const Scene& scene, const Sheets& sheets)
{
    double pixels = 0;
    for (const Sprite& rock : scene.rocks) {
        const double cell = sheets.Looks()[static_cast<size_t>(rock.sheet)].cell;
        pixels += cell * cell;
    }
    return pixels;
}

void DrawThroughLibrary(CGraphics& graphics, HWND window, LibrarySprites& rocks, const Scene& scene)
{
    graphics.Clear(0xFF101828);
    rocks.Draw(graphics, scene.rocks);
    for (const RectF& star : scene.stars) {
        graphics.FillRectangle(star.X, star.Y, star.Width, star.Height, Color(0xFFFFF0C0));
    }
    for (int i = 0; i < 4; ++i) {
        graphics.DrawString(kTexts[i], 10, 10 + 24.0f * i, 14, Color(0xFFFFFFFF), L"Arial");
    }
    InvalidateRect(window, nullptr, FALSE);
    graphics.Present(window);
}

void DrawThroughGdiplus(DirectBuffer& buffer, HWND window, DirectSprites& rocks, const Scene& scene)
{
    GpGraphics* graphics = buffer.Graphics();
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(0xFF101828, &brush);
    DllExports::GdipFillRectangleI(graphics, brush, 0, 0, kWidth, kHeight);
    DllExports::GdipDeleteBrush(brush);
    rocks.Draw(graphics, scene.rocks);
    for (const RectF& star : scene.stars) {
        DllExports::GdipCreateSolidFill(0xFFFFF0C0, &brush);
        DllExports::GdipFillRectangle(graphics, brush, star.X, star.Y, star.Width, star.Height);
        DllExports::GdipDeleteBrush(brush);
    }
    for (int i = 0; i < 4; ++i) {
        GpFontFamily* family = nullptr;
        GpFont* font = nullptr;
        DllExports::GdipCreateFontFamilyFromName(L"Arial", nullptr, &family);
        DllExports::GdipCreateFont(family, 14, FontStyleRegular, UnitPoint, &font);
        DllExports::GdipDeleteFontFamily(family);
        DllExports::GdipCreateSolidFill(0xFFFFFFFF, &brush);
        RectF layout(10, 10 + 24.0f * i, 0, 0);
        DllExports::GdipDrawString(graphics, kTexts[i], static_cast<INT>(std::wcslen(kTexts[i])), font, &layout,
                                   nullptr, brush);
        DllExports::GdipDeleteBrush(brush);
        DllExports::GdipDeleteFont(font);
    }
    DllExports::GdipFlush(graphics, FlushIntentionSync);
    InvalidateRect(window, nullptr, FALSE);
    PAINTSTRUCT paint = {};
    HDC windowDC = BeginPaint(window, &paint);
    BitBlt(windowDC, 0, 0, kWidth, kHeight, buffer.DC(), 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

void Report(const char* what, double seconds, double pixels, double gdiplusSeconds)
{
    std::printf("  %-6s %7.2f ms a frame, %7.0f sprites/s, %6.2f ns a sprite pixel", what, seconds * 1e3,
                kRocks / seconds, seconds / pixels * 1e9);
    if (gdiplusSeconds > 0) {
        std::printf(", %5.1f x GDI+", gdiplusSeconds / seconds);
    }
    std::printf("\n");
}

}  // namespace

int main()
{
    CGdiplus gdiplus = CGdiplus::Shared();
    Sheets sheets(Looks());
    BenchWindow window;
    if (!sheets.Written() || !window.Create(L"game frame")) {
        std::printf("game frame: set-up failed\n");
        return 1;
    }
    HWND hwnd = window.GetWndHandle();
    {
        LibrarySprites libraryRocks(sheets);
        DirectSprites directRocks(sheets);
        DirectBuffer buffer;
        std::vector<Scene> scenes;
        for (int f = 0; f < 64; ++f) {
            scenes.push_back(SceneOf(f));
        }
        const double pixels = RockPixels(scenes[0], sheets);
        const double gdiplusSeconds = BestSecondsPerCall(
            3, [&](int f) { DrawThroughGdiplus(buffer, hwnd, directRocks, scenes[static_cast<size_t>(f % 64)]); });
        std::printf("game frame (%d rocks of 32 to 96 px, %d stars, 4 texts at %d x %d; processor time, best of 5):\n",
                    kRocks, kStars, kWidth, kHeight);
        for (const KernelChoice& kernels : KernelChoices()) {
            UseKernels(window, kernels);
            Report(kernels.name, BestSecondsPerCall(5, [&](int f) {
                       DrawThroughLibrary(window.Graphics(), hwnd, libraryRocks, scenes[static_cast<size_t>(f % 64)]);
                   }),
                   pixels, gdiplusSeconds);
        }
        Report("GDI+", gdiplusSeconds, pixels, 0);
        std::fflush(stdout);
    }
    DestroyWindow(hwnd);
    return 0;
}
