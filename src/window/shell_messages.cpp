// What the shell hands a window object: dropped files, the tray icon's callback message,
// and notices passed on to the desktop features.
#include "window/shell_hook.h"

#include "tsumiki/window.h"

#include <shellapi.h>

#include <atomic>
#include <new>

namespace tsumiki {

namespace {

std::atomic<detail::ShellMessageHandler> g_ShellHandler{nullptr};

}  // namespace

void detail::SetShellMessageHandler(ShellMessageHandler handler)
{
    g_ShellHandler.store(handler);
}

void detail::NoteShellMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (ShellMessageHandler handler = g_ShellHandler.load()) {
        handler(hwnd, message, wParam, lParam);
    }
}

UINT detail::TrayIconMessage() noexcept
{
    static const UINT message = RegisterWindowMessageW(L"tsumiki.TrayIconCallback");
    return message;
}

void detail::TakeDroppedFiles(HWND hwnd, WPARAM drop, std::vector<std::wstring>& paths,
                              POINT& point) noexcept
{
    auto handle = reinterpret_cast<HDROP>(drop);
    point = {};
    if (!handle) {
        return;
    }
    if (!DragQueryPoint(handle, &point)) {
        // Dropped on the frame: the shell gives that point in screen coordinates.
        ScreenToClient(hwnd, &point);
    }
    try {
        UINT count = DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0);
        paths.reserve(count);
        for (UINT i = 0; i < count; ++i) {
            // Asked for its length first: a path may be longer than MAX_PATH.
            UINT length = DragQueryFileW(handle, i, nullptr, 0);
            std::wstring path(length + 1, L'\0');
            path.resize(DragQueryFileW(handle, i, &path[0], length + 1));
            paths.push_back(std::move(path));
        }
    } catch (const std::bad_alloc&) {
        // Half a list would be taken for the whole drop.
        paths.clear();
    }
    DragFinish(handle);
}

}  // namespace tsumiki
