#include "framework/window_link.h"

#include <atomic>

namespace tsumiki {

namespace {

// Bumped by every change of any link, from any thread: a remembered lookup is trusted
// only while no link has changed since it was made.
std::atomic<unsigned> g_LinkGeneration{0};

struct RememberedLookup {
    HWND window = nullptr;
    CWindowBase* object = nullptr;
    unsigned generation = 0;
};

thread_local RememberedLookup t_Last;

struct HandOver {
    CWindowBase* object = nullptr;
    bool modalDialog = false;
};

thread_local HandOver t_HandOver;

void SetLink(HWND window, CWindowBase* object)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    g_LinkGeneration.fetch_add(1, std::memory_order_release);
}

}  // namespace

namespace window_link {

CWindowBase* Find(HWND window)
{
    unsigned generation = g_LinkGeneration.load(std::memory_order_acquire);
    if (t_Last.window == window && t_Last.generation == generation && window) {
        return t_Last.object;
    }
    auto* object = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object) {
        t_Last = {window, object, generation};
    }
    return object;
}

void Attach(HWND window, CWindowBase* object)
{
    SetLink(window, object);
}

void Detach(HWND window)
{
    SetLink(window, nullptr);
}

}  // namespace window_link

namespace window_link {

void Expect(CWindowBase* object, bool modalDialog)
{
    t_HandOver = {object, modalDialog};
}

CWindowBase* TakeExpected(bool* modalDialog)
{
    HandOver taken = t_HandOver;
    t_HandOver = {};
    *modalDialog = taken.modalDialog;
    return taken.object;
}

void Forget(CWindowBase* object)
{
    if (t_HandOver.object == object) {
        t_HandOver = {};
    }
}

}  // namespace window_link

}  // namespace tsumiki
