// One game frame on a 640 x 480 back buffer: clear, 200 rotated half-transparent sprites
// from a sprite sheet, 20 texts, 20 lines, present. Frames per second through CGraphics and
// CImage against the same frame written directly on the GDI+ flat API, with the same
// per-call brushes, pens and fonts. Ratio: library frames per second / direct ones.
#include <tsumiki.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "bench_support.h"

using namespace Gdiplus;

namespace {

const int kWidth = 640;
const int kHeight = 480;
const int kSprites = 200;
const int kTexts = 20;
const int kLines = 20;
const int kCell = 64;
const int kKinds = 8;  // sprites differ in opacity, so each kind has its own attributes

// Where sprite i is in frame f, and how it is turned.
struct Placement {
    float x, y, angle;
    int column, row;
};

Placement PlaceSprite(int i, int frame)
{
    float t = static_cast<float>(frame) * 0.05f + static_cast<float>(i) * 0.37f;
    return {320 + 280 * std::sin(t * 0.9f + static_cast<float>(i)),
            240 + 200 * std::cos(t * 0.7f + static_cast<float>(i) * 1.3f),
            static_cast<float>((frame * 3 + i * 17) % 360), i % 4, (i / 4) % 2};
}

unsigned char OpacityOf(int kind)
{
    return static_cast<unsigned char>(96 + kind * 20);
}

const wchar_t kText[] = L"Score 0012345  Lives 3";

// A 4 x 2 sheet of 64 x 64 sprites on a transparent background, saved as PNG.
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
        DllExports::GdipFillEllipseI(drawer, brush, (cell % 4) * kCell + 4, (cell / 4) * kCell + 4, 56, 40);
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
        return CreateWnd(L"game frame", size.right - size.left, size.bottom - size.top, 0, 0, nullptr,
                         nullptr, L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
    }
    void OnPaint(HWND) override { ValidateRect(m_hWnd, nullptr); }
    void OnDestroy(HWND) override {}
    CGraphics& Graphics() { return m_Graphics; }
};

// The frame through the library.
class LibraryFrame {
public:
    LibraryFrame(const std::wstring& sheet) : m_Sprites(kKinds)
    {
        for (int kind = 0; kind < kKinds; ++kind) {
            m_Sprites[kind].Load(sheet.c_str());
            m_Sprites[kind].AlphaBlending(OpacityOf(kind));
        }
    }

    void Draw(CGraphics& graphics, HWND window, int frame)
    {
        graphics.Clear(0xFF203040);
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame);
            CImage& sprite = m_Sprites[i % kKinds];
            sprite.SetPos(place.x, place.y);
            sprite.SetRotate(place.angle);
            graphics.DrawImage(&sprite, Size(kCell, kCell), place.column, place.row);
        }
        for (int i = 0; i < kTexts; ++i) {
            graphics.DrawString(kText, 10, 10 + 22.0f * i, 11, Color(0xFFFFFFFF), L"Arial");
        }
        for (int i = 0; i < kLines; ++i) {
            graphics.DrawLine(0, 24.0f * i, kWidth, kHeight - 24.0f * i, Color(0xFF80FF80), 2);
        }
        InvalidateRect(window, nullptr, FALSE);
        graphics.Present(window);
    }

private:
    std::vector<CImage> m_Sprites;
};

