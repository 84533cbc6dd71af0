// Reading what a window shows.
#pragma once

#include <windows.h>

// The colour at a client-area point of the window, as 0x00RRGGBB.
unsigned ClientPixel(HWND window, int x, int y);
