// The sprites of a game frame alone: 200 turned, partly transparent, colour-keyed 64 x 64
// cells of a sprite sheet on a 640 x 480 back buffer. Sprites a second through CGraphics
// against the same draws on the GDI+ flat API into a 32-bit DIB section of its own, and
// beside them the floor: copying as many 64 x 64 blocks with one memcpy per row.
#include <tsumiki.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"

using namespace Gdiplus;

namespace {

const int kWidth = 640;
const int kHeight = 480;
const int kSprites = 200;
const int kCell = 64;
const int kKinds = 8;  // each kind its own opacity
const ARGB kKey = 0xFFFF00FF;

struct Placement {
    float x, y, angle;
    int column, row;
};

Placement PlaceSprite(int i, int frame)
{
    float t = static_cast<float>(frame) * 0.05f + static_cast<float>(i) * 0.37f;
    return {320 + 280 * std::sin(t * 0.9f + static_cast<float>(i)),
            240 + 200 * std::cos(t * 0.7f + static_cast<float>(i) * 1.3f),
            static_cast<float>((frame * 3 + i * 17) % 360) + 0.5f, i % 4, (i / 4) % 2};
}

unsigned char OpacityOf(int kind)
{
    return static_cast<unsigned char>(96 + kind * 20);
}

// A 4 x 2 sheet: each cell a soft-edged ellipse on a transparent ground, with a magenta
// band (the colour key) across it, saved as PNG.
bool WriteSpriteSheet(const std::wstring& path)
{
    GpBitmap* sheet = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(kCell * 4, kCell * 2, 0, PixelFormat32bppARGB, nullptr, &sheet) != Ok) {
        return false;
    }
    GpGraphics* drawer = nullptr;
    DllExports::GdipGetImageGraphicsContext(sheet, &drawer);
    DllExports::GdipSetSmoothingMode(drawer, SmoothingModeAntiAlias);
    for (int cell = 0; cell < 8; ++cell) {
        GpSolidFill* brush = nullptr;
        DllExports::GdipCreateSolidFill(0xFF000000 | (0x3F1F7Fu * static_cast<unsigned>(cell + 1)), &brush);
        DllExports::GdipFillEllipseI(drawer, brush, (cell % 4) * kCell + 4, (cell / 4) * kCell + 4, 56, 48);
        DllExports::GdipSetSolidFillColor(brush, kKey);
        DllExports::GdipFillRectangleI(drawer, brush, (cell % 4) * kCell + 8, (cell / 4) * kCell + 26, 48, 6);
        DllExports::GdipDeleteBrush(brush);
    }
    DllExports::GdipDeleteGraphics(drawer);
    CLSID png;
    bool saved = FindImageEncoder(L"image/png", &png) &&
                 DllExports::GdipSaveImageToFile(sheet, path.c_str(), &png, nullptr) == Ok;
    DllExports::GdipDisposeImage(sheet);
    return saved;
}

class Frame : public CWindowBase {
public:
    bool Create()
    {
        RECT size = {0, 0, kWidth, kHeight};
        AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
        return CreateWnd(L"sprites", size.right - size.left, size.bottom - size.top, 0, 0, nullptr, nullptr,
                         L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
    }
    void OnPaint(HWND) override { ValidateRect(m_hWnd, nullptr); }
    void OnDestroy(HWND) override {}
    CGraphics& Graphics() { return m_Graphics; }
};

class LibrarySprites {
public:
    explicit LibrarySprites(const std::wstring& sheet) : m_Sprites(kKinds)
    {
        for (int kind = 0; kind < kKinds; ++kind) {
            m_Sprites[kind].Load(sheet.c_str());
            m_Sprites[kind].AlphaBlending(OpacityOf(kind));
            m_Sprites[kind].ColorKey(kKey);
        }
    }
    void Draw(CGraphics& graphics, int frame)
    {
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame);
            CImage& sprite = m_Sprites[i % kKinds];
            sprite.SetPos(place.x, place.y);
            sprite.SetRotate(place.angle);
            graphics.DrawImage(&sprite, Size(kCell, kCell), place.column, place.row);
        }
    }

private:
    std::vector<CImage> m_Sprites;
};

