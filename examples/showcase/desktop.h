// The showcase on the user's desktop: a tray icon, dropped pictures, the clipboard, a
// remembered place and a dark theme.
#pragma once

#include <tsumiki.h>

#include <string>
#include <vector>

class ControlsPanel;
class Scene;

class ShowcaseDesktop {
public:
    // Takes the scene's pictures from dropped files and adds the tray icon; menu is the
    // bar with Edit > Copy scene and Style > Dark. sceneWidth: the scene's share of the client area, in
    // pixels. In a timed run (tour true) nothing is read from or kept in the settings.
    void Attach(CWindowBase& window, CGraphics& buffer, CMenu& menu, Scene& scene, ControlsPanel& log,
                int sceneWidth, bool tour);
    // Puts the window where it was when the showcase last closed.
    void RestorePlace();
    // Handles the window's WM_COMMAND; true when it was one of these items.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnDropFiles(HWND hwnd, const std::vector<std::wstring>& paths, int x, int y);
    void OnTrayIcon(HWND hwnd, UINT event, int x, int y);
    // Keeps the window's place; called as the window closes.
    void OnClose(HWND hwnd);

private:
    void CopyScene(HWND hwnd);
    void SwitchTheme(HWND hwnd);

    CWindowBase* m_Window = nullptr;
    CGraphics* m_Buffer = nullptr;
    CMenu* m_Menu = nullptr;
    Scene* m_Scene = nullptr;
    ControlsPanel* m_Log = nullptr;
    int m_SceneWidth = 0;
    bool m_Tour = false;
    CTrayIcon m_Tray;
    // The tray icon's right-click menu: a CMenu whose bar is never shown, only its pop-up.
    CMenu m_TrayMenu;
    HMENU m_TrayPopup = nullptr;
    CSettings m_Settings;
};
