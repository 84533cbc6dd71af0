// The sprite scene the drawing benchmarks share: 200 turned, partly transparent 64 x 64 cells
// of a 4 x 2 sprite sheet on a 640 x 480 back buffer, drawn through the library or directly
// on the GDI+ flat API. What one benchmark's sprites do otherwise (a colour key, an angle
// offset, the shape in each cell) is given as a SpriteLook.
#pragma once

#include <tsumiki.h>

#include <cmath>
#include <string>
#include <vector>

const int kWidth = 640;
const int kHeight = 480;
const int kSprites = 200;
const int kCell = 64;
const int kKinds = 8;  // sprites differ in opacity, so each kind has its own attributes

// How one benchmark's sprites look.
struct SpriteLook {
    float angleOffset;  // degrees added to every sprite's angle
    int ellipseHeight;  // of the ellipse in each cell
    bool keyed;         // a band of `key` across each cell, left out when drawn
    Gdiplus::ARGB key;
};

// Where sprite i is in frame f, and how it is turned.
struct Placement {
    float x, y, angle;
    int column, row;
};

inline Placement PlaceSprite(int i, int frame, float angleOffset)
{
    float t = static_cast<float>(frame) * 0.05f + static_cast<float>(i) * 0.37f;
    return {320 + 280 * std::sin(t * 0.9f + static_cast<float>(i)),
            240 + 200 * std::cos(t * 0.7f + static_cast<float>(i) * 1.3f),
            static_cast<float>((frame * 3 + i * 17) % 360) + angleOffset, i % 4, (i / 4) % 2};
}

inline unsigned char OpacityOf(int kind)
{
    return static_cast<unsigned char>(96 + kind * 20);
}

// A file in the temporary folder for the sheet, of this process alone.
inline std::wstring SheetPath(const wchar_t* stem)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + stem + std::to_wstring(GetCurrentProcessId()) + L".png";
}

