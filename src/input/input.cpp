// The keyboard and mouse state a window object keeps from its messages.
#include "tsumiki/framework.h"

#include <imm.h>

#include <cstring>

namespace tsumiki {

namespace {

// The "late" flags are for what arrives while a frame runs (a frame that pumps messages,
// or moves the focus): they become the next frame's, instead of being forgotten unseen
// when this one ends.
enum : unsigned char { kHeld = 1, kPressed = 2, kReleased = 4, kPressedLate = 8, kReleasedLate = 16 };

// What a key or button starts the next frame with.
unsigned char NextFrameFlags(unsigned char flags)
{
    return static_cast<unsigned char>((flags & kHeld) | ((flags >> 2) & (kPressed | kReleased)));
}

constexpr int kButtons = 5;

bool Has(const unsigned char* flags, int count, UINT index, unsigned char flag)
{
    return index < static_cast<UINT>(count) && (flags[index] & flag) != 0;
}

bool IsButtonMessage(UINT message)
{
    return (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
           (message >= WM_XBUTTONDOWN && message <= WM_XBUTTONDBLCLK);
}

bool IsButtonUp(UINT message)
{
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
           message == WM_XBUTTONUP;
}

// The key a key message is about. With an input method on, key-downs arrive as
// VK_PROCESSKEY and only their releases as the key itself: the method knows the key, and
// failing that the scan code does.
UINT RealKey(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    auto key = static_cast<UINT>(wParam);
    if (key != VK_PROCESSKEY) {
        return key;
    }
    UINT original = ImmGetVirtualKey(hwnd);
    if (original != VK_PROCESSKEY && original != 0) {
        return original;
    }
    UINT scan = (static_cast<UINT>(lParam) >> 16) & 0xFF;
    UINT mapped = scan ? MapVirtualKeyW(scan, MAPVK_VSC_TO_VK_EX) : 0;
    return mapped ? mapped : key;
}

// Which of the two keys of a modifier a message is about: the scan code tells the Shift
// keys apart, the extended-key bit the Ctrl and Alt keys. 0 for other keys.
UINT SideOf(UINT key, LPARAM lParam)
{
    bool extended = (lParam & 0x01000000) != 0;
    switch (key) {
    case VK_SHIFT:
        return ((static_cast<UINT>(lParam) >> 16) & 0xFF) == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
        return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
        return extended ? VK_RMENU : VK_LMENU;
    default:
        return 0;
    }
}

UINT OtherSideOf(UINT side)
{
    switch (side) {
    case VK_LSHIFT: return VK_RSHIFT;
    case VK_RSHIFT: return VK_LSHIFT;
    case VK_LCONTROL: return VK_RCONTROL;
    case VK_RCONTROL: return VK_LCONTROL;
    case VK_LMENU: return VK_RMENU;
    default: return VK_LMENU;
    }
}

}  // namespace

CInput::CInput()
    : m_Keys(), m_Buttons(), m_MouseX(0), m_MouseY(0), m_Wheel(0), m_LateWheel(0), m_InFrame(false)
{
}

bool CInput::IsDown(UINT virtualKey) const
{
    return Has(m_Keys, 256, virtualKey, kHeld);
}

bool CInput::WasPressed(UINT virtualKey) const
{
    return Has(m_Keys, 256, virtualKey, kPressed);
}

bool CInput::WasReleased(UINT virtualKey) const
{
    return Has(m_Keys, 256, virtualKey, kReleased);
}

int CInput::MouseX() const
{
    return m_MouseX;
}

int CInput::MouseY() const
{
    return m_MouseY;
}

bool CInput::IsMouseDown(EMouseButton button) const
{
    return Has(m_Buttons, kButtons, static_cast<UINT>(button), kHeld);
}

bool CInput::WasClicked(EMouseButton button) const
{
    return Has(m_Buttons, kButtons, static_cast<UINT>(button), kPressed);
}

int CInput::WheelDelta() const
{
    return m_Wheel;
}

void CInput::NextFrame()
{
    for (unsigned char& key : m_Keys) {
        key = NextFrameFlags(key);
    }
    for (unsigned char& button : m_Buttons) {
        button = NextFrameFlags(button);
    }
    m_Wheel = m_LateWheel;
    m_LateWheel = 0;
    NextPadFrame();
    m_InFrame = false;
}

void CInput::BeginFrame()
{
    m_InFrame = true;
    ReadPads();
}

void CInput::Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    NotePads(message, wParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        PressKey(RealKey(hwnd, wParam, lParam), lParam);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // A key held when Alt goes down comes up as a system key: both count.
        ReleaseKey(static_cast<UINT>(wParam), lParam);
        return;
    case WM_KILLFOCUS:
    case WM_ENTERMENULOOP:
        // The keys now go elsewhere (another window, the menu's own loop), and so would
        // their releases.
        ReleaseAll();
        return;
    case WM_ACTIVATEAPP:
        if (!wParam) {
            ReleaseAll();
        }
        return;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            // Another window has the mouse: a release from here on would not reach us.
            ReleaseButtons();
        }
        return;
    case WM_MOUSEWHEEL: {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd, &point);
        m_MouseX = point.x;
        m_MouseY = point.y;
        (m_InFrame ? m_LateWheel : m_Wheel) += static_cast<short>(HIWORD(wParam));
        return;
    }
    default:
        break;
    }
    if (message != WM_MOUSEMOVE && !IsButtonMessage(message)) {
        return;
    }
    m_MouseX = static_cast<short>(LOWORD(lParam));
    m_MouseY = static_cast<short>(HIWORD(lParam));
    if (message == WM_MOUSEMOVE) {
        return;
    }
    int button = detail::ButtonOf(message, wParam);
    if (IsButtonUp(message)) {
        ReleaseButton(hwnd, button);
    } else {
        PressButton(hwnd, button);
    }
}

