#include "tsumiki/framework.h"

#include "dpi/control_font.h"
#include "window/handler_exceptions.h"
#include "keyboard/standard_keys.h"
#include "window/theme_hook.h"
#include "window/window_link.h"

namespace tsumiki {

namespace {

CControlBase* LinkedObject(HWND control)
{
    return reinterpret_cast<CControlBase*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

WNDPROC CurrentProcedure(HWND control)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
}

// The procedure the control had before the library subclassed it, kept on the control
// itself: once something else has subclassed the control on top of the library, the
// library's procedure stays in the chain after its wrapper is gone, and must still be able
// to pass every message on. Present exactly while ControlProcManager is in the chain.
const wchar_t kOwnProcedure[] = L"tsumiki.ControlOwnProcedure";

WNDPROC OwnProcedure(HWND control)
{
    return reinterpret_cast<WNDPROC>(reinterpret_cast<INT_PTR>(GetPropW(control, kOwnProcedure)));
}

void KeepOwnProcedure(HWND control, WNDPROC own)
{
    SetPropW(control, kOwnProcedure, reinterpret_cast<HANDLE>(reinterpret_cast<INT_PTR>(own)));
}

// Undoes the subclassing of a control whose wrapper dies first. Under a later subclass
// the procedure cannot be taken out of the chain without cutting the later one off: it
// stays, and passes everything to the kept procedure.
void GiveBackOwnProcedure(HWND control)
{
    window_link::Detach(control);
    if (CurrentProcedure(control) == CControlBase::ControlProcManager) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OwnProcedure(control)));
        RemovePropW(control, kOwnProcedure);
    }
}

}  // namespace

CControlBase::CControlBase() = default;

CControlBase::CControlBase(const CControlBase& other) = default;

CControlBase& CControlBase::operator=(const CControlBase& other) = default;

CControlBase::~CControlBase()
{
    // Every control still subclassed to this object, not only its own.
    window_link::DetachAll(this);
}

bool CControlBase::SetFontFace(const wchar_t* face, int points)
{
    return m_hWnd && IsWindow(m_hWnd) && detail::GiveControlFontFace(m_hWnd, face, points);
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
    if (!CreateWnd(text ? text : L"", width, height, x, y, parent,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), className, style, exStyle)) {
        return false;
    }
    detail::GiveControlFont(m_hWnd);
    // A font the library owns watches the control through a subclass of its own: messages
    // passed on go through it, so that the font is let go when the control dies.
    m_DefWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    detail::StandardKeysControlCreated(m_hWnd);
    detail::ThemeNewControl(m_hWnd);
    return true;
}

void CControlBase::ChangeProc(CControlBase* object)
{
    if (!object || !m_hWnd || !IsWindow(m_hWnd)) {
        return;
    }
    // Already subclassed (directly or under someone else's subclass): saving the current
    // procedure would make the chain lead back to the manager without end, so the
    // procedure kept by the first call stays and only the link moves.
    WNDPROC own = OwnProcedure(m_hWnd);
    bool inChain = own != nullptr;
    if (!inChain) {
        own = CurrentProcedure(m_hWnd);
        KeepOwnProcedure(m_hWnd, own);
    }
    m_DefWndProc = own;
    // The linked object passes the messages on, so it needs the procedure to pass them to.
    object->m_DefWndProc = own;
    window_link::AttachControl(m_hWnd, object, &GiveBackOwnProcedure);
    if (!inChain) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcManager));
    }
}

LRESULT CALLBACK CControlBase::ControlProcManager(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam)
{
    CControlBase* object = LinkedObject(hwnd);
    LRESULT result = 0;
    if (object) {
        if (!object->CatchingWndProc(hwnd, message, wParam, lParam, result)) {
            result = handler_exceptions::Recover(hwnd, message);
        }
    } else if (WNDPROC own = OwnProcedure(hwnd)) {
        // The wrapper is gone but a later subclass still calls here: the control works on.
        result = CallWindowProcW(own, hwnd, message, wParam, lParam);
    } else {
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The control's last message: its wrapper may now die without touching it.
        window_link::Detach(hwnd);
        RemovePropW(hwnd, kOwnProcedure);
    }
    return result;
}

}  // namespace tsumiki
