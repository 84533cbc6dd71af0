// The library's pre-translation of the messages a loop takes from the queue.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Called by a message loop for each message before TranslateMessage and DispatchMessageW:
// menu shortcuts of the window's bar first, then the standard keys of windows that turned
// them on, then Enter for a window's default push button. True when the message was consumed: the loop must then neither translate nor
// dispatch it. Costs a comparison or two for anything but a key.
bool TranslateLibraryKeys(MSG& message);

}  // namespace detail

}  // namespace tsumiki
