#include "support/handle_reuse.h"

#include <vector>

namespace {

WORD Slot(const void* handle)
{
    return LOWORD(reinterpret_cast<ULONG_PTR>(handle));
}

WORD Generation(const void* handle)
{
    return HIWORD(reinterpret_cast<ULONG_PTR>(handle));
}

}  // namespace

bool ArrangeReuseOf(const void* dead)
{
    std::vector<HMENU> others;
    HMENU slot = nullptr;
    for (int i = 0; i < 64 && !slot; ++i) {
        HMENU menu = CreateMenu();
        if (Slot(menu) == Slot(dead)) {
            slot = menu;
        } else {
            others.push_back(menu);
        }
    }
    for (HMENU menu : others) {
        DestroyMenu(menu);
    }
    // The generation wraps from 0xFFFE to 1.
    WORD before = Generation(dead) == 1 ? 0xFFFE : static_cast<WORD>(Generation(dead) - 1);
    for (int i = 0; slot && Generation(slot) != before && i < 70000; ++i) {
        DestroyMenu(slot);
        slot = CreateMenu();
        if (Slot(slot) != Slot(dead)) {
            DestroyMenu(slot);
            return false;
        }
    }
    bool arranged = slot && Generation(slot) == before;
    DestroyMenu(slot);
    return arranged;
}
