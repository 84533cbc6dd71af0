// What the drawing benchmarks share: an 800 x 600 back buffer, sprite sheets of soft-edged
// ellipses (4 x 2 cells, saved as PNG), sprites drawn through the library or directly on the
// GDI+ flat API, the choice of the library's sprite kernels, and rounds timed by the
// thread's processor time, the best of several kept.
#pragma once

#include <tsumiki.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"

const int kWidth = 800;
const int kHeight = 600;
const int kOpacities = 8;  // sprites differ in opacity, so each opacity has its own image

// One sheet's cells: their size, and a band of `key` across each, left out when drawn.
struct SheetLook {
    int cell;
    bool keyed;
    Gdiplus::ARGB key;
};

// One sprite of a frame: its sheet, cell, centre and angle.
struct Sprite {
    int sheet, column, row;
    float x, y, angle;
    int opacity;  // 0 to kOpacities - 1
};

inline unsigned char OpacityOf(int index)
{
    return static_cast<unsigned char>(96 + index * 20);
}

// A file in the temporary folder, of this process alone.
inline std::wstring TempPicture(const std::wstring& stem)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + stem + std::to_wstring(GetCurrentProcessId()) + L".png";
}

inline bool WriteSpriteSheet(const std::wstring& path, const SheetLook& look)
{
    namespace flat = Gdiplus::DllExports;
    const int c = look.cell;
    Gdiplus::GpBitmap* sheet = nullptr;
    if (flat::GdipCreateBitmapFromScan0(c * 4, c * 2, 0, PixelFormat32bppARGB, nullptr, &sheet) != Gdiplus::Ok) {
        return false;
    }
    Gdiplus::GpGraphics* drawer = nullptr;
    flat::GdipGetImageGraphicsContext(sheet, &drawer);
    flat::GdipSetSmoothingMode(drawer, Gdiplus::SmoothingModeAntiAlias);
    for (int cell = 0; cell < 8; ++cell) {
        Gdiplus::GpSolidFill* brush = nullptr;
        flat::GdipCreateSolidFill(0xFF000000 | (0x3F1F7Fu * static_cast<unsigned>(cell + 1)), &brush);
        const Gdiplus::REAL left = static_cast<Gdiplus::REAL>((cell % 4) * c);
        const Gdiplus::REAL top = static_cast<Gdiplus::REAL>((cell / 4) * c);
        flat::GdipFillEllipse(drawer, brush, left + c / 16.0f, top + c / 16.0f, c * 0.875f, c * 0.75f);
        if (look.keyed) {
            flat::GdipSetSolidFillColor(brush, look.key);
            flat::GdipFillRectangle(drawer, brush, left + c / 8.0f, top + c * 0.4f, c * 0.75f, c / 10.0f);
        }
        flat::GdipDeleteBrush(brush);
    }
    flat::GdipDeleteGraphics(drawer);
    CLSID png;
    bool saved = FindImageEncoder(L"image/png", &png) &&
                 flat::GdipSaveImageToFile(sheet, path.c_str(), &png, nullptr) == Gdiplus::Ok;
    flat::GdipDisposeImage(sheet);
    return saved;
}

// The sheets of one benchmark, written to temporary files and deleted with the object.
class Sheets {
public:
    explicit Sheets(const std::vector<SheetLook>& looks) : m_Looks(looks)
    {
        for (size_t i = 0; i < looks.size(); ++i) {
            m_Paths.push_back(TempPicture(L"tsumiki-bench-sheet-" + std::to_wstring(i) + L"-"));
            m_Written = WriteSpriteSheet(m_Paths.back(), looks[i]) && (i == 0 || m_Written);
        }
    }
    ~Sheets()
    {
        for (const std::wstring& path : m_Paths) {
            DeleteFileW(path.c_str());
        }
    }
    Sheets(const Sheets&) = delete;
    Sheets& operator=(const Sheets&) = delete;

