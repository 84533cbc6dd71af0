// The DPI a window's pixels are at, as the library's layout and fonts take it.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// What CWindowBase::GetDpi answers for the window (null: the system's).
int WindowDpi(HWND window);

}  // namespace detail

}  // namespace tsumiki
