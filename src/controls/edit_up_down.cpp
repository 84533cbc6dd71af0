#include "tsumiki/controls.h"

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

bool CEditUpDown::Create(HWND, int, int, int, int, const wchar_t*)
{
    return true;
}

}  // namespace tsumiki