// The 4 x 2 sheet: each cell a soft-edged ellipse on a transparent ground (with the look's
// band of the key across it when keyed), saved as PNG.
inline bool WriteSpriteSheet(const std::wstring& path, const SpriteLook& look)
{
    namespace flat = Gdiplus::DllExports;
    Gdiplus::GpBitmap* sheet = nullptr;
    if (flat::GdipCreateBitmapFromScan0(kCell * 4, kCell * 2, 0, PixelFormat32bppARGB, nullptr, &sheet) !=
        Gdiplus::Ok) {
        return false;
    }
    Gdiplus::GpGraphics* drawer = nullptr;
    flat::GdipGetImageGraphicsContext(sheet, &drawer);
    flat::GdipSetSmoothingMode(drawer, Gdiplus::SmoothingModeAntiAlias);
    for (int cell = 0; cell < 8; ++cell) {
        Gdiplus::GpSolidFill* brush = nullptr;
        flat::GdipCreateSolidFill(0xFF000000 | (0x3F1F7Fu * static_cast<unsigned>(cell + 1)), &brush);
        flat::GdipFillEllipseI(drawer, brush, (cell % 4) * kCell + 4, (cell / 4) * kCell + 4, 56, look.ellipseHeight);
        if (look.keyed) {
            flat::GdipSetSolidFillColor(brush, look.key);
            flat::GdipFillRectangleI(drawer, brush, (cell % 4) * kCell + 8, (cell / 4) * kCell + 26, 48, 6);
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

// The sprites through the library: one CImage a kind.
class LibrarySprites {
public:
    LibrarySprites(const std::wstring& sheet, const SpriteLook& look) : m_Look(look), m_Sprites(kKinds)
    {
        for (int kind = 0; kind < kKinds; ++kind) {
            m_Sprites[kind].Load(sheet.c_str());
            m_Sprites[kind].AlphaBlending(OpacityOf(kind));
            if (look.keyed) {
                m_Sprites[kind].ColorKey(look.key);
            }
        }
    }
    void Draw(CGraphics& graphics, int frame)
    {
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame, m_Look.angleOffset);
            CImage& sprite = m_Sprites[i % kKinds];
            sprite.SetPos(place.x, place.y);
            sprite.SetRotate(place.angle);
            graphics.DrawImage(&sprite, Gdiplus::Size(kCell, kCell), place.column, place.row);
        }
    }

private:
    SpriteLook m_Look;
    std::vector<CImage> m_Sprites;
};

// A memory DC with a kWidth x kHeight bitmap selected and a flat-API graphics on it: a 32-bit
// top-down DIB section, or with a window, a bitmap compatible with the window's DC.
class DirectBuffer {
public:
    explicit DirectBuffer(HWND compatibleWith = nullptr)
    {
        if (compatibleWith) {
            HDC windowDC = GetDC(compatibleWith);
            m_MemDC = CreateCompatibleDC(windowDC);
            m_Bitmap = CreateCompatibleBitmap(windowDC, kWidth, kHeight);
            ReleaseDC(compatibleWith, windowDC);
        } else {
            BITMAPINFO format = {};
            format.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            m_MemDC = CreateCompatibleDC(nullptr);
            void* bits = nullptr;
            m_Bitmap = CreateDIBSection(m_MemDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        }
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

// The same sprites on the flat API: one image and one set of image attributes a kind.
class DirectSprites {
public:
    DirectSprites(const std::wstring& sheet, const SpriteLook& look) : m_Look(look)
    {
        namespace flat = Gdiplus::DllExports;
        for (int kind = 0; kind < kKinds; ++kind) {
            flat::GdipLoadImageFromFile(sheet.c_str(), &m_Images[kind]);
            flat::GdipCreateImageAttributes(&m_Attributes[kind]);
            Gdiplus::ColorMatrix matrix = {};
            for (int d = 0; d < 5; ++d) {
                matrix.m[d][d] = 1;
            }
            matrix.m[3][3] = static_cast<Gdiplus::REAL>(OpacityOf(kind) / 255.0);
            flat::GdipSetImageAttributesColorMatrix(m_Attributes[kind], Gdiplus::ColorAdjustTypeDefault, TRUE,
                                                    &matrix, nullptr, Gdiplus::ColorMatrixFlagsDefault);
            if (look.keyed) {
                flat::GdipSetImageAttributesColorKeys(m_Attributes[kind], Gdiplus::ColorAdjustTypeDefault, TRUE,
                                                      look.key, look.key);
            }
        }
    }
    ~DirectSprites()
    {
        for (int kind = 0; kind < kKinds; ++kind) {
            Gdiplus::DllExports::GdipDisposeImageAttributes(m_Attributes[kind]);
            Gdiplus::DllExports::GdipDisposeImage(m_Images[kind]);
        }
    }
    DirectSprites(const DirectSprites&) = delete;
    DirectSprites& operator=(const DirectSprites&) = delete;

    // Draws the frame's sprites; the caller flushes.
    void Draw(Gdiplus::GpGraphics* graphics, int frame)
    {
        namespace flat = Gdiplus::DllExports;
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame, m_Look.angleOffset);
            int kind = i % kKinds;
            flat::GdipTranslateWorldTransform(graphics, -kCell * 0.5f, -kCell * 0.5f, Gdiplus::MatrixOrderAppend);
            flat::GdipRotateWorldTransform(graphics, place.angle, Gdiplus::MatrixOrderAppend);
            flat::GdipTranslateWorldTransform(graphics, place.x, place.y, Gdiplus::MatrixOrderAppend);
            flat::GdipDrawImageRectRectI(graphics, m_Images[kind], 0, 0, kCell, kCell, place.column * kCell,
                                         place.row * kCell, kCell, kCell, Gdiplus::UnitPixel, m_Attributes[kind],
                                         nullptr, nullptr);
            flat::GdipResetWorldTransform(graphics);
        }
    }

private:
    SpriteLook m_Look;
    Gdiplus::GpImage* m_Images[kKinds] = {};
    Gdiplus::GpImageAttributes* m_Attributes[kKinds] = {};
};
