#include "scene.h"

#include <cmath>

void Scene::Prepare(HWND) {}

void Scene::Draw(CGraphics& graphics, int width, int height, unsigned tick)
{
    graphics.Clear(0xFF1E2A38);
    // A square that circles the middle of the window, drawn straight through GDI+.
    Gdiplus::GpGraphics* drawer = graphics.GetDrawer();
    Gdiplus::GpSolidFill* brush = nullptr;
    if (drawer && Gdiplus::DllExports::GdipCreateSolidFill(0xFFFFB000, &brush) == Gdiplus::Ok) {
        double angle = tick * 0.05;
        int x = static_cast<int>(width / 2 + std::cos(angle) * width / 4) - 20;
        int y = static_cast<int>(height / 2 + std::sin(angle) * height / 4) - 20;
        Gdiplus::DllExports::GdipFillRectangleI(drawer, brush, x, y, 40, 40);
        Gdiplus::DllExports::GdipDeleteBrush(brush);
    }
}
