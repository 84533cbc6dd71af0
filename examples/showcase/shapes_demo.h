// The showcase's shapes.
// Shows: CRegion cutting a top-level tool window to a star drawn at start-up (the window is
// dragged by any point of the star), and a CCustomButton made of three generated bitmap
// files (normal, pressed, mask) whose clicks are logged through IsPush.
#pragma once

#include <tsumiki.h>

#include <functional>

// A borderless tool window in the shape of the black part of a mask file.
class StarWindow : public CWindowBase {
public:
    // Places the window at (x, y) on the screen, shaped by the mask; false when either fails.
    bool Create(int x, int y, int size, const wchar_t* maskPath);
    void OnPaint(HWND hwnd) override;
    // The star is not the program's main window: closing it must not end the program.
    void OnDestroy(HWND hwnd) override;
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CRegion m_Region;
    int m_Size = 0;
};

class ShapesDemo {
public:
    // Makes the pictures, puts the bitmap button in the bottom-left corner of the parent's
    // client area and the star window beside the parent. `log` receives a line per click.
    void Create(HWND parent, std::function<void(const wchar_t*)> log);
    // Handles the parent's WM_COMMAND; true when it was the bitmap button's.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Keeps the bitmap button in the bottom-left corner of the window.
    void Anchor(CWindowBase& window) const;

private:
    CCustomButton m_Button;
    StarWindow m_Star;
    std::function<void(const wchar_t*)> m_Log;
    int m_Clicks = 0;
};
