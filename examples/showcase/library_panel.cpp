// The library panel: the scene's pictures catalogued one after another, each as a list row
// with its icon beside it, while a progress bar steps towards full.
#include "library_panel.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

using namespace Gdiplus;

namespace {

// The frame's client area ends a few pixels short of the column's 320.
constexpr int kWidth = 300;
constexpr int kStripWidth = 24;
constexpr int kIcon = 16;
constexpr int kListHeight = 206;
// A new picture every this many ticks of the window's timer (about five a second).
constexpr unsigned kTicksPerPicture = 6;

// The picture's part scaled into an icon-sized square, keeping its shape and its colour key.
HICON MakeIcon(const Scene::Picture& picture)
{
    CGdiplus gdiplus = CGdiplus::Shared();
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(kIcon, kIcon, 0, PixelFormat32bppARGB, nullptr,
                                              &bitmap) != Ok) {
        return nullptr;
    }
    GpGraphics* drawer = nullptr;
    DllExports::GdipGetImageGraphicsContext(bitmap, &drawer);
    DllExports::GdipGraphicsClear(drawer, 0x00000000);
    DllExports::GdipSetInterpolationMode(drawer, InterpolationModeHighQualityBicubic);
    const Rect& part = picture.part;
    float scale = std::min(static_cast<float>(kIcon) / part.Width,
                           static_cast<float>(kIcon) / part.Height);
    int width = std::max(1, static_cast<int>(std::lround(part.Width * scale)));
    int height = std::max(1, static_cast<int>(std::lround(part.Height * scale)));
    DllExports::GdipDrawImageRectRectI(drawer, picture.image.GetPtr(), (kIcon - width) / 2,
                                       (kIcon - height) / 2, width, height, part.X, part.Y,
                                       part.Width, part.Height, UnitPixel,
                                       picture.image.GetAttributes(), nullptr, nullptr);
    DllExports::GdipDeleteGraphics(drawer);
    HICON icon = nullptr;
    DllExports::GdipCreateHICONFromBitmap(bitmap, &icon);
    DllExports::GdipDisposeImage(bitmap);
    return icon;
}

}  // namespace

bool IconStrip::Create(HWND parent, int x, int y, int width, int height, const CListView& rows,
                       CImageList& icons)
{
    m_Rows = &rows;
    m_Icons = &icons;
    if (!CStatic::Create(parent, x, y, width, height, L"")) {
        return false;
    }
    ChangeProc(this);
    return true;
}

LRESULT CALLBACK IconStrip::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        return 1;  // WM_PAINT fills the whole strip.
    }
    if (message == WM_PAINT) {
        Paint(hwnd);
        return 0;
    }
    return CStatic::WndProc(hwnd, message, wParam, lParam);
}

void IconStrip::Paint(HWND hwnd)
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client = {};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int row = 0; row < m_Rows->GetItemCount(); ++row) {
        RECT bounds = {};
        if (!m_Rows->GetCellRect(row, 0, &bounds)) {
            continue;
        }
        // Cell rectangles are in the list's client coordinates.
        MapWindowPoints(m_Rows->GetWndHandle(), hwnd, reinterpret_cast<POINT*>(&bounds), 2);
        m_Icons->SetPos((client.right - kIcon) / 2,
                        bounds.top + (bounds.bottom - bounds.top - kIcon) / 2);
        m_Icons->Draw(dc, row);
    }
    EndPaint(hwnd, &paint);
}

