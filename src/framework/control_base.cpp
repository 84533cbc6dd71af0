#include "tsumiki/framework.h"

#include "framework/handler_exceptions.h"

namespace {

CControlBase* LinkedObject(HWND control)
{
    return reinterpret_cast<CControlBase*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

WNDPROC CurrentProcedure(HWND control)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
}

}  // namespace

CControlBase::CControlBase() = default;

CControlBase::CControlBase(const CControlBase& other) = default;

CControlBase& CControlBase::operator=(const CControlBase& other) = default;

CControlBase::~CControlBase()
{
    if (m_hWnd && IsWindow(m_hWnd) && LinkedObject(m_hWnd) == this &&
        CurrentProcedure(m_hWnd) == ControlProcManager) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_DefWndProc));
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    }
}

bool CControlBase::CreateControl(HWND parent, int x, int y, int width, int height,
                                 const wchar_t* text, const wchar_t* className, DWORD style,
                                 DWORD exStyle)
{
    int id = CreateResourceID();
    // Once the counter has wrapped, an identifier a live sibling still carries is skipped:
    // the parent could not tell the two controls' commands apart.
    for (int tries = 0; parent && GetDlgItem(parent, id) && tries < 0x7FFF; ++tries) {
        id = CreateResourceID();
    }
    return CreateWnd(text ? text : L"", width, height, x, y, parent,
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), className, style, exStyle);
}

void CControlBase::ChangeProc(CControlBase* object)
{
    if (!object || !m_hWnd || !IsWindow(m_hWnd)) {
        return;
    }
    WNDPROC current = CurrentProcedure(m_hWnd);
    if (current != ControlProcManager) {
        m_DefWndProc = current;
    } else if (CControlBase* linked = LinkedObject(m_hWnd)) {
        // Already subclassed: saving the manager itself would make it call itself without
        // end, so the procedure saved by the first call is kept.
        m_DefWndProc = linked->m_DefWndProc;
    }
    // The linked object passes the messages on, so it needs the procedure to pass them to.
    object->m_DefWndProc = m_DefWndProc;
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcManager));
}

LRESULT CALLBACK CControlBase::ControlProcManager(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam)
{
    CControlBase* object = LinkedObject(hwnd);
    if (!object) {
        return 0;
    }
    LRESULT result = 0;
    if (!object->CatchingWndProc(hwnd, message, wParam, lParam, result)) {
        result = handler_exceptions::Recover(hwnd, message);
    }
    if (message == WM_NCDESTROY) {
        // The control's last message: its wrapper may now die without touching it.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return result;
}
