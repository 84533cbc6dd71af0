// The font the client named for the controls the library creates (SetControlFont).
#pragma once

#include <windows.h>

namespace tsumiki_detail {

// Null while the client has named none: controls then keep the system font.
HFONT ControlFont();

}  // namespace tsumiki_detail
