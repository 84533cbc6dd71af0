#include "tsumiki/controls.h"

namespace tsumiki {

bool CButton::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    return CreateControl(parent, x, y, width, height, text, L"Button",
                         WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
}

bool CButton::IsPush(int id) const
{
    // Without a control GetID() is 0, which must not match a command identifier of 0.
    return m_hWnd && id == GetID();
}

}  // namespace tsumiki
