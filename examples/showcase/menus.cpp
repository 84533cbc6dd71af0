// Shows: CMenu (a menu bar of pop-ups built from lists of texts, a separator, items
// recognised by their text in OnCommand), CDialogBase run modally (the About box, which
// in a timed run opens by itself and ends through a timer of its own, since a dialog
// gets no OnTimer) and modelessly (a tool window with controls made in OnInitDialog).
#include "menus.h"

#include <cwctype>
#include <string>

#include "controls_panel.h"

namespace {

// In a timed run the About box opens this long after the start and stays this long, so
// that a screenshot taken a few seconds in shows it, and it is gone before the end.
constexpr DWORD kTourAboutAfter = 2000;
constexpr unsigned kTourAboutLifetime = 4000;

HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                RECT place, int id)
{
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    // Controls made outside a dialog template start with the bold system font.
    auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(control, WM_SETFONT, font, FALSE);
    return control;
}

}  // namespace

bool AboutDialog::Show(HWND owner, unsigned lifetimeMilliseconds)
{
    m_Lifetime = lifetimeMilliseconds;
    RECT frame = {};
    GetWindowRect(owner, &frame);
    const int width = 360;
    const int height = 190;
    int x = (frame.left + frame.right - width) / 2;
    int y = (frame.top + frame.bottom - height) / 2;
    return CreateDiag(L"About tsumiki", width, height, x, y, true, owner);
}

int AboutDialog::OnInitDialog(HWND hwnd, HWND, LPARAM)
{
    AddControl(hwnd, L"Static", L"tsumiki showcase", SS_LEFT, {20, 18, 320, 38}, -1);
    AddControl(hwnd, L"Static",
               L"Frame windows, dialogs, menus, controls and a GDI+ back buffer, "
               L"from one DLL.",
               SS_LEFT, {20, 44, 320, 80}, -1);
    AddControl(hwnd, L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {250, 110, 330, 136}, IDOK);
    if (m_Lifetime > 0) {
        SetTimer(hwnd, 1, m_Lifetime, &AboutDialog::EndOfLife);
    }
    return 1;
}

void CALLBACK AboutDialog::EndOfLife(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void AboutDialog::OnCommand(HWND hwnd, int id, HWND, UINT)
{
    // The modal loop turns Enter into IDOK and Esc into IDCANCEL.
    if (id == IDOK || id == IDCANCEL) {
        OnClose(hwnd);
    }
}

bool ToolDialog::Show(HWND owner, ControlsPanel& log)
{
    m_Log = &log;
    RECT frame = {};
    GetWindowRect(owner, &frame);
    return CreateDiag(L"Tools", 250, 210, frame.right + 10, frame.top, false, owner);
}

int ToolDialog::OnInitDialog(HWND hwnd, HWND, LPARAM)
{
    m_LogID = CWindowBase::CreateResourceID();
    AddControl(hwnd, L"Button", L"Message", BS_GROUPBOX, {10, 8, 230, 120}, -1);
    AddControl(hwnd, L"Static", L"Text to log:", SS_LEFT, {22, 30, 218, 48}, -1);
    m_Text = AddControl(hwnd, L"Edit", L"hello from the tools", WS_BORDER | ES_AUTOHSCROLL,
                        {22, 50, 218, 74}, CWindowBase::CreateResourceID());
    AddControl(hwnd, L"Button", L"Log it", BS_PUSHBUTTON, {22, 82, 110, 110}, m_LogID);
    m_UpperCase = AddControl(hwnd, L"Button", L"Upper case", BS_AUTOCHECKBOX, {22, 130, 218, 154},
                             CWindowBase::CreateResourceID());
    return 1;
}

void ToolDialog::OnCommand(HWND, int id, HWND, UINT code)
{
    if (id != m_LogID || code != BN_CLICKED || !m_Log) {
        return;
    }
    wchar_t text[128] = {};
    GetWindowTextW(m_Text, text, 128);
    std::wstring line = text;
    if (SendMessageW(m_UpperCase, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        for (wchar_t& c : line) {
            c = static_cast<wchar_t>(std::towupper(c));
        }
    }
    m_Log->Log(line.c_str());
}

void ShowcaseMenus::Attach(HWND window, ControlsPanel& log, bool tour)
{
    m_Log = &log;
    m_Tour = tour;
    m_Start = GetTickCount();
    wchar_t file[] = L"File";
    wchar_t help[] = L"Help";
    m_Menu.AddMenu(file, 3, L"Open…", L"|", L"Exit");
    m_Menu.AddMenu(help, 1, L"About");
    m_Menu.Set(window);
    m_Tools.Show(window, log);
}

bool ShowcaseMenus::OnCommand(HWND hwnd, int id, HWND control, UINT)
{
    if (control) {
        return false;
    }
    if (m_Menu.IsSelect(L"Open…", id)) {
        m_Log->Log(L"File > Open… chosen");
    } else if (m_Menu.IsSelect(L"Exit", id)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    } else if (m_Menu.IsSelect(L"About", id)) {
        // Returns once the About box has been closed; the window is disabled meanwhile.
        m_About.Show(hwnd, m_Tour ? kTourAboutLifetime : 0);
    } else {
        return false;
    }
    return true;
}

void ShowcaseMenus::OnTick(HWND hwnd, unsigned)
{
    if (m_Tour && !m_TourOpenedAbout && GetTickCount() - m_Start >= kTourAboutAfter) {
        m_TourOpenedAbout = true;
        // As if Help > About had been chosen; posted, so this tick ends before it runs.
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(m_Menu.GetID(L"About"), 0), 0);
    }
}
