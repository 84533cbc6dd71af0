#include "layout.h"

namespace {

struct Scaling {
    const CWindowBase* window;
    HWND parent;
};

BOOL CALLBACK ScaleOne(HWND child, LPARAM argument)
{
    const auto* scaling = reinterpret_cast<const Scaling*>(argument);
    if (GetParent(child) != scaling->parent) {
        return TRUE;
    }
    RECT place = {};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, scaling->parent, reinterpret_cast<POINT*>(&place), 2);
    const CWindowBase& window = *scaling->window;
    SetWindowPos(child, nullptr, window.Scale(place.left), window.Scale(place.top),
                 window.Scale(place.right - place.left), window.Scale(place.bottom - place.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

}  // namespace

void ScaleChildLayout(const CWindowBase& window, HWND hwnd)
{
    if (window.GetDpi() == 96) {
        return;
    }
    Scaling scaling = {&window, hwnd};
    EnumChildWindows(hwnd, ScaleOne, reinterpret_cast<LPARAM>(&scaling));
}
