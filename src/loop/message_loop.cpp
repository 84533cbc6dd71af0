#include "loop/message_loop.h"

#include "tsumiki/framework.h"

#include "loop/pre_translators.h"

namespace tsumiki {

namespace {

bool IsReadyForIdle(HWND focusWindow)
{
    if (!focusWindow) {
        return true;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(focusWindow, &placement);
    switch (placement.showCmd) {
    case SW_HIDE:
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return false;
    default:
        return GetFocus() == focusWindow;
    }
}

}  // namespace

bool detail::HandleTakenMessage(const MSG& message)
{
    // The library's keys (standard keys, menu shortcuts) come before the platform's.
    if (!PreTranslateMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A kept exception ends the loop so that the caller's inline part can rethrow it.
    return message.message != WM_QUIT && !HasKeptException();
}

void detail::RunMessageLoop(void (*idle)(void*), void* idleArgument, HWND focusWindow)
{
    MSG message = {};
    while (!HasKeptException()) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!HandleTakenMessage(message)) {
                return;
            }
        } else if (idle && IsReadyForIdle(focusWindow)) {
            idle(idleArgument);
        } else {
            // Nothing to run until the next message: sleep instead of spinning a core.
            WaitMessage();
        }
    }
}

}  // namespace tsumiki
