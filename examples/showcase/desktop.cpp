// Shows: CTrayIcon (an icon in the notification area with a tip, a balloon, and a
// right-click menu made with CMenu, its events at OnTrayIcon); AcceptFiles and OnDropFiles
// (a picture dropped on the scene is shown there); SetClipboardImage (Edit > Copy scene,
// Ctrl+C, puts the scene on the clipboard as a picture; text selected in an edit box is
// still copied as text); CSettings (the window's place kept in %APPDATA%\tsumiki\showcase\settings.ini
// with SaveWindowPlacement and RestoreWindowPlacement); SetLibraryTheme and
// UseDarkTitleBar (Style > Dark).
#include "desktop.h"

#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "controls_panel.h"
#include "scene.h"

namespace {

// An edit box with text selected, whose copy Ctrl+C still is.
bool HasSelectedText(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    DWORD start = 0;
    DWORD end = 0;
    if (_wcsicmp(name, L"Edit") == 0) {
        SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    }
    return start != end;
}

}  // namespace

void ShowcaseDesktop::Attach(CWindowBase& window, CGraphics& buffer, CMenu& menu, Scene& scene,
                             ControlsPanel& log, std::function<int()> sceneWidth, bool tour)
{
    m_Window = &window;
    m_Buffer = &buffer;
    m_Menu = &menu;
    m_Scene = &scene;
    m_Log = &log;
    m_SceneWidth = std::move(sceneWidth);
    m_Tour = tour;
    HWND hwnd = window.GetWndHandle();
    window.AcceptFiles();
    m_TrayPopup = m_TrayMenu.AddMenu(L"Tray", 4, L"Show the showcase", L"Say hello", L"|", L"Quit");
    if (m_Tray.Add(hwnd, LoadIconW(nullptr, IDI_APPLICATION), L"tsumiki showcase")) {
        log.Log(L"Tray icon added: right-click it for its menu.");
    }
}

void ShowcaseDesktop::RestorePlace()
{
    if (!m_Tour && m_Settings.OpenForProgram(L"tsumiki", L"showcase")) {
        m_Settings.RestoreWindowPlacement(m_Window->GetWndHandle(), L"window");
    }
}

void ShowcaseDesktop::OnClose(HWND hwnd)
{
    if (!m_Tour && !m_Settings.GetPath().empty() && m_Settings.SaveWindowPlacement(hwnd, L"window")) {
        m_Settings.Save();
    }
}

bool ShowcaseDesktop::OnCommand(HWND hwnd, int id, HWND control, UINT)
{
    if (control || id < 0x8000) {
        return false;
    }
    if (m_Menu->IsSelect(L"Copy scene", id)) {
        CopyScene(hwnd);
    } else if (m_Menu->IsSelect(L"Dark", id)) {
        SwitchTheme(hwnd);
    } else if (m_TrayMenu.IsSelect(L"Show the showcase", id)) {
        ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
    } else if (m_TrayMenu.IsSelect(L"Say hello", id)) {
        m_Tray.ShowBalloon(L"tsumiki", L"Hello from the notification area.");
    } else if (m_TrayMenu.IsSelect(L"Quit", id)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    } else {
        return false;
    }
    return true;
}

void ShowcaseDesktop::CopyScene(HWND hwnd)
{
    // The shortcut takes Ctrl+C from every control: selected text is still copied as text.
    HWND focus = GetFocus();
    if (focus && HasSelectedText(focus)) {
        SendMessageW(focus, WM_COPY, 0, 0);
        return;
    }
    CImage picture;
    bool copied = m_Buffer->CopyTo(picture, 0, 0, m_SceneWidth(), m_Window->GetClientHeight()) &&
                  SetClipboardImage(hwnd, picture);
    m_Log->Log(copied ? L"The scene is on the clipboard." : L"The scene could not be copied.");
}

void ShowcaseDesktop::SwitchTheme(HWND hwnd)
{
    bool dark = GetLibraryTheme() != THEME_DARK;
    SetLibraryTheme(dark ? THEME_DARK : THEME_LIGHT);
    m_Window->UseDarkTitleBar(dark);
    CheckMenuItem(GetMenu(hwnd), m_Menu->GetID(L"Dark"), MF_BYCOMMAND | (dark ? MF_CHECKED : MF_UNCHECKED));
    m_Log->Log(dark ? L"The library's colours are dark." : L"The library's colours are light.");
}

void ShowcaseDesktop::OnDropFiles(HWND, const std::vector<std::wstring>& paths, int x, int)
{
    if (x >= m_SceneWidth()) {
        m_Log->Log(L"Drop pictures on the scene, left of the pages.");
    } else if (!paths.empty() && m_Scene->ShowPicture(paths.front().c_str())) {
        m_Log->Log((L"Dropped: " + paths.front()).c_str());
    } else {
        m_Log->Log(L"What was dropped is not a picture.");
    }
}

void ShowcaseDesktop::OnTrayIcon(HWND hwnd, UINT event, int x, int y)
{
    if (event == WM_CONTEXTMENU) {
        // So that the menu closes when the user clicks elsewhere.
        SetForegroundWindow(hwnd);
        TrackPopupMenu(m_TrayPopup, TPM_RIGHTBUTTON, x, y, 0, hwnd, nullptr);
        PostMessageW(hwnd, WM_NULL, 0, 0);
    } else if (event == NIN_SELECT || event == WM_LBUTTONDBLCLK) {
        ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
    }
}
