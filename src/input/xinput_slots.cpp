#include "input/xinput_slots.h"

#include <atomic>
#include <initializer_list>

namespace tsumiki {
namespace detail {

namespace {

using GetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
using SetState = DWORD(WINAPI*)(DWORD, XINPUT_VIBRATION*);

struct XInput {
    GetState get = nullptr;
    SetState set = nullptr;
};

template <typename Function>
Function Find(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The newest XInput the system has. Loaded once and kept for the life of the process, so
// that the functions stay valid on every thread.
const XInput& Functions()
{
    static const XInput functions = [] {
        XInput found;
        for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
            HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
                // A system without the safe search flags.
                module = LoadLibraryW(name);
            }
            if (module) {
                found.get = Find<GetState>(module, "XInputGetState");
                found.set = Find<SetState>(module, "XInputSetState");
                if (found.get) {
                    break;
                }
                FreeLibrary(module);
            }
        }
        return found;
    }();
    return functions;
}

constexpr ULONGLONG kEmptySlotPause = 2000;

// Per slot, the tick count until which it is known to be empty (0: ask it).
std::atomic<ULONGLONG> s_EmptyUntil[kPadSlots] = {};

}  // namespace

bool ReadPadSlot(int slot, XINPUT_STATE& state)
{
    if (slot < 0 || slot >= kPadSlots) {
        return false;
    }
    const ULONGLONG now = GetTickCount64();
    if (now < s_EmptyUntil[slot].load(std::memory_order_relaxed)) {
        return false;
    }
    const XInput& xinput = Functions();
    if (xinput.get && xinput.get(static_cast<DWORD>(slot), &state) == ERROR_SUCCESS) {
        s_EmptyUntil[slot].store(0, std::memory_order_relaxed);
        return true;
    }
    s_EmptyUntil[slot].store(now + kEmptySlotPause, std::memory_order_relaxed);
    return false;
}

bool SetPadMotors(int slot, WORD left, WORD right)
{
    const XInput& xinput = Functions();
    XINPUT_VIBRATION motors = {left, right};
    return slot >= 0 && slot < kPadSlots && xinput.set && xinput.set(static_cast<DWORD>(slot), &motors) == ERROR_SUCCESS;
}

}  // namespace detail
}  // namespace tsumiki
