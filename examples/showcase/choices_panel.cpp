// The choices panel: the parent window hands it WM_COMMAND and WM_HSCROLL, and every change
// goes into the scene's choices, which the next frame draws, and into the event log.
#include "choices_panel.h"

#include <cwchar>
#include <string>

namespace {

// One name per cell of the sprite sheet, chosen so that the lists' sorted order is the
// order of the cells: index n of the list box is cell n.
const wchar_t* const kNames[] = {L"Apple", L"Citrus", L"Lemon", L"Mint",
                                 L"Ocean", L"Sapphire", L"Violet", L"Zinnia"};
// Sorts before every name, so it is index 0 of the drop-down list.
const wchar_t* const kEveryCell = L"All cells";

struct Colour {
    const wchar_t* name;
    unsigned rgb;
    int x;
};
const Colour kColours[] = {{L"Natural", 0, 0}, {L"Gold", 0xFFC830, 104}, {L"Ice", 0x7FD8FF, 208}};

}  // namespace

ChoicesPanel::ChoicesPanel(SpriteChoices& choices, ControlsPanel& log)
    : m_Choices(choices), m_Log(log)
{
}

void ChoicesPanel::Create(HWND parent, int x, int y)
{
    m_LeadTitle.Create(parent, x, y, 140, 18, L"Sprite in the middle");
    m_Lead.Create(parent, x, y + 20, 140, 112);
    m_RingTitle.Create(parent, x + 150, y, 140, 18, L"Sprites of the ring");
    m_Ring.CreateComboBox(parent, x + 150, y + 20, 140, 200);
    // Added out of order: the controls sort them.
    for (int i = 7; i >= 0; --i) {
        m_Lead.AddList(kNames[(i * 3) % 8]);
        m_Ring.AddList(kNames[(i * 3) % 8]);
    }
    m_Ring.AddList(kEveryCell);

    m_CountTitle.Create(parent, x + 150, y + 60, 140, 18, L"How many");
    m_Count.Create(parent, x + 150, y + 80, 80, 24, 1, Scene::kMaxSprites, m_Choices.count);

    m_ColourTitle.Create(parent, x, y + 140, 290, 18, L"Colour");
    // The current button is the last made, so Natural is made last to be checked first.
    for (int i : {1, 2, 0}) {
        m_Colour.Create(parent, x + kColours[i].x, y + 160, 72, 24, kColours[i].name);
        m_ColourButtons[i] = m_Colour.GetWndHandle();
    }
    m_Colour.SetCheck();

    m_OpacityTitle.Create(parent, x, y + 194, 290, 18, L"");
    m_Opacity.Create(parent, x, y + 214, 290, 20, 0, 100);
    m_Opacity.SetCursorPos(m_Choices.opacity);
    ShowOpacity();
    m_Ready = true;
}

void ChoicesPanel::ShowEveryName()
{
    const int rows = m_Lead.GetItemNum();
    const int row = m_Lead.GetItemHeight();
    if (rows <= 0 || row <= 0) {
        return;
    }
    const int border = m_Lead.GetHeight() - m_Lead.GetClientHeight();
    m_Lead.SetSize(m_Lead.GetWidth(), rows * row + border);
}

void ChoicesPanel::Show(bool visible)
{
    HWND controls[] = {m_LeadTitle.GetWndHandle(), m_Lead.GetWndHandle(),
                       m_RingTitle.GetWndHandle(), m_Ring.GetWndHandle(),
                       m_CountTitle.GetWndHandle(), m_Count.GetWndHandle(),
                       m_Count.GetUpDown().GetWndHandle(), m_ColourTitle.GetWndHandle(),
                       m_ColourButtons[0], m_ColourButtons[1], m_ColourButtons[2],
                       m_OpacityTitle.GetWndHandle(), m_Opacity.GetWndHandle()};
    for (HWND control : controls) {
        ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
    }
}

bool ChoicesPanel::OnCommand(HWND, int, HWND control, UINT code)
{
    if (!control) {
        return false;
    }
    if (control == m_Lead.GetWndHandle()) {
        if (code == LBN_SELCHANGE && m_Lead.GetCursor() >= 0) {
            m_Choices.lead = m_Lead.GetCursor();
            m_Log.Log((std::wstring(L"Middle sprite: ") + kNames[m_Choices.lead] + L".").c_str());
        }
        return true;
    }
    if (control == m_Ring.GetWndHandle()) {
        if (code == CBN_SELCHANGE && m_Ring.GetCursor() >= 0) {
            // Index 0 is "All cells"; the names follow in cell order.
            m_Choices.ringCell = m_Ring.GetCursor() - 1;
            m_Log.Log((std::wstring(L"Ring sprites: ") +
                       (m_Choices.ringCell < 0 ? kEveryCell : kNames[m_Choices.ringCell]) + L".")
                          .c_str());
        }
        return true;
    }
    if (control == m_Count.GetWndHandle()) {
        // The arrows and the Up and Down keys write the number into the edit.
        wchar_t text[16] = {};
        m_Count.GetText(text, 16);
        int count = static_cast<int>(std::wcstol(text, nullptr, 10));
        if (code == EN_CHANGE && m_Ready && count >= 1 && count <= Scene::kMaxSprites &&
            count != m_Choices.count) {
            m_Choices.count = count;
            m_Log.Log((L"Sprites in the ring: " + std::to_wstring(count) + L".").c_str());
        }
        return true;
    }
    for (int i = 0; i < 3; ++i) {
        if (control == m_ColourButtons[i]) {
            // The platform has checked the clicked button and unchecked the others.
            if (code == BN_CLICKED && m_Choices.tint != kColours[i].rgb) {
                m_Choices.tint = kColours[i].rgb;
                m_Log.Log((std::wstring(L"Colour: ") + kColours[i].name + L".").c_str());
            }
            return true;
        }
    }
    return false;
}

bool ChoicesPanel::OnHScroll(HWND, HWND control, UINT code, int pos)
{
    if (!m_Opacity.Scroll(control, code, pos)) {
        return false;
    }
    if (m_Opacity.GetCursorPos() != m_Choices.opacity) {
        m_Choices.opacity = m_Opacity.GetCursorPos();
        ShowOpacity();
        m_Log.Log((L"Opacity: " + std::to_wstring(m_Choices.opacity) + L"%.").c_str());
    }
    return true;
}

void ChoicesPanel::ShowOpacity()
{
    m_OpacityTitle.SetText((L"Opacity " + std::to_wstring(m_Choices.opacity) + L"%").c_str());
}