void CInput::PressKey(UINT virtualKey, LPARAM lParam)
{
    UINT side = SideOf(virtualKey, lParam);
    if (side) {
        // The modifier is held while either of its keys is.
        Press(side);
    }
    Press(virtualKey);
}

void CInput::ReleaseKey(UINT virtualKey, LPARAM lParam)
{
    UINT side = SideOf(virtualKey, lParam);
    if (side) {
        Release(side);
        if (m_Keys[OtherSideOf(side)] & kHeld) {
            return;
        }
    }
    Release(virtualKey);
}

void CInput::Press(UINT virtualKey)
{
    if (virtualKey > 255) {
        return;
    }
    // The platform repeats a held key: only the first down is a press.
    if (!(m_Keys[virtualKey] & kHeld)) {
        m_Keys[virtualKey] |= kHeld | (m_InFrame ? kPressedLate : kPressed);
    }
}

void CInput::Release(UINT virtualKey)
{
    if (virtualKey > 255 || !(m_Keys[virtualKey] & kHeld)) {
        return;
    }
    m_Keys[virtualKey] = static_cast<unsigned char>((m_Keys[virtualKey] & ~kHeld) |
                                                    (m_InFrame ? kReleasedLate : kReleased));
}

void CInput::PressButton(HWND hwnd, int button)
{
    bool anyHeld = false;
    for (unsigned char held : m_Buttons) {
        anyHeld = anyHeld || (held & kHeld);
    }
    m_Buttons[button] |= kHeld | (m_InFrame ? kPressedLate : kPressed);
    // Captured, the window also gets the release when the mouse has left it by then.
    if (!anyHeld && GetCapture() != hwnd) {
        SetCapture(hwnd);
    }
}

void CInput::ReleaseButton(HWND hwnd, int button)
{
    m_Buttons[button] = static_cast<unsigned char>(m_Buttons[button] & ~kHeld);
    for (unsigned char held : m_Buttons) {
        if (held & kHeld) {
            return;
        }
    }
    // Set free before ReleaseCapture: its WM_CAPTURECHANGED comes back here at once.
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
}

void CInput::ReleaseButtons()
{
    for (unsigned char& button : m_Buttons) {
        button = static_cast<unsigned char>(button & ~kHeld);
    }
}

void CInput::ReleaseAll()
{
    for (UINT key = 0; key < 256; ++key) {
        Release(key);
    }
    ReleaseButtons();
}

}  // namespace tsumiki
