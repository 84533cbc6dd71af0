#include "menus.h"

void ShowcaseMenus::Attach(HWND, ControlsPanel&, bool) {}

bool ShowcaseMenus::OnCommand(HWND, int, HWND, UINT)
{
    return false;
}

void ShowcaseMenus::OnTick(HWND, unsigned) {}
