// What a window object does with key and mouse messages its class does not override: the
// message goes to DefWindowProcW as the platform sent it.
#include "tsumiki/framework.h"

namespace tsumiki {

namespace {

// The key message's lParam as the platform builds it for one stroke: a repeat count of 1,
// the scan code, and the previous-state and transition bits.
LPARAM KeyStroke(UINT virtualKey, bool wasDown, bool goingUp)
{
    LPARAM stroke = 1 | (static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (wasDown) {
        stroke |= 0x40000000;
    }
    if (goingUp) {
        stroke |= static_cast<LPARAM>(0x80000000u);
    }
    return stroke;
}

// The message for a button and what happened to it: 0 down, 1 up, 2 double click (the
// platform numbers each button's three messages in this order).
UINT ButtonMessage(EMouseButton button, UINT what)
{
    switch (button) {
    case MOUSE_RIGHT: return WM_RBUTTONDOWN + what;
    case MOUSE_MIDDLE: return WM_MBUTTONDOWN + what;
    case MOUSE_X1: case MOUSE_X2: return WM_XBUTTONDOWN + what;
    default: return WM_LBUTTONDOWN + what;
    }
}

void DefaultButton(HWND hwnd, EMouseButton button, UINT what, int x, int y, UINT keys)
{
    WPARAM wParam = keys;
    if (button == MOUSE_X1 || button == MOUSE_X2) {
        wParam = MAKEWPARAM(keys, button == MOUSE_X1 ? XBUTTON1 : XBUTTON2);
    }
    DefWindowProcW(hwnd, ButtonMessage(button, what), wParam, MAKELPARAM(x, y));
}

}  // namespace

void CWindowBase::OnKeyDown(HWND hwnd, UINT virtualKey, bool repeated)
{
    DefWindowProcW(hwnd, WM_KEYDOWN, virtualKey, KeyStroke(virtualKey, repeated, false));
}

void CWindowBase::OnKeyUp(HWND hwnd, UINT virtualKey)
{
    DefWindowProcW(hwnd, WM_KEYUP, virtualKey, KeyStroke(virtualKey, true, true));
}

void CWindowBase::OnChar(HWND hwnd, wchar_t character)
{
    DefWindowProcW(hwnd, WM_CHAR, character, 1);
}

void CWindowBase::OnMouseMove(HWND hwnd, int x, int y, UINT keys)
{
    DefWindowProcW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void CWindowBase::OnMouseDown(HWND hwnd, EMouseButton button, int x, int y, UINT keys)
{
    DefaultButton(hwnd, button, 0, x, y, keys);
}

void CWindowBase::OnMouseUp(HWND hwnd, EMouseButton button, int x, int y, UINT keys)
{
    DefaultButton(hwnd, button, 1, x, y, keys);
}

void CWindowBase::OnMouseDoubleClick(HWND hwnd, EMouseButton button, int x, int y, UINT keys)
{
    DefaultButton(hwnd, button, 2, x, y, keys);
}

void CWindowBase::OnMouseWheel(HWND hwnd, int delta, int x, int y, UINT keys)
{
    // The platform's message carries screen coordinates.
    POINT point = {x, y};
    ClientToScreen(hwnd, &point);
    DefWindowProcW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<short>(delta)),
                   MAKELPARAM(point.x, point.y));
}

}  // namespace tsumiki
