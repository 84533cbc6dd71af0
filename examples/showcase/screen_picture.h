// Pixels as pictures: a rectangle of any device context, or a window as it stands on the
// screen (with whatever lies over it), made into a CImage through a BMP built in memory.
#pragma once

#include <tsumiki.h>

// The rectangle of the device context as a picture; false when it could not be copied.
bool PictureOf(HDC source, int x, int y, int width, int height, CImage& picture);

// Saves the window's rectangle on the screen, frame and menu included, as a PNG file.
bool SaveWindowShot(HWND window, const wchar_t* path);
