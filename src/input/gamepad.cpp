// One pad's state, frame by frame, from the readings it is given.
#include "tsumiki/gamepad.h"

#include "input/xinput_slots.h"

#include <algorithm>
#include <cmath>

namespace tsumiki {

namespace {

// The XInput button bit of each EPadButton, in its order.
constexpr WORD kButtonBits[] = {
    XINPUT_GAMEPAD_A,          XINPUT_GAMEPAD_B,          XINPUT_GAMEPAD_X,           XINPUT_GAMEPAD_Y,
    XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER, XINPUT_GAMEPAD_BACK,  XINPUT_GAMEPAD_START,
    XINPUT_GAMEPAD_LEFT_THUMB, XINPUT_GAMEPAD_RIGHT_THUMB, XINPUT_GAMEPAD_DPAD_UP,    XINPUT_GAMEPAD_DPAD_DOWN,
    XINPUT_GAMEPAD_DPAD_LEFT,  XINPUT_GAMEPAD_DPAD_RIGHT,
};
constexpr int kButtons = sizeof(kButtonBits) / sizeof(kButtonBits[0]);

bool Has(WORD bits, EPadButton button)
{
    const int index = static_cast<int>(button);
    return index >= 0 && index < kButtons && (bits & kButtonBits[index]) != 0;
}

// The dead zone is cut from the stick's distance from the centre, not from each axis: a
// stick pushed straight up reads x = 0 even when it leans a little.
PadStick Stick(SHORT rawX, SHORT rawY, float deadZone)
{
    const float x = rawX;
    const float y = rawY;
    const float length = std::sqrt(x * x + y * y);
    if (length <= deadZone) {
        return PadStick{0, 0};
    }
    const float scale = (std::min(length, 32767.0f) - deadZone) / (32767.0f - deadZone) / length;
    return PadStick{std::clamp(x * scale, -1.0f, 1.0f), std::clamp(y * scale, -1.0f, 1.0f)};
}

float Trigger(BYTE raw)
{
    const float threshold = XINPUT_GAMEPAD_TRIGGER_THRESHOLD;
    return raw <= threshold ? 0.0f : (raw - threshold) / (255.0f - threshold);
}

WORD Motor(float speed)
{
    // Written so that NaN stops the motor.
    return static_cast<WORD>(speed > 0 ? std::min(speed, 1.0f) * 65535.0f + 0.5f : 0.0f);
}

}  // namespace

CGamepad::CGamepad()
    : m_Slot(-1), m_Connected(false), m_Held(0), m_Pressed(0), m_Released(0), m_Left{0, 0}, m_Right{0, 0},
      m_LeftTrigger(0), m_RightTrigger(0)
{
}

bool CGamepad::IsConnected() const
{
    return m_Connected;
}

bool CGamepad::IsDown(EPadButton button) const
{
    return Has(m_Held, button);
}

bool CGamepad::WasPressed(EPadButton button) const
{
    return Has(m_Pressed, button);
}

bool CGamepad::WasReleased(EPadButton button) const
{
    return Has(m_Released, button);
}

PadStick CGamepad::LeftStick() const
{
    return m_Left;
}

PadStick CGamepad::RightStick() const
{
    return m_Right;
}

float CGamepad::LeftTrigger() const
{
    return m_LeftTrigger;
}

float CGamepad::RightTrigger() const
{
    return m_RightTrigger;
}

bool CGamepad::Vibrate(float left, float right) const
{
    return m_Slot >= 0 && m_Connected && detail::SetPadMotors(m_Slot, Motor(left), Motor(right));
}

void CGamepad::Update(const XINPUT_STATE* state)
{
    NextFrame();
    Take(state);
}

void CGamepad::Take(const XINPUT_STATE* state)
{
    const WORD held = state ? state->Gamepad.wButtons : 0;
    m_Pressed |= held & ~m_Held;
    m_Released |= m_Held & ~held;
    m_Held = held;
    m_Connected = state != nullptr;
    if (!state) {
        m_Left = m_Right = PadStick{0, 0};
        m_LeftTrigger = m_RightTrigger = 0;
        return;
    }
    const XINPUT_GAMEPAD& pad = state->Gamepad;
    m_Left = Stick(pad.sThumbLX, pad.sThumbLY, XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE);
    m_Right = Stick(pad.sThumbRX, pad.sThumbRY, XINPUT_GAMEPAD_RIGHT_THUMB_DEADZONE);
    m_LeftTrigger = Trigger(pad.bLeftTrigger);
    m_RightTrigger = Trigger(pad.bRightTrigger);
}

void CGamepad::NextFrame()
{
    m_Pressed = 0;
    m_Released = 0;
}

void CGamepad::ReleaseAll()
{
    m_Released |= m_Held;
    m_Held = 0;
    m_Left = m_Right = PadStick{0, 0};
    m_LeftTrigger = m_RightTrigger = 0;
    Vibrate(0, 0);
}

}  // namespace tsumiki
