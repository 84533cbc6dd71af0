// The showcase's panel of standard controls.
// Shows: a CGroupBox (subclassed with ChangeProc to paint its inside) around a CButton, a
// CStatic the button changes, a CEdit it reads and a CCheckBox toggled through ToggleCheck;
// a CEditMultiLineReadOnly that logs events with AddText.
#pragma once

#include <tsumiki.h>

// A group box that fills its inside before drawing its frame and caption. On a frame window,
// which clips its children from its own painting, nothing else would paint there.
class FilledGroupBox : public CGroupBox {
public:
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};

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

private:
    FilledGroupBox m_Group;
    CEdit m_Name;
    CButton m_Greet;
    CStatic m_Greeting;
    CCheckBox m_Shout;
    CStatic m_LogTitle;
    CEditMultiLineReadOnly m_Log;
    int m_Presses = 0;
};
