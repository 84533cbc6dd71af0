// The default push button of a window: the one Enter presses, drawn with the heavier border
// (BS_DEFPUSHBUTTON). A dialog's is kept by the dialog manager (DM_SETDEFID); a frame
// window's by the library, which makes the window answer DM_GETDEFID and DM_SETDEFID as a
// dialog does, so that the platform's dialog manager, where it reads the window's keys,
// sends Enter there too. Windows the library made the default button for are marked, and
// loops that read no dialog keys for them press it on Enter.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Makes the button its parent's default push button, or (on false) no longer the default.
void SetDefaultButton(HWND button, bool on);
// Enter on a window that has a default button of the library's (or on one of its
// controls), for loops where nothing else took the key: presses the focused push button or
// the default one, unless the focused control keeps Enter. True when the key was used.
bool TranslateDefaultButtonKey(const MSG& message);

}  // namespace detail

}  // namespace tsumiki
