// The hook through which the media code answers the media notification a window object
// receives: the window room dispatches it without knowing what media is.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Receives the notification's outcome and device, as CWindowBase::ReplayMedia does.
using MediaNotifyHandler = void (*)(HWND hwnd, WPARAM outcome, LPARAM device);

// Installs the handler every window object's notification goes to (a null one leaves the
// notification unanswered). Safe from any thread.
void SetMediaNotifyHandler(MediaNotifyHandler handler);

}  // namespace detail

}  // namespace tsumiki
