// Keyboard, mouse and pad state for games: what is held now and what changed since the last frame.
//
// Classes in this file:
//   CInput        the keys, mouse buttons and pads of one window, frame by frame
// Enumerations:
//   EMouseButton  the five mouse buttons
#pragma once

#include <windows.h>

#include "tsumiki/export.h"
#include "tsumiki/gamepad.h"

namespace tsumiki {

// The mouse buttons, as the mouse handlers and CInput name them.
enum EMouseButton { MOUSE_LEFT, MOUSE_RIGHT, MOUSE_MIDDLE, MOUSE_X1, MOUSE_X2 };

class CWindowBase;
namespace detail {
struct FrameInput;
}

// The keyboard and mouse as one window saw them: every window object holds one (m_Input),
// which the library's dispatch updates before the handlers run. "Since the last frame"
// means since the last NextFrame(), which GameLoop calls after each frame. When the window
// loses the focus, or the application is deactivated, every key and button still held is
// released (the release is seen): no key sticks while another window has the keyboard.
class TSUMIKI_API CInput {
public:
    // Nothing held, the mouse at 0, 0.
    CInput();

    // Whether the key (a virtual-key code, VK_LEFT, 'A', ...) is held; false for a code
    // above 255. System keys (with Alt held, and F10) count as well, and so do keys an
    // input method takes (under their own code, never as VK_PROCESSKEY). VK_LSHIFT,
    // VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU and VK_RMENU name one key each;
    // VK_SHIFT, VK_CONTROL and VK_MENU are held while either of their keys is.
    bool IsDown(UINT virtualKey) const;
    // Whether the key went down, or came up, since the last frame (both when it was tapped
    // between two frames). A key the platform repeats while held is pressed once.
    bool WasPressed(UINT virtualKey) const;
    bool WasReleased(UINT virtualKey) const;
    // Where the mouse was last seen over the window (or outside it while a button held
    // on the window keeps the mouse captured), in client coordinates; negative to the
    // left of and above the client area.
    int MouseX() const;
    int MouseY() const;
    // Whether the button is held, and whether it went down on the window since the last
    // frame (a double click counts as a press). False for a value outside EMouseButton.
    bool IsMouseDown(EMouseButton button) const;
    bool WasClicked(EMouseButton button) const;
    // The wheel's turns since the last frame, in the platform's units (120 a notch,
    // positive away from the user).
    int WheelDelta() const;

    // Starts a new frame: what was pressed, released, clicked and turned is forgotten;
    // what is held stays held. Under GameLoop, what arrives while a frame runs is kept
    // for the next frame instead.
    void NextFrame();

    // The XInput pad in slot index (0 to 3) as this window reads it: once a frame under
    // GameLoop (before the frame), and at each NextFrame otherwise. A slot is read from
    // the first call for it on (that call reads it at once), so a program that asks for no
    // pad never loads XInput; an empty slot is asked again at most every 2 s. When the
    // window loses the focus, or the application is deactivated, the pad's buttons are
    // released (the release is seen), its sticks and triggers centred and its motors
    // stopped, and it is not read again until the window has the focus. An index outside
    // 0 to 3 gives a pad that is never connected. Use it on the window's thread.
    const CGamepad& Pad(int index) const;

private:
    friend class CWindowBase;
    friend struct detail::FrameInput;

    // From here to NextFrame, what arrives belongs to the next frame (GameLoop calls it
    // before each frame).
    void BeginFrame();

    // Takes in a message of the window: keys, buttons, the mouse position, the wheel and
    // the losses of focus, activation and capture. While a button is held on the window
    // the window has the mouse captured.
    void Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // A key message's key; Shift, Ctrl and Alt also as their left or right key.
    void PressKey(UINT virtualKey, LPARAM lParam);
    void ReleaseKey(UINT virtualKey, LPARAM lParam);
    void Press(UINT virtualKey);
    void Release(UINT virtualKey);
    void PressButton(HWND hwnd, int button);
    void ReleaseButton(HWND hwnd, int button);
    void ReleaseButtons();
    void ReleaseAll();

    // Per key and per button: held, pressed and released since the last frame (bit flags).
    unsigned char m_Keys[256];
    unsigned char m_Buttons[5];
    int m_MouseX;
    int m_MouseY;
    int m_Wheel;
    int m_LateWheel;
    bool m_InFrame;

    // The pads: read only once asked for, and not while the window is without the focus.
    static constexpr int kPads = 4;
    void ReadPads() const;
    void NextPadFrame();
    void NotePads(UINT message, WPARAM wParam);
    mutable CGamepad m_Pads[kPads];
    mutable unsigned m_WatchedPads = 0;
    bool m_PadsAsleep = false;
};

}  // namespace tsumiki

#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CInput;
using tsumiki::EMouseButton;
using tsumiki::MOUSE_LEFT;
using tsumiki::MOUSE_RIGHT;
using tsumiki::MOUSE_MIDDLE;
using tsumiki::MOUSE_X1;
using tsumiki::MOUSE_X2;
#endif
