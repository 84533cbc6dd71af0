#include "tsumiki/controls.h"

namespace tsumiki {

bool CStatic::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    return CreateControl(parent, x, y, width, height, text, L"Static",
                         WS_CHILD | WS_VISIBLE | SS_LEFT);
}

void CStatic::SetText(const wchar_t* text)
{
    SetWindowTextW(m_hWnd, text ? text : L"");
}

}  // namespace tsumiki