    bool Written() const { return m_Written; }
    const std::vector<SheetLook>& Looks() const { return m_Looks; }
    const std::wstring& Path(int sheet) const { return m_Paths[static_cast<size_t>(sheet)]; }

private:
    std::vector<SheetLook> m_Looks;
    std::vector<std::wstring> m_Paths;
    bool m_Written = false;
};

// The benchmark's window, its client area the size of the back buffer.
class BenchWindow : public CWindowBase {
public:
    bool Create(const wchar_t* title)
    {
        RECT size = {0, 0, kWidth, kHeight};
        AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
        return CreateWnd(title, size.right - size.left, size.bottom - size.top, 0, 0, nullptr, nullptr,
                         L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
    }
    void OnPaint(HWND) override { ValidateRect(m_hWnd, nullptr); }
    void OnDestroy(HWND) override {}
    CGraphics& Graphics() { return m_Graphics; }
};

// The library's sprite kernels: the back buffer chooses them when it is made, AVX2 where the
// processor has it unless TSUMIKI_SIMD asks for SSE2.
struct KernelChoice {
    const char* name;
    bool forceSse2;
};
inline std::vector<KernelChoice> KernelChoices()
{
    std::vector<KernelChoice> choices;
    if (__builtin_cpu_supports("avx2")) {
        choices.push_back({"AVX2", false});
    }
    choices.push_back({"SSE2", true});
    return choices;
}
inline void UseKernels(BenchWindow& window, const KernelChoice& choice)
{
    SetEnvironmentVariableW(L"TSUMIKI_SIMD", choice.forceSse2 ? L"sse2" : nullptr);
    window.Graphics().CreateBackBuffer(window.GetWndHandle());
}

// The sprites through the library: one CImage a sheet and opacity.
class LibrarySprites {
public:
    explicit LibrarySprites(const Sheets& sheets)
    {
        for (size_t sheet = 0; sheet < sheets.Looks().size(); ++sheet) {
            for (int opacity = 0; opacity < kOpacities; ++opacity) {
                m_Images.emplace_back(sheets.Path(static_cast<int>(sheet)).c_str());
                m_Images.back().AlphaBlending(OpacityOf(opacity));
                if (sheets.Looks()[sheet].keyed) {
                    m_Images.back().ColorKey(sheets.Looks()[sheet].key);
                }
                m_Cells.push_back(sheets.Looks()[sheet].cell);
            }
        }
    }
    void Draw(CGraphics& graphics, const std::vector<Sprite>& sprites)
    {
        for (const Sprite& s : sprites) {
            const size_t index = static_cast<size_t>(s.sheet * kOpacities + s.opacity);
            CImage& image = m_Images[index];
            image.SetPos(s.x, s.y);
            image.SetRotate(s.angle);
            graphics.DrawImage(&image, Gdiplus::Size(m_Cells[index], m_Cells[index]), s.column, s.row);
        }
    }

private:
    std::vector<CImage> m_Images;
    std::vector<int> m_Cells;
};

// A memory DC with a kWidth x kHeight 32-bit top-down DIB section and a flat-API graphics on
// it: the plain way to draw off screen with GDI+, in the layout of the library's back buffer
// (channel masks given), on which Wine's GDI+ is at its fastest.
class DirectBuffer {
public:
    DirectBuffer()
    {
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } format = {{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_BITFIELDS, 0, 0, 0, 0, 0},
                    {0x00FF0000, 0x0000FF00, 0x000000FF}};
        m_MemDC = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_Bitmap = CreateDIBSection(m_MemDC, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS, &bits, nullptr, 0);
        m_Before = SelectObject(m_MemDC, m_Bitmap);
        Gdiplus::DllExports::GdipCreateFromHDC(m_MemDC, &m_Graphics);
    }
    ~DirectBuffer()
    {
        Gdiplus::DllExports::GdipDeleteGraphics(m_Graphics);
        SelectObject(m_MemDC, m_Before);
        DeleteObject(m_Bitmap);
        DeleteDC(m_MemDC);
    }
    DirectBuffer(const DirectBuffer&) = delete;
    DirectBuffer& operator=(const DirectBuffer&) = delete;

