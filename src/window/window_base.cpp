#include "window/library_entry.h"
#include "window/window_link.h"

namespace tsumiki {

std::atomic<int> CWindowBase::m_CounterID{0x8000};

CWindowBase::CWindowBase() : m_hWnd(nullptr), m_DefWndProc(nullptr), m_ClearColor(0xFFFFFFFF) {}

CWindowBase::CWindowBase(const CWindowBase& other) = default;

CWindowBase& CWindowBase::operator=(const CWindowBase& other) = default;

CWindowBase::~CWindowBase()
{
    // A window that outlives its object must not reach it any more: every window still
    // linked to this object is unlinked (a copy has none, so its source keeps working).
    window_link::DetachAll(this);
    window_link::Forget(this);
}

bool CWindowBase::CreateWnd(const wchar_t* title, int width, int height, int x, int y,
                            HWND parent, HMENU menu, const wchar_t* className,
                            DWORD style, DWORD exStyle)
{
    style |= parent ? WS_CHILD : WS_CLIPCHILDREN;
    detail::EnsureFrameWindowClass();
    window_link::Expect(this);
    // The library's class is found under the module it was registered in; other classes
    // under the executable's, as always.
    bool frameClass = !IS_INTRESOURCE(className) && lstrcmpiW(className, L"BASIC_WINDOW") == 0;
    HINSTANCE module = frameClass ? detail::FrameWindowModule() : GetModuleHandleW(nullptr);
    m_hWnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                             menu, module, nullptr);
    // A failed creation, or a class whose procedure is not the library's (a system control),
    // leaves the object waiting; left there, the hand-over would attach the next
    // "BASIC_WINDOW" of this thread to this object.
    window_link::Forget(this);
    if (!m_hWnd) {
        return false;
    }
    UpdateWindow(m_hWnd);
    ShowWindow(m_hWnd, SW_SHOW);
    m_DefWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    return true;
}

HWND CWindowBase::GetParentWndHandle()
{
    return GetAncestor(m_hWnd, GA_PARENT);
}

HWND CWindowBase::GetWndHandle() const
{
    return m_hWnd;
}

WNDPROC CWindowBase::GetDefWndProc() const
{
    return m_DefWndProc;
}

int CWindowBase::GetID() const
{
    return GetDlgCtrlID(m_hWnd);
}

int CWindowBase::GetWidth() const
{
    RECT r = {};
    GetWindowRect(m_hWnd, &r);
    return r.right - r.left;
}

int CWindowBase::GetHeight() const
{
    RECT r = {};
    GetWindowRect(m_hWnd, &r);
    return r.bottom - r.top;
}

int CWindowBase::GetClientWidth() const
{
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    return r.right - r.left;
}

int CWindowBase::GetClientHeight() const
{
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    return r.bottom - r.top;
}

void CWindowBase::SetSize(int width, int height)
{
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

bool CWindowBase::SetClientSize(int width, int height)
{
    if (!m_hWnd || !IsWindow(m_hWnd) || width < 0 || height < 0) {
        return false;
    }
    // Measured rather than worked out from the styles: a menu bar wraps to more rows as the
    // window narrows, so a second round corrects the first.
    for (int round = 0; round < 3; ++round) {
        RECT outer = {};
        RECT client = {};
        GetWindowRect(m_hWnd, &outer);
        GetClientRect(m_hWnd, &client);
        if (client.right == width && client.bottom == height) {
            return true;
        }
        if (round == 2) {
            break;
        }
        SetWindowPos(m_hWnd, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
                     height + (outer.bottom - outer.top) - client.bottom, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    return false;
}

void CWindowBase::SetPos(int x, int y)
{
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

bool CWindowBase::Move(int x, int y, int width, int height)
{
    return m_hWnd && IsWindow(m_hWnd) &&
           SetWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The window's top-left corner in the coordinates SetWindowPos takes for it.
POINT PositionAsPlaced(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    POINT corner = {r.left, r.top};
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), &corner, 1);
    }
    return corner;
}

}  // namespace

int CWindowBase::GetX() const
{
    return PositionAsPlaced(m_hWnd).x;
}

int CWindowBase::GetY() const
{
    return PositionAsPlaced(m_hWnd).y;
}

void CWindowBase::SetWindowStyle(DWORD style)
{
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CWindowBase::SetWindowExStyle(DWORD exStyle)
{
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

DWORD CWindowBase::GetWindowStyle() const
{
    return m_hWnd ? static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)) : 0;
}

DWORD CWindowBase::GetWindowExStyle() const
{
    return m_hWnd ? static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)) : 0;
}

void CWindowBase::Show(bool visible)
{
    if (m_hWnd) {
        ShowWindow(m_hWnd, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void CWindowBase::Close()
{
    if (m_hWnd) {
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
}

bool CWindowBase::Focus()
{
    if (!m_hWnd) {
        return false;
    }
    SetFocus(m_hWnd);
    return GetFocus() == m_hWnd;
}

void CWindowBase::SetWndProc(WNDPROC procedure)
{
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

void CWindowBase::Invalidate(HWND hwnd, int erase)
{
    InvalidateRect(hwnd, nullptr, erase);
}

void CWindowBase::Alpha(unsigned char alpha, DWORD keyColor)
{
    LONG_PTR exStyle = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    SetLayeredWindowAttributes(m_hWnd, keyColor, alpha, LWA_ALPHA);
}

void CWindowBase::SetIconImage(const wchar_t* path)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE));
    HANDLE icon = LoadImageW(instance, path, IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
    // A file that does not load leaves the current icon rather than none at all.
    if (!icon) {
        return;
    }
    // The class keeps the icon for every window of the class, so it is never destroyed.
    SetClassLongPtrW(m_hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void CWindowBase::SetCursorImage(const wchar_t* path)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE));
    HANDLE cursor = LoadImageW(instance, path, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
    if (!cursor) {
        return;
    }
    SetClassLongPtrW(m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    SetCursor(static_cast<HCURSOR>(cursor));
}

int CWindowBase::CreateResourceID()
{
    // WM_COMMAND carries the identifier in 16 bits: past 65535 the counter starts again
    // at 32769 rather than hand out identifiers that arrive as IDOK, IDCANCEL, ...
    int last = m_CounterID.load(std::memory_order_relaxed);
    int next = 0;
    do {
        next = last >= 0xFFFF ? 0x8001 : last + 1;
    } while (!m_CounterID.compare_exchange_weak(last, next, std::memory_order_relaxed));
    return next;
}

}  // namespace tsumiki
