// Files dropped on a window from the shell.
#include "tsumiki/window.h"

#include <shellapi.h>

namespace tsumiki {

namespace {

// The message through which the shell hands the dropped files' data to another process.
constexpr UINT kCopyGlobalData = 0x0049;

}  // namespace

void CWindowBase::AcceptFiles(bool on)
{
    if (!m_hWnd || !IsWindow(m_hWnd)) {
        return;
    }
    DragAcceptFiles(m_hWnd, on ? TRUE : FALSE);
    // An elevated program's windows refuse these from Explorer, which runs at a lower
    // integrity level, unless they are let through.
    DWORD action = on ? MSGFLT_ALLOW : MSGFLT_RESET;
    ChangeWindowMessageFilterEx(m_hWnd, WM_DROPFILES, action, nullptr);
    ChangeWindowMessageFilterEx(m_hWnd, kCopyGlobalData, action, nullptr);
}

void CWindowBase::OnDropFiles(HWND, const std::vector<std::wstring>&, int, int) {}

}  // namespace tsumiki
