// The showcase's layout at any DPI: the panels and dialogs place their controls in 96 DPI
// pixels, as they were designed, and the window then moves each control to its place
// scaled for the screen (CWindowBase::Scale).
#pragma once

#include <tsumiki.h>

// Moves and sizes every direct child of the window by window.Scale; nothing at 96 DPI.
void ScaleChildLayout(const CWindowBase& window, HWND hwnd);
