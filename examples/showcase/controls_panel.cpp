// The panel of standard controls: the parent window hands its WM_COMMAND notifications
// here, and the panel recognises its controls by identifier (IsPush) or handle (ToggleCheck).
#include "controls_panel.h"

#include <cwctype>
#include <initializer_list>
#include <string>

namespace {

constexpr int kWidth = 290;

}  // namespace

void ControlsPanel::Create(HWND parent, int x, int y)
{
    m_Name.Create(parent, x + 12, y + 26, 150, 24, L"tsumiki");
    m_Greet.Create(parent, x + 172, y + 24, 106, 28, L"Greet");
    m_Greeting.Create(parent, x + 12, y + 62, kWidth - 24, 20, L"Press Greet.");
    m_Shout.Create(parent, x + 12, y + 100, 160, 24, L"Shout");
    m_Group.Create(parent, x, y, kWidth, 150, L"Controls");
    m_LogTitle.Create(parent, x, y + 162, kWidth, 20, L"Event log");
    m_Log.Create(parent, x, y + 184, kWidth, 356, L"");
    Log(L"Controls ready.");
}

void ControlsPanel::Show(bool visible)
{
    for (CWindowBase* control : std::initializer_list<CWindowBase*>{
             &m_Group, &m_Name, &m_Greet, &m_Greeting, &m_Shout, &m_LogTitle, &m_Log}) {
        control->Show(visible);
    }
}

bool ControlsPanel::OnCommand(HWND, int id, HWND control, UINT code)
{
    if (m_Greet.IsPush(id)) {
        wchar_t name[64] = {};
        m_Name.GetText(name, 64);
        std::wstring greeting = std::wstring(L"Hello, ") + name + L"!";
        if (m_Shout.IsCheck()) {
            for (wchar_t& c : greeting) {
                c = static_cast<wchar_t>(std::towupper(c));
            }
        }
        m_Greeting.SetText(greeting.c_str());
        Log((L"Greet pressed " + std::to_wstring(++m_Presses) + L" time(s).").c_str());
        return true;
    }
    if (control && control == m_Shout.GetWndHandle()) {
        // A BS_CHECKBOX does not check itself: the click only tells us about it.
        if (code == BN_CLICKED) {
            m_Shout.ToggleCheck(control);
            Log(m_Shout.IsCheck() ? L"Shout on." : L"Shout off.");
        }
        return true;
    }
    return false;
}

void ControlsPanel::Log(const wchar_t* line)
{
    m_Log.AddText(line);
    m_Log.AddText(L"\r\n");
}

void ControlsPanel::Anchor(CWindowBase& window) const
{
    for (const CWindowBase* control : std::initializer_list<const CWindowBase*>{
             &m_Group, &m_Name, &m_Greet, &m_Greeting, &m_Shout, &m_LogTitle}) {
        window.Anchor(control->GetWndHandle(), ANCHOR_TOP | ANCHOR_RIGHT);
    }
    window.Anchor(m_Log.GetWndHandle(), ANCHOR_TOP | ANCHOR_BOTTOM | ANCHOR_RIGHT);
}
