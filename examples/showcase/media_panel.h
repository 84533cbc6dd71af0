// The showcase's media panel.
// Shows: CMCI playing a generated wave as background music that repeats on the frame window
// (Play with notify), paused and continued from a CCheckBox; CProcess starting a second,
// small example program hidden, waiting for it (WaitForInit) and finding its main window
// (GetProcessRootWnd), then ending it through that window and waiting for its end.
#pragma once

#include <tsumiki.h>

#include <string>

#include "controls_panel.h"

class MediaPanel {
public:
    MediaPanel() = default;
    MediaPanel(const MediaPanel&) = delete;
    MediaPanel& operator=(const MediaPanel&) = delete;
    ~MediaPanel();

    // Places the controls on the parent with their top-left corner at (x, y) and starts
    // the music, repeating on the parent.
    void Create(HWND parent, int x, int y);
    // Shows or hides all the panel's controls.
    void Show(bool visible);
    // Handles the parent's WM_COMMAND; true when it was one of the panel's controls.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Presses "Run child" a moment from now, as a user would (for the timed run).
    void PressRunChildSoon(HWND parent);

private:
    void RunChild();

    HWND m_Parent = nullptr;
    CGroupBox m_Group;
    CCheckBox m_Mute;
    CStatic m_Music;
    CButton m_RunChild;
    CStatic m_Child;
    CMCI m_Player;
    std::wstring m_WaveFile;
};
