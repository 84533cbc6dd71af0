// Plays the game by itself with a fixed script, for the self-test and the timed demo run.
// It presses and releases real keys: the window gets WM_KEYDOWN and WM_KEYUP through its
// message queue exactly as from the keyboard.
#pragma once

#include <windows.h>

class Autopilot {
public:
    explicit Autopilot(HWND window) : m_Window(window) {}

    // Called once per clock tick with the tick's number and the ship's position.
    void Drive(unsigned tick, float shipX);
    // Taps a key once (down, then up).
    void Tap(UINT key);

private:
    void Hold(UINT key, bool down, bool& held);

    HWND m_Window;
    bool m_Left = false;
    bool m_Right = false;
    bool m_Fire = false;
};