// The same frame on the flat API, into a back buffer of its own.
class DirectFrame {
public:
    DirectFrame(HWND window, const std::wstring& sheet)
    {
        HDC windowDC = GetDC(window);
        m_MemDC = CreateCompatibleDC(windowDC);
        m_Bitmap = CreateCompatibleBitmap(windowDC, kWidth, kHeight);
        ReleaseDC(window, windowDC);
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
            DllExports::GdipSetImageAttributesColorMatrix(m_Attributes[kind], ColorAdjustTypeDefault, TRUE,
                                                          &matrix, nullptr, ColorMatrixFlagsDefault);
        }
    }

    ~DirectFrame()
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

    void Draw(HWND window, int frame)
    {
        GpSolidFill* clear = nullptr;
        DllExports::GdipCreateSolidFill(0xFF203040, &clear);
        DllExports::GdipFillRectangleI(m_Graphics, clear, 0, 0, kWidth, kHeight);
        DllExports::GdipDeleteBrush(clear);
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
        for (int i = 0; i < kTexts; ++i) {
            GpFontFamily* family = nullptr;
            GpFont* font = nullptr;
            GpSolidFill* brush = nullptr;
            DllExports::GdipCreateFontFamilyFromName(L"Arial", nullptr, &family);
            DllExports::GdipCreateFont(family, 11, FontStyleRegular, UnitPoint, &font);
            DllExports::GdipDeleteFontFamily(family);
            DllExports::GdipCreateSolidFill(0xFFFFFFFF, &brush);
            RectF layout(10, 10 + 22.0f * i, 0, 0);
            DllExports::GdipDrawString(m_Graphics, kText, static_cast<INT>(wcslen(kText)), font, &layout, nullptr,
                                       brush);
            DllExports::GdipDeleteBrush(brush);
            DllExports::GdipDeleteFont(font);
        }
        for (int i = 0; i < kLines; ++i) {
            GpPen* pen = nullptr;
            DllExports::GdipCreatePen1(0xFF80FF80, 2, UnitWorld, &pen);
            DllExports::GdipDrawLine(m_Graphics, pen, 0, 24.0f * i, kWidth, kHeight - 24.0f * i);
            DllExports::GdipDeletePen(pen);
        }
        DllExports::GdipFlush(m_Graphics, FlushIntentionSync);
        InvalidateRect(window, nullptr, FALSE);
        PAINTSTRUCT paint = {};
        HDC windowDC = BeginPaint(window, &paint);
        RECT client = {};
        GetClientRect(window, &client);
        BitBlt(windowDC, 0, 0, client.right, client.bottom, m_MemDC, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
    }

private:
    HDC m_MemDC = nullptr;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_Before = nullptr;
    GpGraphics* m_Graphics = nullptr;
    GpImage* m_Images[kKinds] = {};
    GpImageAttributes* m_Attributes[kKinds] = {};
};

void DispatchPending()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Draw>
double FramesPerSecond(int frames, Draw draw)
{
    DispatchPending();
    double start = Seconds();
    for (int frame = 0; frame < frames; ++frame) {
        draw(frame);
    }
    return frames / (Seconds() - start);
}

}  // namespace

int main()
{
    // The library's start-up, held for the whole run so that the direct side has GDI+ too.
    CGdiplus gdiplus = CGdiplus::Shared();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring sheet = std::wstring(temp) + L"tsumiki-bench-sheet-" + std::to_wstring(GetCurrentProcessId()) + L".png";
    Frame window;
    if (!WriteSpriteSheet(sheet) || !window.Create()) {
        std::printf("game frame: set-up failed\n");
        return 1;
    }
    HWND hwnd = window.GetWndHandle();
    window.Graphics().CreateBackBuffer(hwnd);
    {
        LibraryFrame library(sheet);
        DirectFrame direct(hwnd, sheet);
        // Rounds of about a second per side, whatever the machine's speed.
        double warmFps = FramesPerSecond(3, [&](int f) { library.Draw(window.Graphics(), hwnd, f); });
        FramesPerSecond(3, [&](int f) { direct.Draw(hwnd, f); });
        const int frames = warmFps < 3 ? 3 : static_cast<int>(warmFps);
        // Interleaved rounds, so that both sides see the same machine load.
        std::vector<double> libraryFps, directFps;
        double ratio = MedianOf(9, [&] {
            directFps.push_back(FramesPerSecond(frames, [&](int f) { direct.Draw(hwnd, f); }));
            libraryFps.push_back(FramesPerSecond(frames, [&](int f) { library.Draw(window.Graphics(), hwnd, f); }));
            return libraryFps.back() / directFps.back();
        });
        std::printf("game frame: library %.1f frames/s, direct GDI+ %.1f frames/s (medians), ratio %.3f "
                    "(target >= 3)\n", Median(libraryFps), Median(directFps), ratio);
        std::fflush(stdout);
    }
    DestroyWindow(hwnd);
    DeleteFileW(sheet.c_str());
    return 0;
}
