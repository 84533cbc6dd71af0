// Shows: OpenColorDialog, OpenFontDialog and OpenFileNameDialog from the menu (the title's
// colour and font, a picture for the scene); CMenu (a menu bar of pop-ups built from lists of texts, a separator, items
// recognised by their text in OnCommand, shortcuts written after a tab: Ctrl+O, F1, Alt+F4;
// Language switches the library's own texts with SetLibraryLanguage), CDialogBase run
// modally (the About box, which
// in a timed run opens by itself and ends through a timer of its own, since a dialog
// gets no OnTimer) and modelessly (a tool window whose CGroupBox, CStatic, CEdit, CButton
// and CCheckBox are made in OnInitDialog and report to the dialog's OnCommand; with
// UseStandardKeys, Tab moves between them, Enter logs, Escape closes, Alt+L presses "&Log it").
#include "menus.h"

#include <cstdlib>
#include <cwctype>
#include <string>

#include "controls_panel.h"
#include "layout.h"
#include "scene.h"

namespace {

// In a timed run the About box opens this long after the start and stays this long: it is
// gone before the pages are turned, so that it covers none of them in screenshots.
constexpr DWORD kTourAboutAfter = 300;
constexpr unsigned kTourAboutLifetime = 1200;

// File > Open…: a picture the user picks goes into the scene.
void OpenPicture(HWND owner, Scene* scene, ControlsPanel& log)
{
    wchar_t path[MAX_PATH] = L"";
    // A null title: the library's own, in the language chosen under Language.
    bool chosen = OpenFileNameDialog(path, L"Pictures (*.png;*.bmp;*.jpg;*.gif)\0*.png;*.bmp;*.jpg;*.jpeg;*.gif\0"
                                           L"All files(*.*)\0*.*\0",
                                     L"png", owner, nullptr);
    if (chosen && scene && scene->ShowPicture(path)) {
        log.Log((std::wstring(L"Opened ") + path).c_str());
    }
}

// Style > Pick colour…: the title takes the colour, as GDI+ ARGB.
void PickTitleColour(HWND owner, Scene* scene, ControlsPanel& log)
{
    DWORD colour = OpenColorDialog(true, owner);
    if (colour && scene) {
        scene->StyleTitle(nullptr, 0, colour);
        log.Log(L"Title colour picked.");
    }
}

// Style > Pick font…: the title takes the face, the size and the colour.
void PickTitleFont(HWND owner, Scene* scene, ControlsPanel& log)
{
    LOGFONTW font = {};
    DWORD colour = 0;
    if (!OpenFontDialog(&font, &colour, owner) || !scene) {
        return;
    }
    HDC screen = GetDC(nullptr);
    float points = std::abs(font.lfHeight) * 72.0f / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // COLORREF (0x00BBGGRR) to opaque ARGB.
    unsigned long argb = 0xFF000000ul | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    scene->StyleTitle(font.lfFaceName, points, argb);
    log.Log((std::wstring(L"Title font: ") + font.lfFaceName).c_str());
}

}  // namespace

bool AboutDialog::Show(HWND owner, unsigned lifetimeMilliseconds)
{
    m_Lifetime = lifetimeMilliseconds;
    RECT frame = {};
    GetWindowRect(owner, &frame);
    const int width = Scale(360);
    const int height = Scale(190);
    // Over the picture, clear of the control panel and its log on the right.
    int x = frame.left + (frame.right - frame.left) / 3 - width / 2;
    int y = (frame.top + frame.bottom - height) / 2;
    return CreateDiag(L"About tsumiki", width, height, x, y, true, owner);
}

int AboutDialog::OnInitDialog(HWND hwnd, HWND, LPARAM)
{
    m_Name.Create(hwnd, 20, 18, 300, 20, L"tsumiki showcase");
    m_Line.Create(hwnd, 20, 44, 300, 36,
                  L"Frame windows, dialogs, menus, controls and a GDI+ back buffer, "
                  L"from one DLL.");
    m_OK.Create(hwnd, 250, 110, 80, 26, L"OK");
    ScaleChildLayout(*this, hwnd);
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
    if (m_OK.IsPush(id) || id == IDOK || id == IDCANCEL) {
        OnClose(hwnd);
    }
}

