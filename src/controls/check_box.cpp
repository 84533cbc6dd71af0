#include "tsumiki/controls.h"

#include "controls/button_styles.h"

namespace tsumiki {

bool CCheckBox::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    // BS_CHECKBOX, not BS_AUTOCHECKBOX: the parent decides, through ToggleCheck; unless the
    // program asked for the platform's usual check box.
    const DWORD type = detail::StandardButtonStyles() ? BS_AUTOCHECKBOX : BS_CHECKBOX | BS_LEFTTEXT;
    return CreateControl(parent, x, y, width, height, text, L"Button", WS_CHILD | WS_VISIBLE | type);
}

void CCheckBox::SetCheck(bool check)
{
    SendMessageW(m_hWnd, BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CCheckBox::IsCheck() const
{
    return SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CCheckBox::ToggleCheck(HWND control)
{
    if (control != m_hWnd) {
        return;
    }
    // An indeterminate box counts as unchecked and becomes checked.
    SetCheck(!IsCheck());
}

}  // namespace tsumiki
