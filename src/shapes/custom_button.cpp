#include "tsumiki/shapes.h"

#include <initializer_list>

#include "text/library_text.h"
#include "text/library_message.h"
#include "shapes/bitmap_file.h"

namespace tsumiki {

namespace {

void ShowMissing(detail::Text text, const wchar_t* path)
{
    detail::ShowLibraryMessage(detail::LibraryTextNaming(text, path).c_str(), nullptr);
}

}  // namespace

// The three pictures of a button, shared by its copies and deleted once, by the last.
struct CCustomButton::Pictures {
    Pictures() = default;
    ~Pictures()
    {
        for (HBITMAP bitmap : {mask, push, normal}) {
            if (bitmap) {
                DeleteObject(bitmap);
            }
        }
    }
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    bool Complete() const { return normal && push && mask; }

    HBITMAP normal = nullptr;
    HBITMAP push = nullptr;
    HBITMAP mask = nullptr;
};

CCustomButton::CCustomButton() : m_bPush(false) {}

CCustomButton::CCustomButton(const CCustomButton& other) = default;

CCustomButton& CCustomButton::operator=(const CCustomButton& other) = default;

CCustomButton::~CCustomButton() = default;

bool CCustomButton::Create(HWND parent, int x, int y, const wchar_t* normalPath,
                           const wchar_t* pushPath, const wchar_t* maskPath)
{
    // The size comes from the mask, once the window exists.
    bool created = CreateControl(parent, x, y, 0, 0, L"", L"Button",
                                 WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);

    auto pictures = std::make_shared<Pictures>();
    pictures->normal = detail::LoadBitmapFile(normalPath);
    pictures->push = detail::LoadBitmapFile(pushPath);
    pictures->mask = detail::LoadBitmapFile(maskPath);
    m_Pictures = pictures;
    m_bPush = false;
    if (!pictures->normal) {
        ShowMissing(detail::Text::ButtonNormalPictureMissing, normalPath);
    }
    if (!pictures->push) {
        ShowMissing(detail::Text::ButtonPushPictureMissing, pushPath);
    }
    if (!pictures->mask) {
        ShowMissing(detail::Text::ButtonMaskMissing, maskPath);
        return false;  // nothing to size or shape the button by
    }
    if (!created) {
        return false;
    }

    BITMAP mask = {};
    GetObjectW(pictures->mask, sizeof(mask), &mask);
    SetWindowPos(m_hWnd, nullptr, 0, 0, mask.bmWidth, mask.bmHeight < 0 ? -mask.bmHeight : mask.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!m_Region.CreateRegionFromHBITMAP(m_hWnd, pictures->mask) || !m_Region.SetRegion(m_hWnd)) {
        return false;
    }
    ChangeProc(this);
    return true;
}

bool CCustomButton::IsPush(int id) const
{
    // Without a control GetID() is 0, which must not match a command identifier of 0.
    return m_hWnd && id == GetID();
}

HBITMAP CCustomButton::GetNormalBitmap() const
{
    return m_Pictures ? m_Pictures->normal : nullptr;
}

HBITMAP CCustomButton::GetPushBitmap() const
{
    return m_Pictures ? m_Pictures->push : nullptr;
}

HBITMAP CCustomButton::GetMaskBitmap() const
{
    return m_Pictures ? m_Pictures->mask : nullptr;
}

void CCustomButton::InvalidateButton(HWND hwnd)
{
    RECT whole = {0, 0, GetWidth(), GetHeight()};
    InvalidateRect(hwnd, &whole, FALSE);
}

void CCustomButton::Paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc && m_Pictures && m_Pictures->Complete()) {
        // The mask clears the shape to black, then the picture is added onto it; outside
        // the shape the window region clips both.
        const int width = GetWidth();
        const int height = GetHeight();
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ original = SelectObject(memory, m_Pictures->mask);
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCAND);
        SelectObject(memory, m_bPush ? m_Pictures->push : m_Pictures->normal);
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCPAINT);
        SelectObject(memory, original);
        DeleteDC(memory);
    }
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK CCustomButton::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        // The button class's own painting (WM_DRAWITEM to the parent) is never asked for.
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateButton(hwnd);
        break;
    case WM_LBUTTONDOWN:
        m_bPush = true;
        InvalidateButton(hwnd);
        break;
    case WM_LBUTTONUP:
        m_bPush = false;
        InvalidateButton(hwnd);
        break;
    default:
        break;
    }
    // The button class keeps its own capture, focus and click logic.
    return CControlBase::WndProc(hwnd, message, wParam, lParam);
}

}  // namespace tsumiki
