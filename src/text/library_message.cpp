#include "text/library_message.h"

#include "tsumiki/framework.h"

#include <mutex>

namespace tsumiki {

namespace {

// One setting for the process; windows on several threads may report at once, so the
// handler and its argument are read together under the lock.
struct Route {
    LibraryMessageHandler handler = nullptr;
    void* argument = nullptr;
};
std::mutex g_Lock;
Route g_Route;

}  // namespace

void SetLibraryMessageHandler(LibraryMessageHandler handler, void* argument)
{
    std::lock_guard<std::mutex> hold(g_Lock);
    g_Route = {handler, handler ? argument : nullptr};
}

namespace detail {

void ShowLibraryMessage(const wchar_t* text, const wchar_t* caption)
{
    Route route;
    {
        std::lock_guard<std::mutex> hold(g_Lock);
        route = g_Route;
    }
    // Called outside the lock: the handler may set a new route itself.
    if (route.handler) {
        route.handler(text ? text : L"", caption ? caption : L"", route.argument);
        return;
    }
    MessageBoxW(nullptr, text, caption, MB_OK);
}

}  // namespace detail

}  // namespace tsumiki
