// The panel of standard controls: the parent window hands its WM_COMMAND notifications
// here, and the panel recognises its controls by identifier (IsPush) or handle (ToggleCheck).
#include "controls_panel.h"

#include <cwctype>
#include <initializer_list>
#include <string>

namespace {

constexpr int kWidth = 290;

}  // namespace

bool FilledGroupBox::Create(HWND parent, int x, int y, int width, int height,
                            const wchar_t* text)
{
    if (!CGroupBox::Create(parent, x, y, width, height, text)) {
        return false;
    }
    // Beneath the controls it frames and clipped by them, so its filling never covers them.
    auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    SetWindowStyle(style | WS_CLIPSIBLINGS);
    SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ChangeProc(this);
    return true;
}

LRESULT CALLBACK FilledGroupBox::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        HDC dc = GetDC(hwnd);
        // The brush the parent gives static controls, the one the caption is drawn on.
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(hwnd)));
        RECT inside = {};
        GetClientRect(hwnd, &inside);
        FillRect(dc, &inside, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        ReleaseDC(hwnd, dc);
    }
    // The frame and the caption are the group box's own painting.
    return CGroupBox::WndProc(hwnd, message, wParam, lParam);
}

void ControlsPanel::Create(HWND parent, int x, int y)
{
    m_Name.Create(parent, x + 12, y + 26, 150, 24, L"tsumiki");
    m_Greet.Create(parent, x + 172, y + 24, 106, 28, L"Greet");
    m_Greeting.Create(parent, x + 12, y + 62, kWidth - 24, 20, L"Press Greet.");
    m_Shout.Create(parent, x + 12, y + 100, 160, 24, L"Shout");
    // Made after the controls it frames, so that it can go beneath them.
    m_Group.Create(parent, x, y, kWidth, 150, L"Controls");
    m_LogTitle.Create(parent, x, y + 162, kWidth, 20, L"Event log");
    m_Log.Create(parent, x, y + 184, kWidth, 356, L"");
    Log(L"Controls ready.");
}

void ControlsPanel::Show(bool visible)
{
    for (CWindowBase* control : std::initializer_list<CWindowBase*>{
             &m_Group, &m_Name, &m_Greet, &m_Greeting, &m_Shout, &m_LogTitle, &m_Log}) {
        ShowWindow(control->GetWndHandle(), visible ? SW_SHOW : SW_HIDE);
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
