#include "tsumiki/framework.h"

#include "dpi/control_font.h"
#include "window/dialog_template.h"
#include "window/handler_exceptions.h"
#include "window/window_link.h"

namespace tsumiki {

namespace {

// The window procedure serves as the dialog procedure: a dialog procedure returns a
// pointer-sized integer just as a window procedure does.
DLGPROC ManagerAsDialogProcedure()
{
    return reinterpret_cast<DLGPROC>(&CWindowBase::WndProcManager);
}

}  // namespace

CDialogBase::CDialogBase()
    : m_bModal(false), m_Template(), m_hParent(nullptr), m_Width(0), m_Height(0), m_X(0), m_Y(0)
{
}

CDialogBase::CDialogBase(const CDialogBase& other) = default;

CDialogBase& CDialogBase::operator=(const CDialogBase& other) = default;

CDialogBase::~CDialogBase() = default;

bool CDialogBase::OpenDialog(const wchar_t* title, int width, int height, int x, int y,
                             bool modal, HWND parent)
{
    if (IsWindow(m_hWnd) || (modal && detail::HasKeptException())) {
        return false;
    }
    WriteDialogTemplate(m_Template, title, modal);
    m_X = x;
    m_Y = y;
    m_Width = width;
    m_Height = height;
    m_hParent = parent;
    m_bModal = modal;

    auto dialogTemplate = reinterpret_cast<LPCDLGTEMPLATEW>(m_Template);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    DLGPROC procedure = ManagerAsDialogProcedure();
    window_link::Expect(this, modal);
    bool made = false;
    if (modal) {
        // Runs the dialog's own modal loop; -1 means the dialog was never made. A dialog
        // running inside this one's handlers is the innermost until it ends.
        HWND outer = handler_exceptions::SwapModalDialog(nullptr);
        // The dialog's handle is the object's only while the dialog runs.
        HWND before = m_hWnd;
        made = DialogBoxIndirectParamW(instance, dialogTemplate, parent, procedure, 0) != -1;
        m_hWnd = before;
        handler_exceptions::SwapModalDialog(outer);
    } else {
        m_hWnd = CreateDialogIndirectParamW(instance, dialogTemplate, parent, procedure, 0);
        // A dialog that destroyed itself in OnInitDialog comes back as a dead handle.
        if (m_hWnd && !IsWindow(m_hWnd)) {
            m_hWnd = nullptr;
        }
        made = m_hWnd != nullptr;
    }
    // A refused dialog never saw WM_INITDIALOG: left pending, this object would be attached
    // to the next dialog or frame window made anywhere.
    window_link::Forget(this);
    return made;
}

HWND CDialogBase::GetParentWndHandle()
{
    return m_hParent;
}

void CDialogBase::SetInit(HWND hwnd)
{
    SetWindowPos(hwnd, nullptr, m_X, m_Y, m_Width, m_Height, SWP_NOZORDER);
    detail::GiveDialogFont(hwnd);
}

int CDialogBase::OnInitDialog(HWND, HWND, LPARAM)
{
    return 1;
}

void CDialogBase::OnCommand(HWND, int, HWND, UINT) {}

LRESULT CDialogBase::OnNotify(HWND, int, NMHDR*)
{
    return 1;
}

void CDialogBase::OnCopyData(HWND, HWND, COPYDATASTRUCT*) {}

void CDialogBase::OnHScroll(HWND, HWND, UINT, int) {}

void CDialogBase::OnVScroll(HWND, HWND, UINT, int) {}

void CDialogBase::OnClose(HWND hwnd)
{
    if (m_bModal) {
        EndDialog(hwnd, 0);
    } else {
        DestroyWindow(hwnd);
    }
}

void CDialogBase::OnDestroy(HWND)
{
    if (!m_hParent) {
        PostQuitMessage(0);
    }
}

}  // namespace tsumiki
