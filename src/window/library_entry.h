// The frame-window class "BASIC_WINDOW": registered when tsumiki.dll loads, or, in the
// static library, by the first window creation.
#pragma once

namespace tsumiki {

namespace detail {

// Registers "BASIC_WINDOW" in the executable's module unless it is registered already
// (the static library unregisters it at exit). Safe from any thread.
void EnsureFrameWindowClass();

}  // namespace detail

}  // namespace tsumiki
