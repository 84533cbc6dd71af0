// Small shapes on an 800 x 600 back buffer: 1,000 rectangles of 4 x 4 and 200 ellipses of
// 8 x 8 at fractional places, a quarter of them translucent. Microseconds a shape through
// CGraphics beside the same fills on the GDI+ flat API with a brush made per call (the plain
// way); the ratio is the library's speed over GDI+'s. Times are the thread's processor time,
// the best of several rounds.
#include <tsumiki.h>

#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "sprite_scene.h"

using namespace Gdiplus;

namespace {

const int kRectangles = 1000;
const int kEllipses = 200;

struct Shape {
    float x, y;
    ARGB colour;
};

std::vector<Shape> Shapes(int count, int frame, float size)
{
    std::vector<Shape> shapes;
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>((i * 7919 + frame * 13) % (kWidth * 4)) / 4;
        const float y = static_cast<float>((i * 104729 + frame * 7) % (kHeight * 4)) / 4;
        shapes.push_back({std::min(x, kWidth - size), std::min(y, kHeight - size),
                          (i % 4 ? 0xFF000000u : 0x80000000u) | (0x3F1F7Fu * static_cast<unsigned>(i + 1) & 0xFFFFFF)});
    }
    return shapes;
}

void Report(const char* what, double library, double gdiplus, int count)
{
    std::printf("  %-22s library %6.2f us a shape, GDI+ %6.2f us a shape, %6.1f x GDI+\n", what, library / count * 1e6,
                gdiplus / count * 1e6, gdiplus / library);
}

}  // namespace

int main()
{
    CGdiplus gdiplus = CGdiplus::Shared();
    BenchWindow window;
    if (!window.Create(L"small shapes")) {
        std::printf("small shapes: set-up failed\n");
        return 1;
    }
    window.Graphics().CreateBackBuffer(window.GetWndHandle());
    CGraphics& graphics = window.Graphics();
    DirectBuffer buffer;
    GpGraphics* direct = buffer.Graphics();
    std::vector<std::vector<Shape>> rectangles, ellipses;
    for (int f = 0; f < 16; ++f) {
        rectangles.push_back(Shapes(kRectangles, f, 4));
        ellipses.push_back(Shapes(kEllipses, f, 8));
    }
    auto fill = [&](const std::vector<Shape>& shapes, float size, bool ellipse) {
        for (const Shape& s : shapes) {
            GpSolidFill* brush = nullptr;
            DllExports::GdipCreateSolidFill(s.colour, &brush);
            if (ellipse) {
                DllExports::GdipFillEllipse(direct, brush, s.x, s.y, size, size);
            } else {
                DllExports::GdipFillRectangle(direct, brush, s.x, s.y, size, size);
            }
            DllExports::GdipDeleteBrush(brush);
        }
        DllExports::GdipFlush(direct, FlushIntentionSync);
    };
    const double libraryRectangles = BestSecondsPerCall(5, [&](int f) {
        for (const Shape& s : rectangles[static_cast<size_t>(f % 16)]) {
            graphics.FillRectangle(s.x, s.y, 4, 4, Color(s.colour));
        }
    });
    const double libraryEllipses = BestSecondsPerCall(5, [&](int f) {
        for (const Shape& s : ellipses[static_cast<size_t>(f % 16)]) {
            graphics.FillEllipse(s.x, s.y, 8, 8, Color(s.colour));
        }
    });
    const double gdiplusRectangles =
        BestSecondsPerCall(3, [&](int f) { fill(rectangles[static_cast<size_t>(f % 16)], 4, false); });
    const double gdiplusEllipses =
        BestSecondsPerCall(3, [&](int f) { fill(ellipses[static_cast<size_t>(f % 16)], 8, true); });
    std::printf("small shapes (processor time, best of 5):\n");
    Report("rectangles of 4 x 4", libraryRectangles, gdiplusRectangles, kRectangles);
    Report("ellipses of 8 x 8", libraryEllipses, gdiplusEllipses, kEllipses);
    Report("both, as one frame", libraryRectangles + libraryEllipses, gdiplusRectangles + gdiplusEllipses,
           kRectangles + kEllipses);
    std::fflush(stdout);
    DestroyWindow(window.GetWndHandle());
    return 0;
}
