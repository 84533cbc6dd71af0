// The inline half of the message loops: the client's idle or frame function is called
// through a catch compiled into the client's module, and a kept exception is rethrown
// there (README.md, "Exceptions thrown by handlers"). Included at the end of loop.h; not
// for direct use.
#pragma once

namespace tsumiki {

namespace detail {

// The loop behind MessageLoop: returns at WM_QUIT, or as soon as an exception is kept.
TSUMIKI_API void RunMessageLoop(void (*idle)(void*), void* idleArgument, HWND focusWindow);
// The loop behind GameLoop: returns at WM_QUIT, or as soon as an exception is kept.
TSUMIKI_API void RunGameLoop(HWND window, int framesPerSecond, void (*frame)(void*),
                             void* argument);

// The client's idle function, called through a catch of the client's own.
struct IdleCall {
    void (*idle)(void*);
    void* argument;
};

// Calls an IdleCall's function; what it throws is kept.
inline void CallIdleCatching(void* call) noexcept
{
    auto* idleCall = static_cast<IdleCall*>(call);
    try {
        idleCall->idle(idleCall->argument);
    } catch (...) {
        KeepCurrentException();
    }
}

}  // namespace detail

inline void MessageLoop(void (*idle)(void*), void* idleArgument, HWND focusWindow)
{
    detail::IdleCall call = {idle, idleArgument};
    detail::RunMessageLoop(idle ? &detail::CallIdleCatching : nullptr, &call, focusWindow);
    detail::RethrowKeptException();
}

inline void GameLoop(HWND window, int framesPerSecond, void (*frame)(void*), void* argument)
{
    detail::IdleCall call = {frame, argument};
    detail::RunGameLoop(window, framesPerSecond, frame ? &detail::CallIdleCatching : nullptr,
                        &call);
    detail::RethrowKeptException();
}

}  // namespace tsumiki
