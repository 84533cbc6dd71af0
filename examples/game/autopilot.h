// Plays the game by itself with a fixed script, for the self-test and the timed demo run.
// It steers with real keys: the window gets WM_KEYDOWN and WM_KEYUP through its message
// queue exactly as from the keyboard. It fires and pauses with a pad of its own, fed a
// reading each tick as the window's pads are fed from XInput.
#pragma once

#include <tsumiki.h>

class Autopilot {
public:
    explicit Autopilot(HWND window) : m_Window(window) {}

    // Called once per clock tick with the tick's number and the ship's position.
    void Drive(unsigned tick, float shipX);
    // Taps a key once (down, then up).
    void Tap(UINT key);
    // Presses Start on the pad in the next tick's reading (released in the one after).
    void TapStart() { m_StartAt = m_Tick + 1; }
    // The autopilot's pad: A held to fire, Start when tapped.
    const CGamepad& Pad() const { return m_Pad; }

private:
    void Hold(UINT key, bool down, bool& held);

    HWND m_Window;
    bool m_Left = false;
    bool m_Right = false;
    CGamepad m_Pad;
    unsigned m_Tick = 0;
    unsigned m_StartAt = 0;
};
