// The message loops: the application's loop with an idle function, and the loop of a
// game that calls a frame function at a steady rate.
//
// Free functions:
//   MessageLoop  the application's message loop with an idle function
//   GameLoop     a message loop that calls a frame function at a steady rate
#pragma once

#include <windows.h>

#include <type_traits>

#include "tsumiki/window.h"

namespace tsumiki {

// Polls the queue without blocking and calls idle(idleArgument) whenever the queue is
// empty; with a focus window, only while it is shown, not minimised and focused.
// Returns when WM_QUIT has been taken from the queue. An exception a handler or the idle
// function threw ends the loop after the dispatch in progress and is rethrown from here.
inline void MessageLoop(void (*idle)(void*) = nullptr, void* idleArgument = nullptr,
                        HWND focusWindow = nullptr);

// The loop of a game: takes every waiting message, then calls frame(argument) once per
// frame period, 1/framesPerSecond of a second, and starts the next frame of the window
// object's m_Input after each call. Between frames the thread sleeps until the next frame
// is due or a message arrives (input is handled at once, and an idle game leaves the
// processor alone), paced by a high-resolution waitable timer and a short final wait on
// the performance counter; where the system refuses high-resolution timers, the timer
// resolution is raised to 1 ms for the time of the loop. Frames keep their schedule
// through small delays; a frame that starts a whole period late (it missed its slot) is
// not repeated to catch up: the next one is due a period after it.
// - window: while it is minimised, hidden or destroyed no frame runs and the loop only
//   waits for messages. A null window is never minimised: frames always run.
// - framesPerSecond: clamped to 1 to 1,000 (0 and negative rates run 1 frame a second).
// - frame: may be null (the loop then only paces m_Input's frames). A frame that destroys
//   the window ends the loop at the WM_QUIT the window posts.
// Returns when WM_QUIT has been taken from the queue. An exception a handler or the frame
// function threw ends the loop after the call in progress and is rethrown from here.
inline void GameLoop(HWND window, int framesPerSecond, void (*frame)(void* argument),
                     void* argument);
// The same with any callable as the frame, a lambda or a member called through one:
//     GameLoop(window.GetWndHandle(), 60, [&] { game.Frame(); });
template <class Frame, class = std::enable_if_t<std::is_invocable_v<Frame&>>>
void GameLoop(HWND window, int framesPerSecond, Frame&& frame)
{
    GameLoop(window, framesPerSecond, [](void* f) { (*static_cast<std::remove_reference_t<Frame>*>(f))(); },
             const_cast<void*>(static_cast<const volatile void*>(&frame)));
}

}  // namespace tsumiki

#include "tsumiki/detail/loop.h"

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::MessageLoop;
using tsumiki::GameLoop;
#endif
