#include "tsumiki/controls.h"

#include "controls/group_box_inside.h"

namespace tsumiki {

bool CGroupBox::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    if (!CreateControl(parent, x, y, width, height, text, L"Button",
                       WS_CHILD | WS_VISIBLE | BS_GROUPBOX)) {
        return false;
    }
    detail::PaintGroupBoxInside(m_hWnd);
    return true;
}

}  // namespace tsumiki
