// The standard keys of windows and dialogs (Tab, Shift+Tab, the arrows, Enter, Escape, Alt
// plus a mnemonic), for windows that turned them on with CWindowBase::UseStandardKeys. The
// platform's dialog manager does most of the work; README.md, "Keyboard", says which part
// is the library's own and why.
#pragma once

#include <windows.h>

#include <vector>

namespace tsumiki {

namespace detail {

// Turns the keys on or off for the window (a frame window or a dialog).
void SetStandardKeys(HWND window, bool on);
// Called for every control the library creates: a control made on a window with the keys
// on becomes a tab stop and takes its place in the groups, as the controls made before did.
void StandardKeysControlCreated(HWND control);
// Acts on a key for a window with the keys on; true when the message was consumed (the
// caller must then neither translate nor dispatch it).
bool TranslateStandardKeys(const MSG& message);
// True while TranslateStandardKeys has handed a message to the dialog manager: the
// thread's message filter, which the dialog manager calls, must then let it through.
bool RoutingThroughDialogManager();

// The window with the keys on that a key sent to this window is for: the window itself or
// the nearest of its parents with the keys on; null when none has them.
HWND WindowWithStandardKeys(HWND window);

// Gives the window's controls their tab stops and groups (tab_order.cpp): every control a
// user works with is a tab stop, a run of push buttons is one group, the radio buttons of
// the window are one group with one stop, and every other control is a group of its own.
void ArrangeTabOrder(HWND window);

// What the keys need to know of controls.
bool IsControlClass(HWND window, const wchar_t* systemClassName);
UINT ButtonType(HWND window);
bool IsRadioButton(HWND window);
bool IsPushButton(HWND window);
bool IsUsable(HWND window);
// True for a window of the platform's dialog class.
bool IsDialogWindow(HWND window);
// The radio buttons of one window, in creation order: they form one group, as for the
// platform's own clicks.
std::vector<HWND> RadioGroup(HWND window, bool usableOnly);

}  // namespace detail

}  // namespace tsumiki
