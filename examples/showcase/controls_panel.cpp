#include "controls_panel.h"

void ControlsPanel::Create(HWND, int, int) {}

bool ControlsPanel::OnCommand(HWND, int, HWND, UINT)
{
    return false;
}

void ControlsPanel::Log(const wchar_t*) {}
