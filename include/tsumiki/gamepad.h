// Gamepads for games: the buttons, sticks and triggers of an XInput pad, frame by frame.
//
// Classes in this file:
//   CGamepad    one pad's state: buttons held and changed, sticks, triggers; its rumble
//   PadStick    a stick's position, each axis from -1 to 1
// Enumerations:
//   EPadButton  the pad's fourteen buttons, the D-pad's four directions among them
#pragma once

#include <windows.h>
#include <xinput.h>

#include "tsumiki/export.h"

namespace tsumiki {

// The buttons of a pad, as CGamepad names them; PAD_UP to PAD_RIGHT are the D-pad.
enum EPadButton {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_BACK,
    PAD_START,
    PAD_LEFT_THUMB,
    PAD_RIGHT_THUMB,
    PAD_UP,
    PAD_DOWN,
    PAD_LEFT,
    PAD_RIGHT,
};

// Where a stick is pushed: x from -1 (left) to 1 (right), y from -1 (towards the player)
// to 1 (away, "up"); 0, 0 at rest.
struct PadStick {
    // -1 (left) to 1 (right).
    float x;
    // -1 (towards the player) to 1 (away from the player).
    float y;
};

class CInput;

// One XInput pad (an Xbox controller or one that acts as one), as a window's input state
// reads it once a frame (CInput::Pad), or as a program feeds it recorded readings (Update).
// "Since the last frame" means since the previous reading.
class TSUMIKI_API CGamepad {
public:
    // Not connected, nothing held.
    CGamepad();

    // Whether a pad was in the slot at the last reading.
    bool IsConnected() const;
    // Whether the button is held; false for a value outside EPadButton.
    bool IsDown(EPadButton button) const;
    // Whether the button went down, or came up, since the last frame. A pad unplugged, or
    // a window losing the focus, releases whatever was held (the release is seen).
    bool WasPressed(EPadButton button) const;
    bool WasReleased(EPadButton button) const;
    // The sticks, after the platform's standard dead zones, applied to the distance from
    // the centre so that the direction is kept (a zone cut from each axis would snap slight
    // diagonals onto the axes): at rest inside the zone, 1 long at the edge, in between in
    // proportion.
    PadStick LeftStick() const;
    PadStick RightStick() const;
    // The triggers from 0 (released, or inside the platform's threshold) to 1 (pulled).
    float LeftTrigger() const;
    float RightTrigger() const;
    // Runs the left (low, heavy) and right (high, light) motors at 0 (off) to 1 (full),
    // clamped, until changed. True when the pad took it; false for a pad that is not
    // connected, or fed rather than read. The window's pads stop when it loses the focus.
    bool Vibrate(float left, float right) const;

    // Starts the pad's next frame with one reading of it: what differs from the last
    // reading is pressed or released in that frame. Null is an empty slot. A window reads
    // its own pads; a program may feed recorded readings to a CGamepad of its own (a
    // replay, a demo, a test).
    void Update(const XINPUT_STATE* state);

private:
    friend class CInput;

    // Takes in a reading without starting a frame: the changes add to this frame's.
    void Take(const XINPUT_STATE* state);
    // Forgets what was pressed and released; what is held stays held.
    void NextFrame();
    // Releases everything held and centres the sticks and triggers (the release is seen),
    // stopping the motors; the pad stays connected.
    void ReleaseAll();

    int m_Slot;  // the XInput slot it reads and vibrates; -1 when only fed
    bool m_Connected;
    WORD m_Held;
    WORD m_Pressed;
    WORD m_Released;
    PadStick m_Left;
    PadStick m_Right;
    float m_LeftTrigger;
    float m_RightTrigger;
};

}  // namespace tsumiki

#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CGamepad;
using tsumiki::PadStick;
using tsumiki::EPadButton;
using tsumiki::PAD_A;
using tsumiki::PAD_B;
using tsumiki::PAD_X;
using tsumiki::PAD_Y;
using tsumiki::PAD_LEFT_SHOULDER;
using tsumiki::PAD_RIGHT_SHOULDER;
using tsumiki::PAD_BACK;
using tsumiki::PAD_START;
using tsumiki::PAD_LEFT_THUMB;
using tsumiki::PAD_RIGHT_THUMB;
using tsumiki::PAD_UP;
using tsumiki::PAD_DOWN;
using tsumiki::PAD_LEFT;
using tsumiki::PAD_RIGHT;
#endif
