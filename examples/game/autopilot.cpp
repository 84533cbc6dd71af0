#include "autopilot.h"

#include <cmath>

void Autopilot::Drive(unsigned tick, float shipX)
{
    // Sweep to and fro under the formation, firing all the time.
    float target = 320.0f + 250.0f * std::sin(tick * 0.025f);
    Hold(VK_LEFT, shipX > target + 8, m_Left);
    Hold(VK_RIGHT, shipX < target - 8, m_Right);
    m_Tick = tick;
    XINPUT_STATE reading = {};
    reading.Gamepad.wButtons = XINPUT_GAMEPAD_A | (tick == m_StartAt ? XINPUT_GAMEPAD_START : 0);
    m_Pad.Update(&reading);
}

void Autopilot::Tap(UINT key)
{
    PostMessageW(m_Window, WM_KEYDOWN, key, 0);
    PostMessageW(m_Window, WM_KEYUP, key, 0xC0000001);
}

void Autopilot::Hold(UINT key, bool down, bool& held)
{
    if (down == held) {
        return;
    }
    held = down;
    PostMessageW(m_Window, down ? WM_KEYDOWN : WM_KEYUP, key, down ? 0 : 0xC0000001);
}
