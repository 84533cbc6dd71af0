// What the library's procedures do when a handler threw: the window is left sound, the
// exception waits (per thread) for MessageLoop or a modal CreateDiag to rethrow it.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace handler_exceptions {

// Makes dialog the thread's innermost modal dialog of the library; returns the one before.
HWND SwapModalDialog(HWND dialog);
// Called after a handler for the message threw: validates a window whose paint threw (or
// WM_PAINT comes back at once), ends the innermost modal dialog so that the rethrow can
// happen, and returns what the platform gets for the message.
LRESULT Recover(HWND hwnd, UINT message);

}  // namespace handler_exceptions

}  // namespace tsumiki
