#include "tsumiki/controls.h"

#include <algorithm>
#include <string>

namespace tsumiki {

CEditUpDown::CEditUpDown() : CEdit() {}

bool CEditUpDown::Create(HWND parent, int x, int y, int width, int height, int limit1,
                         int limit2, int pos)
{
    // The edit shows pos as given; the arrows then write it back kept within the limits.
    if (!CEdit::Create(parent, x, y, width, height, std::to_wstring(pos).c_str())) {
        return false;
    }
    // Position and size are the platform's: the arrows align to the edit's right edge.
    return m_UpDown.CreateUpDown(parent, m_hWnd, 0, 0, 0, 0, limit1, limit2, pos);
}

const CUpDown& CEditUpDown::GetUpDown() const
{
    return m_UpDown;
}

void CEditUpDown::SetPos(int pos)
{
    HWND arrows = m_UpDown.GetWndHandle();
    if (!arrows) {
        return;
    }
    // The arrows write the number into the edit themselves (UDS_SETBUDDYINT).
    const int kept = std::max(m_UpDown.GetMin(), std::min(pos, m_UpDown.GetMax()));
    SendMessageW(arrows, UDM_SETPOS32, 0, static_cast<LPARAM>(kept));
}

int CEditUpDown::GetPos() const
{
    HWND arrows = m_UpDown.GetWndHandle();
    if (!arrows) {
        return 0;
    }
    // Reads the edit's text; a text that is no number within the range leaves the
    // arrows' own position, which is what comes back then.
    return static_cast<int>(SendMessageW(arrows, UDM_GETPOS32, 0, 0));
}

void CEditUpDown::Move(int x, int y, int width, int height)
{
    MoveWindow(m_hWnd, x, y, width, height, TRUE);
    // Naming the buddy again places the arrows against its new right edge and narrows it.
    SendMessageW(m_UpDown.GetWndHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

bool CEditUpDown::Create(HWND, int, int, int, int, const wchar_t*)
{
    return true;
}

}  // namespace tsumiki
