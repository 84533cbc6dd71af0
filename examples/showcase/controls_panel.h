// The showcase's panel of standard controls.
// Shows: a CGroupBox around a CButton, a CStatic the button changes, a CEdit it reads and a
// CCheckBox toggled through ToggleCheck; a CEditMultiLineReadOnly that logs events with
// AddText and grows with the window (Anchor).
#pragma once

#include <tsumiki.h>

class ControlsPanel {
public:
    // Places the controls on the parent with their top-left corner at (x, y).
    void Create(HWND parent, int x, int y);
    // Shows or hides all of the panel's controls.
    void Show(bool visible);
    // Handles the parent's WM_COMMAND; true when it was one of the panel's controls.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Adds a line to the panel's event log.
    void Log(const wchar_t* line);
    // Keeps the panel at the window's right edge; the log grows down with the window.
    void Anchor(CWindowBase& window) const;

private:
    CGroupBox m_Group;
    CEdit m_Name;
    CButton m_Greet;
    CStatic m_Greeting;
    CCheckBox m_Shout;
    CStatic m_LogTitle;
    CEditMultiLineReadOnly m_Log;
    int m_Presses = 0;
};
