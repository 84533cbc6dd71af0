#include "art.h"

#include "temp_file.h"

#include <cmath>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace {

const float kPi = 3.14159265f;
const ARGB kKinds[Art::kSheetColumns] = {0xFF5AD2FF, 0xFF7BE35A, 0xFFFFB43A, 0xFFFF5A8C};

bool SaveAs(GpBitmap* bitmap, const std::wstring& path, const wchar_t* mimeType)
{
    CLSID encoder = {};
    return FindImageEncoder(mimeType, &encoder) &&
           DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &encoder, nullptr) == Ok;
}

void Fill(GpGraphics* drawer, ARGB colour, const std::vector<PointF>& corners)
{
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(colour, &brush);
    DllExports::GdipFillPolygon(drawer, brush, corners.data(), static_cast<INT>(corners.size()),
                                FillModeAlternate);
    DllExports::GdipDeleteBrush(brush);
}

void Circle(GpGraphics* drawer, float cx, float cy, float radius, ARGB colour, float penWidth)
{
    if (penWidth > 0) {
        GpPen* pen = nullptr;
        DllExports::GdipCreatePen1(colour, penWidth, UnitWorld, &pen);
        DllExports::GdipDrawEllipse(drawer, pen, cx - radius, cy - radius, radius * 2, radius * 2);
        DllExports::GdipDeletePen(pen);
        return;
    }
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(colour, &brush);
    DllExports::GdipFillEllipse(drawer, brush, cx - radius, cy - radius, radius * 2, radius * 2);
    DllExports::GdipDeleteBrush(brush);
}

std::vector<PointF> StarCorners(float cx, float cy, int points, float outer, float inner)
{
    std::vector<PointF> corners;
    for (int i = 0; i < points * 2; ++i) {
        float angle = kPi * i / points - kPi / 2;
        float radius = i % 2 == 0 ? outer : inner;
        corners.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    return corners;
}

// Row 0: a star per kind, with 4 to 7 points and a halo. Row 1: a ring of shards per kind.
bool MakeSheet(const std::wstring& path)
{
    const int cell = Art::kCell;
    GpBitmap* sheet = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(cell * Art::kSheetColumns, cell * Art::kSheetRows, 0,
                                              PixelFormat32bppARGB, nullptr, &sheet) != Ok) {
        return false;
    }
    GpGraphics* drawer = nullptr;
    DllExports::GdipGetImageGraphicsContext(sheet, &drawer);
    DllExports::GdipSetSmoothingMode(drawer, SmoothingModeAntiAlias);
    for (int kind = 0; kind < Art::kSheetColumns; ++kind) {
        float cx = kind * cell + cell / 2.0f;
        float cy = cell / 2.0f;
        ARGB colour = kKinds[kind];
        for (int ring = 3; ring > 0; --ring) {
            Circle(drawer, cx, cy, 16.0f + ring * 3.0f, (static_cast<ARGB>(14 * ring) << 24) | (colour & 0xFFFFFF), 0);
        }
        Fill(drawer, colour, StarCorners(cx, cy, 4 + kind, 22, 9));
        Circle(drawer, cx, cy, 5, 0xE0FFFFFF, 0);

        float by = cell + cell / 2.0f;
        Circle(drawer, cx, by, 24, colour, 3);
        Circle(drawer, cx, by, 14, 0xC0FFFFFF, 2);
        for (int shard = 0; shard < 8; ++shard) {
            float angle = shard * kPi / 4;
            Fill(drawer, colour, StarCorners(cx + 20 * std::cos(angle), by + 20 * std::sin(angle), 3, 6, 2));
        }
    }
    DllExports::GdipDeleteGraphics(drawer);
    bool saved = SaveAs(sheet, path, L"image/png");
    DllExports::GdipDisposeImage(sheet);
    return saved;
}

// The ship on magenta, drawn without anti-aliasing so no edge pixel is a blend of the key.
bool MakeShip(const std::wstring& path)
{
    GpBitmap* ship = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(48, 40, 0, PixelFormat24bppRGB, nullptr, &ship) != Ok) {
        return false;
    }
    GpGraphics* drawer = nullptr;
    DllExports::GdipGetImageGraphicsContext(ship, &drawer);
    DllExports::GdipGraphicsClear(drawer, 0xFFFF00FF);
    Fill(drawer, 0xFFB0C4DE, {{24, 2}, {44, 36}, {24, 28}, {4, 36}});    // hull
    Fill(drawer, 0xFF3C6CE8, {{24, 10}, {32, 26}, {24, 22}, {16, 26}});  // cockpit
    Fill(drawer, 0xFFFF8C28, {{18, 30}, {30, 30}, {24, 39}});           // flame
    DllExports::GdipDeleteGraphics(drawer);
    bool saved = SaveAs(ship, path, L"image/bmp");
    DllExports::GdipDisposeImage(ship);
    return saved;
}

}  // namespace

bool Art::Prepare()
{
    // The library starts GDI+ for its pictures; the drawing above needs it first.
    CGdiplus gdiplus;
    std::wstring sheetPath = TempFile(L"sheet.png");
    std::wstring shipPath = TempFile(L"ship.bmp");
    bool made = MakeSheet(sheetPath) && MakeShip(shipPath);
    bool loaded = made && m_Sheet.Load(sheetPath.c_str()) && m_Bursts.Load(sheetPath.c_str()) &&
                  m_Ship.Load(shipPath.c_str());
    if (loaded) {
        m_Ship.ColorKey(0xFFFF00FF);
    }
    DeleteFileW(sheetPath.c_str());
    DeleteFileW(shipPath.c_str());
    return loaded;
}
