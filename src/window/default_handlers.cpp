// What a window object does with a message its class does not override.
#include "tsumiki/framework.h"

#include "window/form_color.h"

namespace tsumiki {

int CWindowBase::OnCreate(HWND, CREATESTRUCTW*)
{
    return 1;
}

int CWindowBase::OnEraseBkGnd(HWND, HDC)
{
    // The back buffer covers the whole client area, so erasing would only flicker.
    return 1;
}

void CWindowBase::OnPaint(HWND hwnd)
{
    m_Graphics.Clear(m_ClearColor);
    m_Graphics.Present(hwnd);
}

void CWindowBase::OnCommand(HWND, int, HWND, UINT) {}

LRESULT CWindowBase::OnNotify(HWND, int, NMHDR*)
{
    return 0;
}

void CWindowBase::OnSysCommand(HWND hwnd, UINT command, int x, int y)
{
    DefWindowProcW(hwnd, WM_SYSCOMMAND, command, MAKELPARAM(x, y));
}

void CWindowBase::OnActivate(HWND hwnd, UINT, HWND, int)
{
    m_Graphics.CreateBackBuffer(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void CWindowBase::OnSize(HWND hwnd, UINT, int, int)
{
    m_Graphics.CreateBackBuffer(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void CWindowBase::OnTimer(HWND, UINT) {}

void CWindowBase::OnCopyData(HWND, HWND, COPYDATASTRUCT*) {}

void CWindowBase::OnHScroll(HWND, HWND, UINT, int) {}

void CWindowBase::OnVScroll(HWND, HWND, UINT, int) {}

namespace {

// The library theme's colours for the kind of control asking (message), or else the
// platform's static colours.
HBRUSH StaticColors(HWND hwnd, HDC dc, HWND control, UINT message)
{
    if (HBRUSH themed = detail::ThemedColour(message, dc, control)) {
        return themed;
    }
    return reinterpret_cast<HBRUSH>(DefWindowProcW(hwnd, WM_CTLCOLORSTATIC,
                                                   reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(control)));
}

}  // namespace

HBRUSH CWindowBase::OnCtlColorStatic(HWND hwnd, HDC dc, HWND control, int)
{
    // A clear colour the program chose wins over the library theme's colours.
    if (m_ClearBrush) {
        return detail::PaintOnClearColor(dc, m_ClearColor, m_ClearBrush.get());
    }
    return StaticColors(hwnd, dc, control, WM_CTLCOLORSTATIC);
}

HBRUSH CWindowBase::OnCtlColorEdit(HWND hwnd, HDC dc, HWND control, int)
{
    if (HBRUSH themed = detail::ThemedColour(WM_CTLCOLOREDIT, dc, control)) {
        return themed;
    }
    // On a form (a clear colour chosen) an edit to type into stands out in the window
    // colours, as in a dialog. Otherwise edits are coloured as static text, as clients of
    // this library have always seen them.
    if (m_ClearBrush) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    return StaticColors(hwnd, dc, control, WM_CTLCOLOREDIT);
}

void CWindowBase::OnClose(HWND hwnd)
{
    DestroyWindow(hwnd);
}

void CWindowBase::OnDestroy(HWND)
{
    PostQuitMessage(0);
}

void CWindowBase::SetInit(HWND) {}

}  // namespace tsumiki
