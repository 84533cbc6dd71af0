// What every loop of the library does with a message it has taken from the queue.
#pragma once

#include <windows.h>

namespace tsumiki {
namespace detail {

// Translates and dispatches the message. False when the loop must end: the message was
// WM_QUIT, or a handler threw and its exception is kept for the caller.
bool HandleTakenMessage(const MSG& message);

}  // namespace detail
}  // namespace tsumiki
