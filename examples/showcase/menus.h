// The showcase's menu bar and its dialogs.
#pragma once

#include <tsumiki.h>

class ControlsPanel;
class Scene;

// Help > About: a modal dialog with a few lines of text and an OK button. Given a
// lifetime, it closes by itself after that many milliseconds.
class AboutDialog : public CDialogBase {
public:
    bool Show(HWND owner, unsigned lifetimeMilliseconds);
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM initParam) override;
    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;

private:
    static void CALLBACK EndOfLife(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
    unsigned m_Lifetime = 0;
    CStatic m_Name;
    CStatic m_Line;
    CButton m_OK;
};

// A modeless tool window beside the main window, holding a few controls; what they do
// goes to the control panel's log.
class ToolDialog : public CDialogBase {
public:
    bool Show(HWND owner, ControlsPanel& log);
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM initParam) override;
    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;

private:
    ControlsPanel* m_Log = nullptr;
    CGroupBox m_Frame;
    CStatic m_Label;
    CEdit m_Text;
    CButton m_LogIt;
    CCheckBox m_UpperCase;
};

class ShowcaseMenus {
public:
    // Builds the menu bar on the window and opens the modeless tool dialog. In a timed run
    // (tour true) it also opens the About dialog by itself, so a screenshot shows it.
    void Attach(HWND window, ControlsPanel& log, bool tour);
    // Handles the window's WM_COMMAND; true when it was a menu item.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // The scene that File > Open… and the title styling items change.
    void SetScene(Scene& scene) { m_Scene = &scene; }
    // Gives the menus their share of the window's timer ticks.
    void OnTick(HWND hwnd, unsigned tick);
    // The bar, for the items the desktop part handles (Edit > Copy scene, Style > Dark).
    CMenu& Bar() { return m_Menu; }

private:
    // Language > English / 日本語: the library's own texts, the chosen one checked.
    void AddLanguageMenu(HWND window);
    void ShowLanguage(ELanguage language);
    bool ChooseLanguage(int id);

    CMenu m_Menu;
    HMENU m_Languages = nullptr;
    AboutDialog m_About;
    ToolDialog m_Tools;
    ControlsPanel* m_Log = nullptr;
    Scene* m_Scene = nullptr;
    bool m_Tour = false;
    bool m_TourOpenedAbout = false;
    DWORD m_Start = 0;
};
