// Fonts the library makes by face and size for a window's DPI and owns: one per face, size
// and DPI, shared by the windows that use it, deleted when the last of them stops using it.
#pragma once

#include <windows.h>

#include <string>

namespace tsumiki {

namespace detail {

// Gives the window the font of this face and size at dpi (WM_SETFONT); the window uses it
// until it is destroyed or given another font. False when the platform made no font.
bool AttachOwnedFont(HWND window, const std::wstring& face, int points, int dpi);
// Gives the window and its descendants that use an owned font the same face and size at
// dpi (clamped to 48 to 960).
void RescaleOwnedFonts(HWND window, int dpi);

}  // namespace detail

}  // namespace tsumiki
