#include "support/resource_room.h"

#include <vector>

namespace {

// Far above the platform's limits, so a count that reaches it means no limit was found.
const long kCountCap = 200000;

template <typename Handle, typename Make, typename Free>
long CountUntilRefused(Make make, Free free)
{
    std::vector<Handle> made;
    made.reserve(70000);
    while (static_cast<long>(made.size()) < kCountCap) {
        Handle handle = make();
        if (!handle) {
            break;
        }
        made.push_back(handle);
    }
    for (Handle handle : made) {
        free(handle);
    }
    return static_cast<long>(made.size());
}

}  // namespace

size_t CommittedBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region = {};
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) {
            break;
        }
        address = next;
    }
    return total;
}

ResourceRoom MeasureRoom()
{
    ResourceRoom room;
    room.gdi = CountUntilRefused<HRGN>([] { return CreateRectRgn(0, 0, 1, 1); },
                                       [](HRGN region) { DeleteObject(region); });
    room.user = CountUntilRefused<HMENU>([] { return CreateMenu(); },
                                         [](HMENU menu) { DestroyMenu(menu); });
    room.committed = CommittedBytes();
    return room;
}
