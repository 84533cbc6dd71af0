// Polygons on a 640 x 480 back buffer. FillPolygon through CGraphics against the same fill
// on the GDI+ flat API, for a 4,000-point circle (ratio: the library's time / direct; its
// count and crossing checks are the difference), and the time the library takes to refuse
// the polygons it will not draw: 10 million points, and a zigzag of 20,000 points whose
// edges cross every row (GDI+ under Wine would fill that for minutes).
#include <tsumiki.h>

#include <cmath>
#include <vector>

#include "bench_support.h"

using namespace Gdiplus;

namespace {

class Frame : public CWindowBase {
public:
    bool Create()
    {
        return CreateWnd(L"polygons", 656, 519, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
    }
    void OnPaint(HWND) override { ValidateRect(m_hWnd, nullptr); }
    void OnDestroy(HWND) override {}
    CGraphics& Graphics() { return m_Graphics; }
};

// Milliseconds for one call of `draw`, with the drawing flushed into the bitmap.
double Milliseconds(CGraphics& graphics, const std::function<void()>& draw)
{
    double start = Seconds();
    draw();
    DllExports::GdipFlush(graphics.GetDrawer(), FlushIntentionSync);
    return (Seconds() - start) * 1000;
}

}  // namespace

int main()
{
    Frame window;
    if (!window.Create()) {
        std::printf("polygon: set-up failed\n");
        return 1;
    }
    CGraphics& graphics = window.Graphics();
    std::vector<PointF> circle(4000);
    for (size_t i = 0; i < circle.size(); ++i) {
        float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(circle.size());
        circle[i] = PointF(320 + 200 * std::cos(angle), 240 + 200 * std::sin(angle));
    }
    const int count = static_cast<int>(circle.size());
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(0xFF40C080, &brush);
    double library = MedianOf(9, [&] {
        return Milliseconds(graphics, [&] { graphics.FillPolygon(circle.data(), count, Color(0xFF40C080)); });
    });
    double direct = MedianOf(9, [&] {
        return Milliseconds(graphics, [&] {
            DllExports::GdipFillPolygon(graphics.GetDrawer(), brush, circle.data(), count, FillModeAlternate);
        });
    });
    DllExports::GdipDeleteBrush(brush);
    PrintRatio("polygon, 4000-point circle", library * 1000, direct * 1000, "us", library / direct, "<= 1.05");

    std::vector<PointF> huge(10000000, PointF(320, 240));
    std::vector<PointF> zigzag(20000);
    for (size_t i = 0; i < zigzag.size(); ++i) {
        zigzag[i] = PointF(static_cast<float>(i) * 0.03f, i % 2 ? 0.0f : 479.0f);
    }
    double refuseHuge = MedianOf(5, [&] {
        return Milliseconds(graphics, [&] { graphics.FillPolygon(huge.data(), 10000000, Color(0xFF40C080)); });
    });
    double refuseZigzag = MedianOf(5, [&] {
        return Milliseconds(graphics, [&] { graphics.FillPolygon(zigzag.data(), 20000, Color(0xFF40C080)); });
    });
    std::printf("polygon refused: 10 million points %.3f ms, 20,000-point zigzag %.3f ms\n", refuseHuge,
                refuseZigzag);
    std::fflush(stdout);
    DestroyWindow(window.GetWndHandle());
    return 0;
}
