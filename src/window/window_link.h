// The link from a window to the object it is attached to: the window's GWLP_USERDATA.
// Reading it is a noticeable part of every message's cost under some platforms, so the
// last window looked up on each thread is remembered until any link changes.
// Every link is also recorded under its object, so that an object can cut every link to
// itself: a window left linked to a dead object would send its next message to freed memory.
#pragma once

#include "tsumiki/framework.h"

#include <winternl.h>

#include <atomic>

namespace tsumiki {

namespace window_link {

// The remembered lookup of each thread lives in three TLS slots rather than in a
// thread_local: MinGW emulates thread_local through a runtime call that costs about as much
// as the rest of the library's dispatch together, and every message pays for it. The slots
// are read straight from the thread's TEB, which holds the first 64: TlsGetValue is a call
// into the system that also clears the last error, which the sender of a message may still
// read. With a slot of 64 or above nothing is remembered.
struct LookupSlots {
    DWORD window;
    DWORD object;
    DWORD generation;
};
// Read on every message, so kept together in one cache line.
struct alignas(64) LookupState {
    // Set once the slots are taken and all three are below 64.
    std::atomic<bool> ready;
    LookupSlots slots;
    // Bumped by every change of any link, from any thread: a remembered lookup is trusted
    // only while no link has changed since it was made.
    std::atomic<unsigned> generation;
};
// Constant-initialised, so a window made by a static constructor before this room's
// statics is still served.
extern LookupState g_Lookup;

inline void* ReadTebSlot(DWORD slot)
{
    TEB* teb = nullptr;
#if defined(_WIN64)
    asm("movq %%gs:0x30, %0" : "=r"(teb));
#else
    asm("movl %%fs:0x18, %0" : "=r"(teb));
#endif
    return teb->TlsSlots[slot];
}

// Find's path for a window not remembered (or no slots); remembers it.
CWindowBase* FindAndRemember(HWND window);

// The object attached to the window, or null. Inline: the remembered case is most of the
// cost of reaching a window's object on every message.
inline CWindowBase* Find(HWND window)
{
    if (__builtin_expect(g_Lookup.ready.load(std::memory_order_acquire) && window &&
                             ReadTebSlot(g_Lookup.slots.window) == window &&
                             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(
                                 ReadTebSlot(g_Lookup.slots.generation))) ==
                                 g_Lookup.generation.load(std::memory_order_acquire),
                         1)) {
        return static_cast<CWindowBase*>(ReadTebSlot(g_Lookup.slots.object));
    }
    return FindAndRemember(window);
}
// Frees the TLS slots of the remembered lookups; for the library's unload only.
void ReleaseLookupSlots();
// Links a frame window or dialog to its object. The object serves one such window: the
// windows linked to it before are unlinked first.
void Attach(HWND window, CWindowBase* object);
// Links a subclassed control to an object (moving it from the object it had);
// unlink(control) undoes the subclassing when that object dies first.
void AttachControl(HWND control, CWindowBase* object, void (*unlink)(HWND control));
// Clears the window's link (its messages then reach no object) and its record.
void Detach(HWND window);
// Unlinks every window still linked to the object; a dying object calls it.
void DetachAll(const CWindowBase* object);

// The creation hand-over: the object whose window the calling thread is creating right
// now, taken by that window's first WM_CREATE or WM_INITDIALOG. One per thread, so that
// threads creating windows at the same moment never take each other's objects.
void Expect(CWindowBase* object, bool modalDialog = false);
// Takes the calling thread's waiting object (null when none waits).
CWindowBase* TakeExpected(bool* modalDialog);
// Empties the hand-over if the object still waits in it (its creation never reached it).
void Forget(CWindowBase* object);

}  // namespace window_link

}  // namespace tsumiki
