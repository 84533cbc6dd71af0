// The frame-window class "BASIC_WINDOW": registered when tsumiki.dll loads, or, in the
// static library, by the first window creation.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Registers "BASIC_WINDOW" unless it is registered already (the static library unregisters
// it at exit). Safe from any thread.
void EnsureFrameWindowClass();
// The module "BASIC_WINDOW" is registered in, which CreateWnd names for that class: the
// executable's with tsumiki.dll; with the static library, the module it is linked into, so
// that a DLL built on it and the executable each have a class with their own procedure.
HINSTANCE FrameWindowModule();

}  // namespace detail

}  // namespace tsumiki
