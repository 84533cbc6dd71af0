// The standard keys of windows and dialogs (Tab, Shift+Tab, Enter, Escape, Alt plus a
// mnemonic, the arrows in a radio group), for windows that turned them on with
// CWindowBase::UseStandardKeys.
#pragma once

#include <windows.h>

#include <vector>

namespace tsumiki {

namespace detail {

// Turns the keys on or off for the window (a frame window or a dialog).
void SetStandardKeys(HWND window, bool on);
// Called for every control the library creates: a control made on a window with the keys
// on becomes a tab stop as the controls made before did.
void StandardKeysControlCreated(HWND control);
// Acts on a key for a window with the keys on; true when the message was consumed.
bool TranslateStandardKeys(const MSG& message);

// The window with the keys on that a key sent to this window is for: the window itself or
// the nearest of its parents with the keys on; null when none has them.
HWND WindowWithStandardKeys(HWND window);

// What the keys need to know of controls.
bool IsControlClass(HWND window, const wchar_t* systemClassName);
UINT ButtonType(HWND window);
bool IsRadioButton(HWND window);
bool IsUsable(HWND window);
// The radio buttons of one window, in creation order: they form one group, as for the
// platform's own clicks.
std::vector<HWND> RadioGroup(HWND window, bool usableOnly);

}  // namespace detail

}  // namespace tsumiki
