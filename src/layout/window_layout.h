// A window's own layout: its anchored controls and its client size limits, applied by a
// subclass of the window from the first call that needs them until the window is destroyed.
#pragma once

#include <windows.h>

#include <vector>

namespace tsumiki {

namespace layout {

// A control as it was when it was anchored.
struct AnchoredControl {
    HWND control;
    UINT edges;
    // Its place in the window's client coordinates, the client size, and the window's DPI.
    RECT place;
    SIZE client;
    int dpi;
};

struct WindowLayout {
    std::vector<AnchoredControl> controls;
    // The client size limits in 96 DPI pixels; 0 sets no limit.
    SIZE minClient = {0, 0};
    SIZE maxClient = {0, 0};
    // The window's DPI as its last WM_DPICHANGED gave it (its own before any).
    int dpi = 96;
    // Set by every layout pass, so that a DPI change lays out once, with or without a resize.
    bool laidOut = false;
};

// The window's layout, made (and the subclass put on the window) when make is true; null
// when it has none, the window is dead or the subclass cannot be made.
WindowLayout* LayoutOf(HWND window, bool make);
// Moves every anchored control of the window to its place for the current client size,
// in one batch; controls already there are left alone.
void LayOut(HWND window, WindowLayout& layout);
// Brings the window's size within its limits at once.
void ApplyLimitsNow(HWND window, const WindowLayout& layout);

}  // namespace layout

}  // namespace tsumiki
