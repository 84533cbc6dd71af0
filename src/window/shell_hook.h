// The hook through which the desktop features see the shell's notices to top-level windows
// (a changed setting, a restarted taskbar): the window objects pass them on without knowing
// what they mean.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Receives a notice as the window got it, on the window's thread.
using ShellMessageHandler = void (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Installs the handler every window object's notices go to (null: none). Safe from any thread.
void SetShellMessageHandler(ShellMessageHandler handler);

}  // namespace detail

}  // namespace tsumiki
