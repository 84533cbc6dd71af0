// Real mouse and keyboard input through SendInput, as a user gives it. Each call queues its
// whole gesture at once (a scroll bar runs its own loop while the button is down and must
// find the release waiting), then pumps messages for a while.
#pragma once

#include <windows.h>

#include <vector>

void ClickAt(POINT screen);
// Presses the left button at from, moves to to in steps and releases it there.
void DragTo(POINT from, POINT to);
void PressKey(WORD virtualKey);
// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);
// One mouse event at a screen point, with its flags and data (wheel delta, X button).
INPUT MouseInput(POINT screen, DWORD flags, DWORD data = 0);
INPUT KeyInput(WORD virtualKey, bool up);
// Queues the inputs at once; pumps messages for a while when asked.
void SendInputs(std::vector<INPUT> inputs, bool pump = true);
