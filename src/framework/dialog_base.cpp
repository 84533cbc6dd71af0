#include "tsumiki/framework.h"

#include "framework/dialog_template.h"
#include "framework/shared_dispatch.h"

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

bool CDialogBase::CreateDiag(const wchar_t* title, int width, int height, int x, int y,
                             bool modal, HWND parent)
{
    if (IsWindow(m_hWnd)) {
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
    m_pThis = this;
    bool made = false;
    if (modal) {
        // Runs the dialog's own modal loop; -1 means the dialog was never made.
        made = DialogBoxIndirectParamW(instance, dialogTemplate, parent, procedure, 0) != -1;
    } else {
        m_hWnd = CreateDialogIndirectParamW(instance, dialogTemplate, parent, procedure, 0);
        made = m_hWnd != nullptr;
    }
    // A refused dialog never saw WM_INITDIALOG: left pending, this object would be attached
    // to the next dialog or frame window made anywhere.
    if (m_pThis == this) {
        m_pThis = nullptr;
    }
    return made;
}

HWND CDialogBase::GetParentWndHandle()
{
    return m_hParent;
}

void CDialogBase::SetInit(HWND hwnd)
{
    SetWindowPos(hwnd, nullptr, m_X, m_Y, m_Width, m_Height, SWP_NOZORDER);
}

LRESULT CALLBACK CDialogBase::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        return OnInitDialog(hwnd, reinterpret_cast<HWND>(wParam), lParam);
    }
    LRESULT result = 0;
    // Whatever else arrives is left to the dialog manager's default processing (0).
    DispatchSharedMessage(*this, hwnd, message, wParam, lParam, result);
    return result;
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
