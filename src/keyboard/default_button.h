// The default push button follows the focus, as in the platform's dialogs: a push button
// that takes the focus becomes the window's default (Enter presses it), and when the focus
// moves on to another kind of control the window's own default gets it back.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Remembers the window's own default: the push button with BS_DEFPUSHBUTTON among its
// controls now, or, when it has none yet, the first such control made later.
void RememberOwnDefault(HWND window, HWND control = nullptr);
// Forgets it (the keys are turned off or the window dies).
void ForgetOwnDefault(HWND window);
// What the window answers to DM_GETDEFID, given what its own procedure answered: that
// answer when it names one of its controls (a dialog told DM_SETDEFID, a frame window
// that answers itself), else the remembered own default, else the answer unchanged.
LRESULT AnswerDefaultId(HWND window, LRESULT ownAnswer);
// Moves the default after the focus has moved to focus (a control of window).
void FollowFocusWithDefault(HWND window, HWND focus);

}  // namespace detail

}  // namespace tsumiki
