// The showcase's panel of choices for the sprite ring.
// Shows: a CListBox and a CComboBox of sprite names (sorted, addressed by index), a
// CRadioButton group choosing the sprites' colour, a CScrollBarHorizon setting their
// opacity through Scroll, and a CEditUpDown setting their number.
#pragma once

#include <tsumiki.h>

#include "controls_panel.h"
#include "scene.h"

class ChoicesPanel {
public:
    // The panel changes the scene's choices and logs every change to the log's panel.
    ChoicesPanel(SpriteChoices& choices, ControlsPanel& log);

    // Places the controls on the parent with their top-left corner at (x, y).
    void Create(HWND parent, int x, int y);
    // Gives the list of names the height that shows all of them, once the window's layout
    // has been scaled for its DPI and before it is anchored: a list box keeps only whole
    // rows, so scaling its height can leave the last name half hidden.
    void ShowEveryName();
    // Shows or hides every control of the panel.
    void Show(bool visible);
    // Handles the parent's WM_COMMAND; true when it came from one of the panel's controls.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Handles the parent's WM_HSCROLL; true when it came from the opacity bar.
    bool OnHScroll(HWND hwnd, HWND control, UINT code, int pos);

private:
    void ShowOpacity();

    SpriteChoices& m_Choices;
    ControlsPanel& m_Log;
    bool m_Ready = false;
    CStatic m_LeadTitle;
    CListBox m_Lead;
    CStatic m_RingTitle;
    CComboBox m_Ring;
    CStatic m_CountTitle;
    CEditUpDown m_Count;
    CStatic m_ColourTitle;
    CRadioButton m_Colour;
    // The radio buttons in the order of the colours they choose.
    HWND m_ColourButtons[3] = {};
    CStatic m_OpacityTitle;
    CScrollBarHorizon m_Opacity;
};
