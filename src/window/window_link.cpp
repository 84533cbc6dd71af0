#include "window/window_link.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tsumiki {

namespace {

// Takes the slots, once; made by the first lookup, not at load: a static of a program
// linked with the static library may create a window before this file's statics are made.
void TakeLookupSlots()
{
    static const bool taken = [] {
        window_link::LookupSlots slots = {TlsAlloc(), TlsAlloc(), TlsAlloc()};
        window_link::g_Lookup.slots = slots;
#if defined(TSUMIKI_STATIC)
        // tsumiki.dll frees them at its unload; the static library at the exit, which in a
        // DLL built on it is that DLL's unload (the slots would leak at every load).
        std::atexit(window_link::ReleaseLookupSlots);
#endif
        window_link::g_Lookup.ready.store(slots.window < 64 && slots.object < 64 && slots.generation < 64,
                                         std::memory_order_release);
        return true;
    }();
    (void)taken;
}

struct HandOver {
    CWindowBase* object = nullptr;
    bool modalDialog = false;
};

thread_local HandOver t_HandOver;

void SetLink(HWND window, CWindowBase* object)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    window_link::g_Lookup.generation.fetch_add(1, std::memory_order_release);
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

LookupState g_Lookup = {{false}, {TLS_OUT_OF_INDEXES, TLS_OUT_OF_INDEXES, TLS_OUT_OF_INDEXES}, {0}};

CWindowBase* FindAndRemember(HWND window)
{
    unsigned generation = g_Lookup.generation.load(std::memory_order_acquire);
    TakeLookupSlots();
    auto* object = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object && g_Lookup.ready.load(std::memory_order_acquire)) {
        TlsSetValue(g_Lookup.slots.window, window);
        TlsSetValue(g_Lookup.slots.object, object);
        TlsSetValue(g_Lookup.slots.generation, reinterpret_cast<void*>(static_cast<UINT_PTR>(generation)));
    }
    return object;
}

void ReleaseLookupSlots()
{
    // Freed slots, whatever their number: a failed TlsAlloc gave TLS_OUT_OF_INDEXES, which
    // TlsFree refuses.
    g_Lookup.ready.store(false, std::memory_order_release);
    for (DWORD slot : {g_Lookup.slots.window, g_Lookup.slots.object, g_Lookup.slots.generation}) {
        if (slot != TLS_OUT_OF_INDEXES) {
            TlsFree(slot);
        }
    }
    g_Lookup.slots = {TLS_OUT_OF_INDEXES, TLS_OUT_OF_INDEXES, TLS_OUT_OF_INDEXES};
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
