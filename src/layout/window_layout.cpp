#include "layout/window_layout.h"

#include <commctrl.h>

#include <algorithm>

#include "dpi/window_dpi.h"
#include "layout/anchor_geometry.h"
#include "tsumiki/form.h"

namespace tsumiki {

namespace layout {

namespace {

constexpr UINT_PTR kSubclassID = 0x74734C59;
// Also how a window is known to have a layout (the cross compilers' import libraries lack
// GetWindowSubclass).
const wchar_t kLayoutProperty[] = L"tsumiki.Layout";
constexpr UINT kDpiChanged = 0x02E0;

// As the library's fonts take a DPI: a message cannot ask for absurd scales.
int SaneDpi(int dpi)
{
    return std::clamp(dpi, 48, 960);
}

RECT PlaceIn(HWND window, HWND control)
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The outer size of a client size: the window's frame, menu and scroll bars as they are now.
SIZE OuterOf(HWND window, LONG clientWidth, LONG clientHeight)
{
    RECT outer = {};
    RECT client = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {clientWidth + (outer.right - outer.left) - client.right,
            clientHeight + (outer.bottom - outer.top) - client.bottom};
}

// The limits in the window's pixels; a maximum below the minimum is raised to it.
void ScaledLimits(const WindowLayout& layout, SIZE& least, SIZE& most)
{
    auto scale = [&](LONG length) { return length > 0 ? MulDiv(length, layout.dpi, 96) : 0; };
    least = {scale(layout.minClient.cx), scale(layout.minClient.cy)};
    most = {scale(layout.maxClient.cx), scale(layout.maxClient.cy)};
    most.cx = most.cx > 0 ? std::max(most.cx, least.cx) : 0;
    most.cy = most.cy > 0 ? std::max(most.cy, least.cy) : 0;
}

void ApplyLimits(HWND window, const WindowLayout& layout, MINMAXINFO* info)
{
    // A minimised window has no client area to measure its frame by, and tracks nothing.
    if (!info || IsIconic(window)) {
        return;
    }
    SIZE least = {};
    SIZE most = {};
    ScaledLimits(layout, least, most);
    SIZE outerLeast = OuterOf(window, least.cx, least.cy);
    SIZE outerMost = OuterOf(window, most.cx, most.cy);
    if (least.cx > 0) {
        info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, outerLeast.cx);
    }
    if (least.cy > 0) {
        info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, outerLeast.cy);
    }
    if (most.cx > 0) {
        info->ptMaxTrackSize.x = info->ptMaxSize.x = outerMost.cx;
    }
    if (most.cy > 0) {
        info->ptMaxTrackSize.y = info->ptMaxSize.y = outerMost.cy;
    }
}

void Forget(HWND window, WindowLayout* layout);

LRESULT CALLBACK LayoutSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data)
{
    auto* layout = reinterpret_cast<WindowLayout*>(data);
    switch (message) {
    case WM_SIZE:
        // Before the window's own OnSize, which then finds its controls in place.
        if (wParam != SIZE_MINIMIZED) {
            LayOut(hwnd, *layout);
        }
        break;
    case WM_GETMINMAXINFO:
        ApplyLimits(hwnd, *layout, reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case kDpiChanged: {
        layout->dpi = SaneDpi(HIWORD(wParam));
        layout->laidOut = false;
        // The window's handler usually resizes it, which lays out at the new DPI.
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (!layout->laidOut) {
            LayOut(hwnd, *layout);
        }
        return result;
    }
    case WM_NCDESTROY:
        Forget(hwnd, layout);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Forget(HWND window, WindowLayout* layout)
{
    RemoveWindowSubclass(window, LayoutSubclass, kSubclassID);
    RemovePropW(window, kLayoutProperty);
    delete layout;
}

bool IsAnchoredChild(HWND window, const AnchoredControl& anchored)
{
    return IsWindow(anchored.control) && GetAncestor(anchored.control, GA_PARENT) == window;
}

}  // namespace

WindowLayout* LayoutOf(HWND window, bool make)
{
    if (!window || !IsWindow(window)) {
        return nullptr;
    }
    auto* layout = static_cast<WindowLayout*>(GetPropW(window, kLayoutProperty));
    if (layout || !make) {
        return layout;
    }
    layout = new WindowLayout;
    layout->dpi = SaneDpi(detail::WindowDpi(window));
    if (!SetPropW(window, kLayoutProperty, layout)) {
        delete layout;
        return nullptr;
    }
    if (!SetWindowSubclass(window, LayoutSubclass, kSubclassID, reinterpret_cast<DWORD_PTR>(layout))) {
        RemovePropW(window, kLayoutProperty);
        delete layout;
        return nullptr;
    }
    return layout;
}

void LayOut(HWND window, WindowLayout& layout)
{
    layout.laidOut = true;
    auto& controls = layout.controls;
    controls.erase(std::remove_if(controls.begin(), controls.end(),
                                  [&](const AnchoredControl& c) { return !IsAnchoredChild(window, c); }),
                   controls.end());
    if (controls.empty()) {
        return;
    }
    RECT client = {};
    GetClientRect(window, &client);
    HDWP batch = BeginDeferWindowPos(static_cast<int>(controls.size()));
    for (const AnchoredControl& c : controls) {
        const MeasuredSpan across = {c.place.left, c.place.right - c.place.left, c.client.cx};
        const MeasuredSpan down = {c.place.top, c.place.bottom - c.place.top, c.client.cy};
        const Span x = PlaceAlong(across, c.edges & ANCHOR_LEFT, c.edges & ANCHOR_RIGHT, client.right,
                                  layout.dpi, c.dpi);
        const Span y = PlaceAlong(down, c.edges & ANCHOR_TOP, c.edges & ANCHOR_BOTTOM, client.bottom,
                                  layout.dpi, c.dpi);
        const RECT now = PlaceIn(window, c.control);
        if (!batch || (now.left == x.start && now.top == y.start && now.right - now.left == x.length &&
                       now.bottom - now.top == y.length)) {
            continue;
        }
        // A failed batch is freed by the platform: the controls then stay where they are.
        batch = DeferWindowPos(batch, c.control, nullptr, x.start, y.start, x.length, y.length,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) {
        EndDeferWindowPos(batch);
    }
}

void ApplyLimitsNow(HWND window, const WindowLayout& layout)
{
    if (IsIconic(window) || IsZoomed(window)) {
        return;
    }
    SIZE least = {};
    SIZE most = {};
    ScaledLimits(layout, least, most);
    RECT client = {};
    GetClientRect(window, &client);
    LONG width = std::max(client.right, least.cx);
    LONG height = std::max(client.bottom, least.cy);
    width = most.cx > 0 ? std::min(width, most.cx) : width;
    height = most.cy > 0 ? std::min(height, most.cy) : height;
    if (width != client.right || height != client.bottom) {
        SIZE outer = OuterOf(window, width, height);
        SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace layout

}  // namespace tsumiki