void LibraryPanel::Create(HWND parent, int x, int y)
{
    m_Title.Create(parent, x, y, kWidth, 20, L"Library: the pictures the scene made");
    m_List.Create(parent, x + kStripWidth, y + 22, kWidth - kStripWidth, kListHeight);
    m_Strip.Create(parent, x, y + 22, kStripWidth, kListHeight, m_List, m_Icons);
    // The columns are sized for 96 DPI and scaled for the window's, like the rest of the page.
    m_List.AddColumn(L"Name", m_List.Scale(100));
    m_List.AddColumn(L"Size", m_List.Scale(76));
    m_List.AddColumn(L"Format", m_List.Scale(80));
    m_Bar.Create(parent, 0, 100, 10, x, y + 234, kWidth, 18);
    m_Status.Create(parent, x, y + 262, 190, 20, L"");
    m_Again.Create(parent, x + 200, y + 258, kWidth - 200, 26, L"Catalogue again");
    // A larger font makes rows tall enough for the icons beside them.
    m_List.SetFontFace(L"Arial", 11);
}

void LibraryPanel::Anchor(CWindowBase& window) const
{
    window.Anchor(m_Title.GetWndHandle(), ANCHOR_TOP | ANCHOR_RIGHT);
    for (const CControlBase* control : std::initializer_list<const CControlBase*>{&m_Strip, &m_List}) {
        window.Anchor(control->GetWndHandle(), ANCHOR_TOP | ANCHOR_BOTTOM | ANCHOR_RIGHT);
    }
    for (const CControlBase* control : std::initializer_list<const CControlBase*>{&m_Bar, &m_Status, &m_Again}) {
        window.Anchor(control->GetWndHandle(), ANCHOR_BOTTOM | ANCHOR_RIGHT);
    }
}

void LibraryPanel::Show(bool visible)
{
    for (CControlBase* control : std::initializer_list<CControlBase*>{
             &m_Title, &m_Strip, &m_List, &m_Bar, &m_Status, &m_Again}) {
        control->Show(visible);
    }
}

void LibraryPanel::Catalogue(std::vector<Scene::Picture> pictures)
{
    m_Pictures = std::move(pictures);
    while (m_List.GetItemCount() > 0) {
        m_List.DeleteItem(0);
    }
    // A new list starts again at index 0, in step with the rows.
    m_Icons.Create(static_cast<int>(m_Pictures.size()), kIcon, kIcon, IMAGE_COLOR32, false);
    // One step of ten per picture: the bar is full, and UpdateStep says so, at the last.
    m_Bar.SetMinMax(0, std::max<int>(1, static_cast<int>(m_Pictures.size())) * 10);
    m_Bar.SetStep(10);
    m_Bar.SetPos(0);
    m_Next = 0;
    m_Running = !m_Pictures.empty();
    InvalidateRect(m_Strip.GetWndHandle(), nullptr, FALSE);
    SetStatus();
}

void LibraryPanel::OnTick(unsigned tick)
{
    if (m_Running && tick % kTicksPerPicture == 0) {
        CatalogueNext();
    }
}

void LibraryPanel::CatalogueNext()
{
    const Scene::Picture& picture = m_Pictures[m_Next++];
    HICON icon = MakeIcon(picture);
    // The image list keeps a copy of the icon's image.
    m_Icons.AddIcon(icon);
    DestroyIcon(icon);
    int row = m_List.GetItemCount();
    m_List.AddItem(picture.name.c_str());
    std::wstring size = std::to_wstring(picture.part.Width) + L" x " + std::to_wstring(picture.part.Height);
    m_List.AddAttribute(size.c_str(), row);
    m_List.AddAttribute(picture.format.c_str(), row);
    InvalidateRect(m_Strip.GetWndHandle(), nullptr, FALSE);
    bool full = m_Bar.UpdateStep();
    m_Running = !full && m_Next < m_Pictures.size();
    SetStatus();
}

void LibraryPanel::SetStatus()
{
    std::wstring status = m_Running ? L"Cataloguing " + std::to_wstring(m_Next) + L" of " +
                                          std::to_wstring(m_Pictures.size()) + L"..."
                                    : std::to_wstring(m_List.GetItemCount()) + L" pictures catalogued.";
    m_Status.SetText(status.c_str());
}

bool LibraryPanel::OnCommand(HWND, int id, HWND, UINT)
{
    if (m_Again.IsPush(id)) {
        Catalogue(std::move(m_Pictures));
        return true;
    }
    return false;
}
