// A frame window made to cover its monitor and given back its frame.
#include "tsumiki/framework.h"

namespace tsumiki {

namespace {

constexpr LONG_PTR kFrameStyles = WS_CAPTION | WS_THICKFRAME;
constexpr LONG_PTR kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

}  // namespace

bool CWindowBase::SetFullScreen(bool on)
{
    HWND window = m_hWnd;
    if (!window || !IsWindow(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
        return false;
    }
    if (on == IsFullScreen()) {
        return true;
    }
    if (!on) {
        const WindowedFrame& saved = m_Windowed;
        SetWindowLongPtrW(window, GWL_STYLE, saved.style);
        SetWindowLongPtrW(window, GWL_EXSTYLE, saved.exStyle);
        // The placement holds the position and size, and whether the window was maximised.
        // A window still maximised would keep the screen's rectangle: it is restored first
        // and maximised again, so that it gets its maximised frame back.
        WINDOWPLACEMENT placement = saved.placement;
        const bool maximised = placement.showCmd == SW_SHOWMAXIMIZED;
        if (maximised) {
            placement.showCmd = SW_SHOWNORMAL;
        }
        SetWindowPlacement(window, &placement);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        if (maximised) {
            ShowWindow(window, SW_MAXIMIZE);
        }
        m_Windowed.window = nullptr;
        return true;
    }
    WindowedFrame saved = {};
    saved.placement.length = sizeof(saved.placement);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetWindowPlacement(window, &saved.placement) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return false;
    }
    saved.window = window;
    saved.style = GetWindowLongPtrW(window, GWL_STYLE);
    saved.exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    m_Windowed = saved;
    SetWindowLongPtrW(window, GWL_STYLE, saved.style & ~kFrameStyles);
    SetWindowLongPtrW(window, GWL_EXSTYLE, saved.exStyle & ~kFrameExStyles);
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    return true;
}

bool CWindowBase::IsFullScreen() const
{
    return m_hWnd && m_Windowed.window == m_hWnd && IsWindow(m_hWnd);
}

}  // namespace tsumiki
