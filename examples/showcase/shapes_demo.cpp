#include "shapes_demo.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace {

const int kStarSize = 200;
const int kBadgeWidth = 132;
const int kBadgeHeight = 48;

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tsumiki-shapes-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

// Draws with GDI on a white 24-bit picture and saves it as a BMP file.
bool SaveDrawing(const std::wstring& path, int width, int height, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!picture) {
        return false;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(dc, picture);
    RECT whole = {0, 0, width, height};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc);
    GdiFlush();
    SelectObject(dc, original);
    DeleteDC(dc);

    const DWORD pixelBytes = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + pixelBytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool saved = file != INVALID_HANDLE_VALUE &&
                 WriteFile(file, &header, sizeof(header), &written, nullptr) &&
                 WriteFile(file, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
                 WriteFile(file, bits, pixelBytes, &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    DeleteObject(picture);
    return saved;
}

std::vector<POINT> StarCorners(int size, int points)
{
    std::vector<POINT> corners;
    const double pi = 3.14159265358979;
    for (int i = 0; i < points * 2; ++i) {
        double angle = pi * i / points - pi / 2;
        double radius = (i % 2 == 0 ? 0.49 : 0.22) * size;
        corners.push_back({static_cast<LONG>(std::lround(size / 2.0 + radius * std::cos(angle))),
                           static_cast<LONG>(std::lround(size / 2.0 + radius * std::sin(angle)))});
    }
    return corners;
}

// The badge's mask: a black pill with sharp edges (no blending, so every edge pixel is
// black or white).
void DrawBadgeMask(HDC dc)
{
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    RoundRect(dc, 0, 0, kBadgeWidth, kBadgeHeight, kBadgeHeight, kBadgeHeight);
}

// The badge's face: a vertical gradient between two colours with a caption.
void DrawBadgeFace(HDC dc, COLORREF top, COLORREF bottom, int textShift, const wchar_t* caption)
{
    for (int y = 0; y < kBadgeHeight; ++y) {
        auto mix = [&](int shift) {
            int a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
            return a + (b - a) * y / (kBadgeHeight - 1);
        };
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(mix(0), mix(8), mix(16)));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, kBadgeWidth, y);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    HFONT font = CreateFontW(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT area = {textShift, textShift, kBadgeWidth + textShift, kBadgeHeight + textShift};
    DrawTextW(dc, caption, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
}

}  // namespace

bool StarWindow::Create(int x, int y, int size, const wchar_t* maskPath)
{
    m_Size = size;
    if (!CreateWnd(L"tsumiki star", size, size, x, y, nullptr, nullptr, L"BASIC_WINDOW",
                   WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW)) {
        return false;
    }
    return m_Region.CreateRegionFromBMP(m_hWnd, maskPath) && m_Region.SetRegion(m_hWnd);
}

void StarWindow::OnPaint(HWND hwnd)
{
    // Gold, with a lighter star inside; the region cuts the outer star out of the square.
    m_Graphics.Clear(0xFFE0A020);
    if (GpGraphics* drawer = m_Graphics.GetDrawer()) {
        DllExports::GdipSetSmoothingMode(drawer, SmoothingModeAntiAlias);
        std::vector<PointF> inner;
        for (const POINT& corner : StarCorners(m_Size, 5)) {
            inner.emplace_back(m_Size / 2.0f + (corner.x - m_Size / 2.0f) * 0.72f,
                               m_Size / 2.0f + (corner.y - m_Size / 2.0f) * 0.72f);
        }
        GpSolidFill* brush = nullptr;
        DllExports::GdipCreateSolidFill(0xFFFFE27A, &brush);
        DllExports::GdipFillPolygon(drawer, brush, inner.data(), static_cast<INT>(inner.size()), FillModeAlternate);
        DllExports::GdipDeleteBrush(brush);
    }
    m_Graphics.DrawString(L"CRegion", m_Size / 2.0f - 32, m_Size / 2.0f - 8, 11, Color(0xFF804000), L"Arial");
    m_Graphics.Present(hwnd);
}

void StarWindow::OnDestroy(HWND) {}

LRESULT CALLBACK StarWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST) {
        return HTCAPTION;  // the whole star drags the window
    }
    return CWindowBase::WndProc(hwnd, message, wParam, lParam);
}

void ShapesDemo::Create(HWND parent, std::function<void(const wchar_t*)> log)
{
    m_Log = std::move(log);
    std::wstring star = TempFile(L"star.bmp");
    std::wstring normal = TempFile(L"badge.bmp");
    std::wstring pushed = TempFile(L"badge-pushed.bmp");
    std::wstring mask = TempFile(L"badge-mask.bmp");
    SaveDrawing(star, kStarSize, kStarSize, [](HDC dc) {
        std::vector<POINT> corners = StarCorners(kStarSize, 5);
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        SelectObject(dc, GetStockObject(BLACK_PEN));
        Polygon(dc, corners.data(), static_cast<int>(corners.size()));
    });
    SaveDrawing(normal, kBadgeWidth, kBadgeHeight,
                [](HDC dc) { DrawBadgeFace(dc, RGB(80, 200, 255), RGB(20, 90, 200), 0, L"Press me"); });
    SaveDrawing(pushed, kBadgeWidth, kBadgeHeight,
                [](HDC dc) { DrawBadgeFace(dc, RGB(10, 60, 150), RGB(60, 160, 230), 2, L"Press me"); });
    SaveDrawing(mask, kBadgeWidth, kBadgeHeight, DrawBadgeMask);

    RECT client = {};
    GetClientRect(parent, &client);
    m_Button.Create(parent, 16, client.bottom - kBadgeHeight - 30, normal.c_str(), pushed.c_str(), mask.c_str());
    // Beside the parent's right edge, below where the tool dialog opens.
    RECT frame = {};
    GetWindowRect(parent, &frame);
    m_Star.Create(frame.right + 30, frame.top + 260, kStarSize, star.c_str());
    // Everything has been read: the files can go.
    for (const std::wstring& file : {star, normal, pushed, mask}) {
        DeleteFileW(file.c_str());
    }
}

void ShapesDemo::Anchor(CWindowBase& window) const
{
    window.Anchor(m_Button.GetWndHandle(), ANCHOR_LEFT | ANCHOR_BOTTOM);
}

bool ShapesDemo::OnCommand(HWND, int id, HWND, UINT code)
{
    if (!m_Button.IsPush(id)) {
        return false;
    }
    if (code == BN_CLICKED && m_Log) {
        std::wstring line = L"Bitmap button clicked (" + std::to_wstring(++m_Clicks) + L")";
        m_Log(line.c_str());
    }
    return true;
}
