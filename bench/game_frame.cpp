// One game frame on a 640 x 480 back buffer: clear, 200 rotated half-transparent sprites
// from a sprite sheet, 20 texts, 20 lines, present. Frames per second through CGraphics and
// CImage against the same frame written directly on the GDI+ flat API, with the same
// per-call brushes, pens and fonts. Ratio: library frames per second / direct ones.
#include <tsumiki.h>

#include <cwchar>
#include <string>
#include <vector>

#include "bench_support.h"
#include "sprite_scene.h"

using namespace Gdiplus;

namespace {

const int kTexts = 20;
const int kLines = 20;

// Plain sprites: no colour key, no angle offset.
const SpriteLook kLook = {0, 40, false, 0};

const wchar_t kText[] = L"Score 0012345  Lives 3";

// The frame through the library.
class LibraryFrame {
public:
    explicit LibraryFrame(const std::wstring& sheet) : m_Sprites(sheet, kLook) {}

    void Draw(CGraphics& graphics, HWND window, int frame)
    {
        graphics.Clear(0xFF203040);
        m_Sprites.Draw(graphics, frame);
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
    LibrarySprites m_Sprites;
};

// The same frame on the flat API, into a back buffer of its own.
class DirectFrame {
public:
    DirectFrame(HWND window, const std::wstring& sheet) : m_Buffer(window), m_Sprites(sheet, kLook) {}

    void Draw(HWND window, int frame)
    {
        GpGraphics* graphics = m_Buffer.Graphics();
        GpSolidFill* clear = nullptr;
        DllExports::GdipCreateSolidFill(0xFF203040, &clear);
        DllExports::GdipFillRectangleI(graphics, clear, 0, 0, kWidth, kHeight);
        DllExports::GdipDeleteBrush(clear);
        m_Sprites.Draw(graphics, frame);
        for (int i = 0; i < kTexts; ++i) {
            GpFontFamily* family = nullptr;
            GpFont* font = nullptr;
            GpSolidFill* brush = nullptr;
            DllExports::GdipCreateFontFamilyFromName(L"Arial", nullptr, &family);
            DllExports::GdipCreateFont(family, 11, FontStyleRegular, UnitPoint, &font);
            DllExports::GdipDeleteFontFamily(family);
            DllExports::GdipCreateSolidFill(0xFFFFFFFF, &brush);
            RectF layout(10, 10 + 22.0f * i, 0, 0);
            DllExports::GdipDrawString(graphics, kText, static_cast<INT>(wcslen(kText)), font, &layout, nullptr,
                                       brush);
            DllExports::GdipDeleteBrush(brush);
            DllExports::GdipDeleteFont(font);
        }
        for (int i = 0; i < kLines; ++i) {
            GpPen* pen = nullptr;
            DllExports::GdipCreatePen1(0xFF80FF80, 2, UnitWorld, &pen);
            DllExports::GdipDrawLine(graphics, pen, 0, 24.0f * i, kWidth, kHeight - 24.0f * i);
            DllExports::GdipDeletePen(pen);
        }
        DllExports::GdipFlush(graphics, FlushIntentionSync);
        InvalidateRect(window, nullptr, FALSE);
        PAINTSTRUCT paint = {};
        HDC windowDC = BeginPaint(window, &paint);
        RECT client = {};
        GetClientRect(window, &client);
        BitBlt(windowDC, 0, 0, client.right, client.bottom, m_Buffer.DC(), 0, 0, SRCCOPY);
        EndPaint(window, &paint);
    }

private:
    DirectBuffer m_Buffer;
    DirectSprites m_Sprites;
};

void DispatchPending()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
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
    std::wstring sheet = SheetPath(L"tsumiki-bench-sheet-");
    BenchWindow window;
    if (!WriteSpriteSheet(sheet, kLook) || !window.Create(L"game frame")) {
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
                    "(target >= 3)\n", MedianOf(libraryFps), MedianOf(directFps), ratio);
        std::fflush(stdout);
    }
    DestroyWindow(hwnd);
    DeleteFileW(sheet.c_str());
    return 0;
}
