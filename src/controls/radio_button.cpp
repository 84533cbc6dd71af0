#include "tsumiki/controls.h"

#include <iterator>

#include "controls/button_styles.h"

namespace tsumiki {

bool CRadioButton::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    // No WS_GROUP: the buttons of one parent form one group for the platform's own clicks.
    const DWORD textSide = detail::StandardButtonStyles() ? 0 : BS_LEFTTEXT;
    if (!CreateControl(parent, x, y, width, height, text, L"Button",
                       WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | textSide)) {
        return false;
    }
    m_GroupMap[parent].push_back(m_hWnd);
    return true;
}

void CRadioButton::SetCheck()
{
    // Common controls 6 also unchecks every automatic radio button of the platform's group
    // when one is checked by message; the library unchecks only the buttons it knows, so
    // the button is checked as a plain radio button, then made automatic again.
    auto style = static_cast<WPARAM>(GetWindowLongPtrW(m_hWnd, GWL_STYLE) & 0xFFFF);
    bool automatic = (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    if (automatic) {
        SendMessageW(m_hWnd, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON, FALSE);
    }
    SendMessageW(m_hWnd, BM_SETCHECK, BST_CHECKED, 0);
    if (automatic) {
        SendMessageW(m_hWnd, BM_SETSTYLE, style, FALSE);
    }
    HWND parent = GetParentWndHandle();
    auto group = m_GroupMap.find(parent);
    if (group == m_GroupMap.end()) {
        return;
    }
    for (HWND button : group->second) {
        // A destroyed button's handle may since name another window: only buttons still
        // under this parent are touched.
        if (button != m_hWnd && IsWindow(button) && GetParent(button) == parent) {
            SendMessageW(button, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

namespace {

// A destroyed button's handle may since name another window: only buttons still under
// their parent count.
bool IsLiveButton(HWND button, HWND parent)
{
    return IsWindow(button) && GetParent(button) == parent;
}

}  // namespace

const std::list<HWND>* CRadioButton::CurrentGroup() const
{
    auto group = m_hWnd ? m_GroupMap.find(GetAncestor(m_hWnd, GA_PARENT)) : m_GroupMap.end();
    return group == m_GroupMap.end() ? nullptr : &group->second;
}

int CRadioButton::GetCheckedIndex() const
{
    const std::list<HWND>* group = CurrentGroup();
    if (!group) {
        return -1;
    }
    const HWND parent = GetAncestor(m_hWnd, GA_PARENT);
    int index = 0;
    for (HWND button : *group) {
        if (IsLiveButton(button, parent) && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            return index;
        }
        ++index;
    }
    return -1;
}

bool CRadioButton::SetCheckedIndex(int index)
{
    const std::list<HWND>* group = CurrentGroup();
    if (!group || index < 0 || static_cast<size_t>(index) >= group->size()) {
        return false;
    }
    const HWND parent = GetAncestor(m_hWnd, GA_PARENT);
    const HWND chosen = *std::next(group->begin(), index);
    if (!IsLiveButton(chosen, parent)) {
        return false;
    }
    for (HWND button : *group) {
        if (IsLiveButton(button, parent)) {
            SendMessageW(button, BM_SETCHECK, button == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return true;
}

HWND CRadioButton::GetButton(int index) const
{
    const std::list<HWND>* group = CurrentGroup();
    if (!group || index < 0 || static_cast<size_t>(index) >= group->size()) {
        return nullptr;
    }
    return *std::next(group->begin(), index);
}

bool CRadioButton::IsCheck() const
{
    return SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace tsumiki
