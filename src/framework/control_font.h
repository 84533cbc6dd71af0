// The font the client named for the controls the library creates (SetControlFont).
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Null while the client has named none: controls then keep the system font.
HFONT ControlFont();

}  // namespace detail

}  // namespace tsumiki
