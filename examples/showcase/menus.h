// The showcase's menu bar and its dialogs.
#pragma once

#include <tsumiki.h>

class ControlsPanel;

class ShowcaseMenus {
public:
    // Builds the menu bar on the window and opens the modeless tool dialog. In a timed run
    // (tour true) it also opens the About dialog by itself, so a screenshot shows it.
    void Attach(HWND window, ControlsPanel& log, bool tour);
    // Handles the window's WM_COMMAND; true when it was a menu item.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Gives the menus their share of the window's timer ticks.
    void OnTick(HWND hwnd, unsigned tick);
};
