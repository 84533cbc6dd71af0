#include "tsumiki/controls.h"

namespace tsumiki {

bool CGroupBox::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    return CreateControl(parent, x, y, width, height, text, L"Button",
                         WS_CHILD | WS_VISIBLE | BS_GROUPBOX);
}

}  // namespace tsumiki