bool ToolDialog::Show(HWND owner, ControlsPanel& log)
{
    m_Log = &log;
    RECT frame = {};
    GetWindowRect(owner, &frame);
    return CreateDiag(L"Tools", Scale(250), Scale(210), frame.right + 10, frame.top, false, owner);
}

int ToolDialog::OnInitDialog(HWND hwnd, HWND, LPARAM)
{
    m_Frame.Create(hwnd, 10, 8, 220, 112, L"Message");
    m_Label.Create(hwnd, 22, 30, 196, 18, L"&Text to log:");
    m_Text.Create(hwnd, 22, 50, 196, 24, L"hello from the tools");
    m_LogIt.Create(hwnd, 22, 82, 88, 28, L"&Log it");
    m_UpperCase.Create(hwnd, 22, 130, 196, 24, L"&Upper case");
    ScaleChildLayout(*this, hwnd);
    UseStandardKeys();
    return 1;
}

void ToolDialog::OnCommand(HWND, int id, HWND control, UINT code)
{
    if (code != BN_CLICKED) {
        return;
    }
    // A check box of the library changes only when told.
    m_UpperCase.ToggleCheck(control);
    // Enter arrives as IDOK and logs as the button does.
    if ((!m_LogIt.IsPush(id) && id != IDOK) || !m_Log) {
        return;
    }
    wchar_t text[128] = {};
    m_Text.GetText(text, 128);
    std::wstring line = text;
    if (m_UpperCase.IsCheck()) {
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
    m_Menu.AddMenu(L"File", 3, L"Open…\tCtrl+O", L"|", L"Exit\tAlt+F4");
    m_Menu.AddMenu(L"Edit", 1, L"Copy scene\tCtrl+C");
    m_Menu.AddMenu(L"Style", 4, L"Pick colour…", L"Pick font…", L"|", L"Dark");
    m_Menu.AddMenu(L"Help", 1, L"About\tF1");
    m_Menu.Set(window);
    m_Tools.Show(window, log);
    AddLanguageMenu(window);
}

void ShowcaseMenus::AddLanguageMenu(HWND window)
{
    // The library's own texts (the open dialog's title, its failure messages) follow.
    m_Languages = m_Menu.AddMenu(L"Language", 2, L"English", L"日本語");
    m_Menu.Set(window);
    ShowLanguage(GetLibraryLanguage());
}

void ShowcaseMenus::ShowLanguage(ELanguage language)
{
    const int english = m_Menu.GetID(L"English");
    const int japanese = m_Menu.GetID(L"日本語");
    CheckMenuRadioItem(m_Languages, english, japanese,
                       language == LANGUAGE_ENGLISH ? english : japanese, MF_BYCOMMAND);
}

bool ShowcaseMenus::ChooseLanguage(int id)
{
    const ELanguage chosen = m_Menu.IsSelect(L"English", id) ? LANGUAGE_ENGLISH : LANGUAGE_JAPANESE;
    if (chosen == LANGUAGE_JAPANESE && !m_Menu.IsSelect(L"日本語", id)) {
        return false;
    }
    SetLibraryLanguage(chosen);
    ShowLanguage(chosen);
    m_Log->Log(chosen == LANGUAGE_ENGLISH ? L"The library speaks English." : L"The library speaks Japanese.");
    return true;
}

bool ShowcaseMenus::OnCommand(HWND hwnd, int id, HWND control, UINT)
{
    if (control) {
        return false;
    }
    if (m_Menu.IsSelect(L"Open…", id)) {
        m_Log->Log(L"File > Open… chosen.");
        OpenPicture(hwnd, m_Scene, *m_Log);
    } else if (m_Menu.IsSelect(L"Pick colour…", id)) {
        PickTitleColour(hwnd, m_Scene, *m_Log);
    } else if (m_Menu.IsSelect(L"Pick font…", id)) {
        PickTitleFont(hwnd, m_Scene, *m_Log);
    } else if (m_Menu.IsSelect(L"Exit", id)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    } else if (m_Menu.IsSelect(L"About", id)) {
        m_Log->Log(L"Help > About chosen.");
        // Returns once the About box has been closed; the window is disabled meanwhile.
        m_About.Show(hwnd, m_Tour ? kTourAboutLifetime : 0);
    } else {
        return ChooseLanguage(id);
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