class DirectSprites {
public:
    explicit DirectSprites(const std::wstring& sheet)
    {
        BITMAPINFO format = {};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_MemDC = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_Bitmap = CreateDIBSection(m_MemDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_Before = SelectObject(m_MemDC, m_Bitmap);
        DllExports::GdipCreateFromHDC(m_MemDC, &m_Graphics);
        for (int kind = 0; kind < kKinds; ++kind) {
            DllExports::GdipLoadImageFromFile(sheet.c_str(), &m_Images[kind]);
            DllExports::GdipCreateImageAttributes(&m_Attributes[kind]);
            ColorMatrix matrix = {};
            for (int d = 0; d < 5; ++d) {
                matrix.m[d][d] = 1;
            }
            matrix.m[3][3] = static_cast<REAL>(OpacityOf(kind) / 255.0);
            DllExports::GdipSetImageAttributesColorMatrix(m_Attributes[kind], ColorAdjustTypeDefault, TRUE, &matrix,
                                                          nullptr, ColorMatrixFlagsDefault);
            DllExports::GdipSetImageAttributesColorKeys(m_Attributes[kind], ColorAdjustTypeDefault, TRUE, kKey, kKey);
        }
    }
    ~DirectSprites()
    {
        for (int kind = 0; kind < kKinds; ++kind) {
            DllExports::GdipDisposeImageAttributes(m_Attributes[kind]);
            DllExports::GdipDisposeImage(m_Images[kind]);
        }
        DllExports::GdipDeleteGraphics(m_Graphics);
        SelectObject(m_MemDC, m_Before);
        DeleteObject(m_Bitmap);
        DeleteDC(m_MemDC);
    }
    void Draw(int frame)
    {
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame);
            int kind = i % kKinds;
            DllExports::GdipTranslateWorldTransform(m_Graphics, -kCell * 0.5f, -kCell * 0.5f, MatrixOrderAppend);
            DllExports::GdipRotateWorldTransform(m_Graphics, place.angle, MatrixOrderAppend);
            DllExports::GdipTranslateWorldTransform(m_Graphics, place.x, place.y, MatrixOrderAppend);
            DllExports::GdipDrawImageRectRectI(m_Graphics, m_Images[kind], 0, 0, kCell, kCell, place.column * kCell,
                                               place.row * kCell, kCell, kCell, UnitPixel, m_Attributes[kind],
                                               nullptr, nullptr);
            DllExports::GdipResetWorldTransform(m_Graphics);
        }
        DllExports::GdipFlush(m_Graphics, FlushIntentionSync);
    }

private:
    HDC m_MemDC = nullptr;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_Before = nullptr;
    GpGraphics* m_Graphics = nullptr;
    GpImage* m_Images[kKinds] = {};
    GpImageAttributes* m_Attributes[kKinds] = {};
};

// The floor: the same number of 64 x 64 blocks copied, one memcpy per row.
class CopiedBlocks {
public:
    CopiedBlocks() : m_Source(kCell * 4 * kCell * 2, 0x80FF8040u), m_Target(kWidth * kHeight) {}
    void Draw(int frame)
    {
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame);
            int left = std::min(std::max(static_cast<int>(place.x) - kCell / 2, 0), kWidth - kCell);
            int top = std::min(std::max(static_cast<int>(place.y) - kCell / 2, 0), kHeight - kCell);
            const unsigned* from = &m_Source[place.row * kCell * kCell * 4 + place.column * kCell];
            for (int y = 0; y < kCell; ++y) {
                std::memcpy(&m_Target[(top + y) * kWidth + left], from + y * kCell * 4, kCell * 4);
            }
        }
    }

private:
    std::vector<unsigned> m_Source;
    std::vector<unsigned> m_Target;
};

template <typename Draw>
double SpritesPerSecond(int frames, Draw draw)
{
    double start = Seconds();
    for (int frame = 0; frame < frames; ++frame) {
        draw(frame);
    }
    return frames * kSprites / (Seconds() - start);
}

}  // namespace

int main()
{
    CGdiplus gdiplus = CGdiplus::Shared();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring sheet =
        std::wstring(temp) + L"tsumiki-bench-sprites-" + std::to_wstring(GetCurrentProcessId()) + L".png";
    Frame window;
    if (!WriteSpriteSheet(sheet) || !window.Create()) {
        std::printf("sprites: set-up failed\n");
        return 1;
    }
    window.Graphics().CreateBackBuffer(window.GetWndHandle());
    {
        LibrarySprites library(sheet);
        DirectSprites direct(sheet);
        CopiedBlocks floor;
        auto libraryRound = [&](int frames) {
            return SpritesPerSecond(frames, [&](int f) { library.Draw(window.Graphics(), f); });
        };
        auto directRound = [&](int frames) { return SpritesPerSecond(frames, [&](int f) { direct.Draw(f); }); };
        // Rounds of about half a second per side, whatever the machine's speed.
        const int directFrames = std::max(2, static_cast<int>(directRound(2) / kSprites / 2));
        const int libraryFrames = std::max(2, static_cast<int>(libraryRound(2) / kSprites / 2));
        std::vector<double> libraryRate, directRate, floorRate;
        double ratio = MedianOf(7, [&] {
            directRate.push_back(directRound(directFrames));
            libraryRate.push_back(libraryRound(libraryFrames));
            floorRate.push_back(SpritesPerSecond(libraryFrames * 4, [&](int f) { floor.Draw(f); }));
            return libraryRate.back() / directRate.back();
        });
        std::sort(libraryRate.begin(), libraryRate.end());
        std::sort(directRate.begin(), directRate.end());
        std::sort(floorRate.begin(), floorRate.end());
        const double libraryMedian = libraryRate[libraryRate.size() / 2];
        std::printf("sprites: library %.0f sprites/s, direct GDI+ %.0f sprites/s (medians), ratio %.2f (target >= 5); "
                    "floor (memcpy per row) %.0f sprites/s, library at %.3f of the floor\n",
                    libraryMedian, directRate[directRate.size() / 2], ratio, floorRate[floorRate.size() / 2],
                    libraryMedian / floorRate[floorRate.size() / 2]);
        std::fflush(stdout);
    }
    DestroyWindow(window.GetWndHandle());
    DeleteFileW(sheet.c_str());
    return 0;
}
