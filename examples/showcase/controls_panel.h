// The showcase's panel of standard controls.
#pragma once

#include <tsumiki.h>

class ControlsPanel {
public:
    // Places the controls on the parent with their top-left corner at (x, y).
    void Create(HWND parent, int x, int y);
    // Handles the parent's WM_COMMAND; true when it was one of the panel's controls.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Adds a line to the panel's event log.
    void Log(const wchar_t* line);
};
