// Real mouse and keyboard input through SendInput, as a user gives it.
#pragma once

#include <windows.h>

// The screen point at a client-area point of the window.
POINT ScreenPoint(HWND window, int x, int y);
// Presses and releases the left button at a screen point, then pumps messages for a while.
// The whole click is queued at once: a control that runs its own loop while the button is
// down (a scroll bar) finds the release waiting for it.
void ClickAt(POINT screen);
// Presses the left button at from, moves to to in a few steps and releases it there, all
// queued at once like ClickAt, then pumps messages for a while.
void DragTo(POINT from, POINT to);
// Presses and releases a key in the window that has the focus, then pumps messages.
void PressKey(WORD virtualKey);
