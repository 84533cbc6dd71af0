// The standard keys of windows and dialogs (Tab, Shift+Tab, Enter, Escape, Alt plus a
// mnemonic, the arrows in a radio group), for windows that turned them on with
// CWindowBase::UseStandardKeys.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Turns the keys on or off for the window (a frame window or a dialog).
void SetStandardKeys(HWND window, bool on);
// Called for every control the library creates: a control made on a window with the keys
// on becomes a tab stop as the controls made before did.
void StandardKeysControlCreated(HWND control);
// Acts on a key for a window with the keys on; true when the message was consumed.
bool TranslateStandardKeys(const MSG& message);

}  // namespace detail

}  // namespace tsumiki
