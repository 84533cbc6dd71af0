#include "controls/group_box_inside.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace tsumiki {

namespace {

constexpr UINT_PTR kBoxSubclassID = 0x74734742;
constexpr UINT_PTR kParentSubclassID = 0x74734750;
// Marks the boxes whose inside the library paints, for their parent's refresh.
const wchar_t kInsideProperty[] = L"tsumiki.GroupBoxInside";

RECT PlaceIn(HWND parent, HWND window)
{
    RECT place = {};
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool Encloses(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// Asks a window to paint itself into the dc with its client origin at the dc's `at`.
void PrintInto(HWND window, HDC dc, POINT at)
{
    POINT before = {};
    SetViewportOrgEx(dc, at.x, at.y, &before);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

// Paints into dc (the box's size) what lies beneath the box; the siblings lying on the box
// (the controls it frames, or any above it) are added to `onTop`.
void PaintBeneath(HWND box, HWND parent, HDC dc, const RECT& place, std::vector<RECT>& onTop)
{
    RECT inside = {0, 0, place.right - place.left, place.bottom - place.top};
    // Where the parent answers nothing, the colour the box's caption sits on.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(box)));
    FillRect(dc, &inside, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    PrintInto(parent, dc, {-place.left, -place.top});
    // Siblings later in the order lie beneath the box; those that hold it whole are its
    // ground, painted bottom first.
    std::vector<HWND> ground;
    bool beneath = false;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == box) {
            beneath = true;
            continue;
        }
        RECT at = PlaceIn(parent, sibling);
        RECT common = {};
        if (!IsWindowVisible(sibling) || !IntersectRect(&common, &at, &place)) {
            continue;
        }
        if (beneath && Encloses(at, place)) {
            ground.push_back(sibling);
        } else {
            OffsetRect(&common, -place.left, -place.top);
            onTop.push_back(common);
        }
    }
    std::reverse(ground.begin(), ground.end());
    for (HWND sibling : ground) {
        RECT at = PlaceIn(parent, sibling);
        PrintInto(sibling, dc, {at.left - place.left, at.top - place.top});
    }
}

void PaintBox(HWND box)
{
    HWND parent = GetParent(box);
    // The parent's picture first, so that the box copies what the parent is about to show.
    if (parent && GetUpdateRect(parent, nullptr, FALSE)) {
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    }
    PAINTSTRUCT paint = {};
    HDC screen = BeginPaint(box, &paint);
    RECT client = {};
    GetClientRect(box, &client);
    // Composed off the screen and copied in one go: the frame never flickers.
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1),
                                            std::max<LONG>(client.bottom, 1));
    if (parent && memory && bitmap) {
        HGDIOBJ before = SelectObject(memory, bitmap);
        std::vector<RECT> onTop;
        PaintBeneath(box, parent, memory, PlaceIn(parent, box), onTop);
        DefSubclassProc(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        // The controls on the box paint themselves; painting over them would hide them.
        for (const RECT& covered : onTop) {
            ExcludeClipRect(screen, covered.left, covered.top, covered.right, covered.bottom);
        }
        BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, before);
    } else {
        DefSubclassProc(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(screen), PRF_CLIENT);
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    if (memory) {
        DeleteDC(memory);
    }
    EndPaint(box, &paint);
}

LRESULT CALLBACK BoxSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_PAINT:
        // A dc given with the message is someone else's printing: frame and caption only.
        if (!wParam) {
            PaintBox(hwnd);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // The paint covers the whole inside.
        return 1;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, BoxSubclass, kBoxSubclassID);
        RemovePropW(hwnd, kInsideProperty);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ParentSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ParentSubclass, kParentSubclassID);
    }
    LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        // Painted after the parent (the platform paints parents first): the boxes copy the
        // picture just painted.
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetPropW(child, kInsideProperty) && IsWindowVisible(child)) {
                RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE);
            }
        }
    }
    return result;
}

}  // namespace

void detail::PaintGroupBoxInside(HWND box)
{
    HWND parent = box ? GetParent(box) : nullptr;
    if (!parent || !SetWindowSubclass(box, BoxSubclass, kBoxSubclassID, 0)) {
        return;
    }
    SetPropW(box, kInsideProperty, box);
    SetWindowSubclass(parent, ParentSubclass, kParentSubclassID, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE);
}

}  // namespace tsumiki