    HDC DC() const { return m_MemDC; }
    Gdiplus::GpGraphics* Graphics() const { return m_Graphics; }

private:
    HDC m_MemDC = nullptr;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_Before = nullptr;
    Gdiplus::GpGraphics* m_Graphics = nullptr;
};

// The same sprites on the flat API: one image and one set of image attributes a sheet and
// opacity. The caller flushes.
class DirectSprites {
public:
    explicit DirectSprites(const Sheets& sheets)
    {
        namespace flat = Gdiplus::DllExports;
        for (size_t sheet = 0; sheet < sheets.Looks().size(); ++sheet) {
            for (int opacity = 0; opacity < kOpacities; ++opacity) {
                Gdiplus::GpImage* image = nullptr;
                Gdiplus::GpImageAttributes* attributes = nullptr;
                flat::GdipLoadImageFromFile(sheets.Path(static_cast<int>(sheet)).c_str(), &image);
                flat::GdipCreateImageAttributes(&attributes);
                Gdiplus::ColorMatrix matrix = {};
                for (int d = 0; d < 5; ++d) {
                    matrix.m[d][d] = 1;
                }
                matrix.m[3][3] = static_cast<Gdiplus::REAL>(OpacityOf(opacity) / 255.0);
                flat::GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                                        nullptr, Gdiplus::ColorMatrixFlagsDefault);
                const SheetLook& look = sheets.Looks()[sheet];
                if (look.keyed) {
                    flat::GdipSetImageAttributesColorKeys(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, look.key,
                                                          look.key);
                }
                m_Images.push_back(image);
                m_Attributes.push_back(attributes);
                m_Cells.push_back(look.cell);
            }
        }
    }
    ~DirectSprites()
    {
        for (size_t i = 0; i < m_Images.size(); ++i) {
            Gdiplus::DllExports::GdipDisposeImageAttributes(m_Attributes[i]);
            Gdiplus::DllExports::GdipDisposeImage(m_Images[i]);
        }
    }
    DirectSprites(const DirectSprites&) = delete;
    DirectSprites& operator=(const DirectSprites&) = delete;

    void Draw(Gdiplus::GpGraphics* graphics, const std::vector<Sprite>& sprites)
    {
        namespace flat = Gdiplus::DllExports;
        for (const Sprite& s : sprites) {
            const size_t index = static_cast<size_t>(s.sheet * kOpacities + s.opacity);
            const int c = m_Cells[index];
            flat::GdipTranslateWorldTransform(graphics, -c * 0.5f, -c * 0.5f, Gdiplus::MatrixOrderAppend);
            flat::GdipRotateWorldTransform(graphics, s.angle, Gdiplus::MatrixOrderAppend);
            flat::GdipTranslateWorldTransform(graphics, s.x, s.y, Gdiplus::MatrixOrderAppend);
            flat::GdipDrawImageRectRectI(graphics, m_Images[index], 0, 0, c, c, s.column * c, s.row * c, c, c,
                                         Gdiplus::UnitPixel, m_Attributes[index], nullptr, nullptr);
            flat::GdipResetWorldTransform(graphics);
        }
    }

private:
    std::vector<Gdiplus::GpImage*> m_Images;
    std::vector<Gdiplus::GpImageAttributes*> m_Attributes;
    std::vector<int> m_Cells;
};

// Processor seconds a call of `draw(frame)`, the best of `rounds` rounds of at least a
// quarter of a second each (frames numbered on from round to round).
inline double BestSecondsPerCall(int rounds, const std::function<void(int)>& draw)
{
    int frame = 0;
    int calls = 1;
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        double start = ThreadSeconds();
        for (int i = 0; i < calls; ++i) {
            draw(frame++);
        }
        const double spent = ThreadSeconds() - start;
        if (spent < 0.25) {
            // Too short to time with the thread clock's steps: longer, and again.
            calls = spent > 0.02 ? static_cast<int>(calls * 0.3 / spent) + 1 : calls * 10;
            --round;
            continue;
        }
        best = std::min(best, spent / calls);
    }
    return best;
}
