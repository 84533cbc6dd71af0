// Reading a WM_NOTIFY safely: lParam is dereferenced only once wParam names the control.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// The notification header when the message is WM_NOTIFY from `control` with `code`; null
// otherwise. A WM_NOTIFY whose wParam names another control is not read at all, since its
// lParam may be anything.
inline const NMHDR* NotificationFrom(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT code)
{
    if (!control || message != WM_NOTIFY || wParam != static_cast<WPARAM>(GetDlgCtrlID(control))) {
        return nullptr;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    return header && header->code == code ? header : nullptr;
}

}  // namespace detail

}  // namespace tsumiki
