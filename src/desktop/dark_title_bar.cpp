// A window's title bar drawn dark.
#include "tsumiki/window.h"

#include <dwmapi.h>

namespace tsumiki {

namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE since Windows 10 20H1; earlier builds of Windows 10
// knew the same switch under the number before it.
constexpr DWORD kDarkTitleBar = 20;
constexpr DWORD kDarkTitleBarBefore20H1 = 19;

}  // namespace

void CWindowBase::UseDarkTitleBar(bool on)
{
    if (!m_hWnd || !IsWindow(m_hWnd)) {
        return;
    }
    BOOL dark = on ? TRUE : FALSE;
    if (FAILED(DwmSetWindowAttribute(m_hWnd, kDarkTitleBar, &dark, sizeof(dark)))) {
        DwmSetWindowAttribute(m_hWnd, kDarkTitleBarBefore20H1, &dark, sizeof(dark));
    }
    // The frame keeps its colour until it is drawn again.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace tsumiki
