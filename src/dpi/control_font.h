// The font the client named for the controls the library creates (SetControlFont,
// SetControlFontFace).
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Null while the client has named none by handle: controls then keep the system font.
HFONT ControlFont();
// Gives a control the font the client named last: by face (made at the control's DPI) or
// by handle; nothing when the client named none.
void GiveControlFont(HWND control);
// Gives a dialog the font the client named by face, if any.
void GiveDialogFont(HWND dialog);
// Gives one control an owned font of this face and size at its DPI; false, changing
// nothing, for a face or size SetControlFontFace refuses.
bool GiveControlFontFace(HWND control, const wchar_t* face, int points);

}  // namespace detail

}  // namespace tsumiki
