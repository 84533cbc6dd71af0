// What a window object does with the desktop's messages its class does not override. Kept
// apart from the features themselves: every window object's virtual table names these, so
// a program linked with the static library takes in only this file for them.
#include "tsumiki/window.h"

namespace tsumiki {

void CWindowBase::OnDropFiles(HWND, const std::vector<std::wstring>&, int, int) {}

void CWindowBase::OnTrayIcon(HWND, UINT, int, int) {}

}  // namespace tsumiki
