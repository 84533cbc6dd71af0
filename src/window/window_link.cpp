#include "window/window_link.h"

#include <winternl.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tsumiki {

namespace {

// Bumped by every change of any link, from any thread: a remembered lookup is trusted
// only while no link has changed since it was made.
std::atomic<unsigned> g_LinkGeneration{0};

// The last lookup of each thread, in three of the thread's TLS slots rather than in a
// thread_local: MinGW emulates thread_local through a runtime call that costs about as much
// as the rest of the library's dispatch together, and every message pays for it.
struct LookupSlots {
    DWORD window = TlsAlloc();
    DWORD object = TlsAlloc();
    DWORD generation = TlsAlloc();
    // Without all three slots nothing is remembered: every lookup reads the window.
    bool usable = window != TLS_OUT_OF_INDEXES && object != TLS_OUT_OF_INDEXES &&
                  generation != TLS_OUT_OF_INDEXES;
};

LookupSlots& Slots()
{
    // Made by the first lookup, not at load: a static of a program linked with the static
    // library may create a window before this file's statics are made.
    static LookupSlots slots = [] {
#if defined(TSUMIKI_STATIC)
        // tsumiki.dll frees them at its unload; the static library at the exit, which in a
        // DLL built on it is that DLL's unload (the slots would leak at every load).
        std::atexit(window_link::ReleaseLookupSlots);
#endif
        return LookupSlots();
    }();
    return slots;
}

// TlsGetValue without the call into the system (which also sets the last error): under
// Wine three such calls cost nearly as much as the rest of the dispatch. The first 64 slots
// live in the thread's TEB, laid out as winternl.h declares it; the TEB's own address is
// what NtCurrentTeb reads, done here directly because its intrinsic upsets GCC's bounds
// checking.
void* ReadSlot(DWORD slot)
{
    if (slot >= 64) {
        // TlsGetValue clears the last error, which the sender of a message may still read.
        DWORD error = GetLastError();
        void* value = TlsGetValue(slot);
        SetLastError(error);
        return value;
    }
    TEB* teb = nullptr;
#if defined(_WIN64)
    asm("movq %%gs:0x30, %0" : "=r"(teb));
#else
    asm("movl %%fs:0x18, %0" : "=r"(teb));
#endif
    return teb->TlsSlots[slot];
}

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

struct LinkRecord {
    HWND window;
    void (*unlink)(HWND window);
};

// Which windows link to which object. Windows of any thread are recorded here, and an
// object may die on another thread than its window's, so the records are locked.
struct LinkRecords {
    std::mutex lock;
    std::unordered_multimap<const CWindowBase*, LinkRecord> byObject;
};

LinkRecords& Records()
{
    // Never destroyed: objects that die during the exit (statics of a program linked with
    // the static library) still look here after the library's own statics are gone.
    static LinkRecords* records = new LinkRecords;
    return *records;
}

void EraseRecord(LinkRecords& records, const CWindowBase* object, HWND window)
{
    auto range = records.byObject.equal_range(object);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second.window == window) {
            records.byObject.erase(it);
            return;
        }
    }
}

// Moves the window's link (and its record) to object; null unlinks it.
void Relink(HWND window, CWindowBase* object, void (*unlink)(HWND))
{
    LinkRecords& records = Records();
    std::lock_guard<std::mutex> hold(records.lock);
    auto* before = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (before) {
        EraseRecord(records, before, window);
    }
    SetLink(window, object);
    if (object) {
        records.byObject.emplace(object, LinkRecord{window, unlink});
    }
}

}  // namespace

namespace window_link {

CWindowBase* Find(HWND window)
{
    unsigned generation = g_LinkGeneration.load(std::memory_order_acquire);
    const LookupSlots& slots = Slots();
    if (slots.usable && window && ReadSlot(slots.window) == window &&
        static_cast<unsigned>(reinterpret_cast<UINT_PTR>(ReadSlot(slots.generation))) == generation) {
        return static_cast<CWindowBase*>(ReadSlot(slots.object));
    }
    auto* object = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object && slots.usable) {
        TlsSetValue(slots.window, window);
        TlsSetValue(slots.object, object);
        TlsSetValue(slots.generation, reinterpret_cast<void*>(static_cast<UINT_PTR>(generation)));
    }
    return object;
}

void ReleaseLookupSlots()
{
    LookupSlots& slots = Slots();
    if (slots.usable) {
        slots.usable = false;
        TlsFree(slots.window);
        TlsFree(slots.object);
        TlsFree(slots.generation);
    }
}

void Attach(HWND window, CWindowBase* object)
{
    DetachAll(object);
    Relink(window, object, &Detach);
}

void AttachControl(HWND control, CWindowBase* object, void (*unlink)(HWND control))
{
    Relink(control, object, unlink);
}

void Detach(HWND window)
{
    Relink(window, nullptr, nullptr);
}

void DetachAll(const CWindowBase* object)
{
    std::vector<LinkRecord> linked;
    {
        LinkRecords& records = Records();
        std::lock_guard<std::mutex> hold(records.lock);
        auto range = records.byObject.equal_range(object);
        for (auto it = range.first; it != range.second; ++it) {
            linked.push_back(it->second);
        }
        records.byObject.erase(range.first, range.second);
    }
    for (const LinkRecord& record : linked) {
        // A window destroyed behind the library's back may carry its handle to a new
        // window by now: only a window that still links to the object is touched.
        if (IsWindow(record.window) &&
            GetWindowLongPtrW(record.window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(object)) {
            record.unlink(record.window);
        }
    }
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
