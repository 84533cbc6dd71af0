// The hook through which the library theme colours what the rooms below it make: the
// window objects ask it for their controls' colours, the control creation shows it each
// new control. Installed by the theme's code; without it everything keeps the platform's look.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Answers a WM_CTLCOLOR... message (sets the dc's colours, gives the brush), or gives null
// where the platform's answer stands.
using ThemeColourAnswer = HBRUSH (*)(UINT message, HDC dc, HWND control);
// Gives a control the library made the theme's look.
using ThemeControlStyler = void (*)(HWND control);

// Installs both (null: none). Safe from any thread.
void SetThemeHook(ThemeColourAnswer colours, ThemeControlStyler styler);
// Shows the theme a control the library has just made.
void ThemeNewControl(HWND control);

}  // namespace detail

}  // namespace tsumiki
