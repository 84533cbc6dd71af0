// tsumiki showcase: every class of the library at work in one program.
// Shows: a frame window derived from CWindowBase, painting through its back buffer
// (CGraphics), animation driven by its timer (CTimer), MessageLoop, one font for every
// control (SetControlFontFace), sharp at any DPI (Scale, the manifest), the standard
// keys (UseStandardKeys); the scene (scene.cpp),
// a column of pages under tabs (pages.cpp): the panel of controls (controls_panel.cpp),
// the choices for the sprites (choices_panel.cpp), the library of pictures
// (library_panel.cpp), music and a child process (media_panel.cpp) and the guide to the
// library's classes (classes_panel.cpp); menus and dialogs (menus.cpp); a shaped window and
// a bitmap button (shapes_demo.cpp); the tray icon, dropped pictures, the clipboard, the
// window's remembered place and the dark theme (desktop.cpp).
// Run with --seconds N to close by itself after N seconds.
#include <tsumiki.h>

#include <shellapi.h>

#include <cwchar>
#include <cstdlib>

#include "choices_panel.h"
#include "classes_panel.h"
#include "controls_panel.h"
#include "desktop.h"
#include "layout.h"
#include "library_panel.h"
#include "media_panel.h"
#include "menus.h"
#include "pages.h"
#include "scene.h"
#include "shapes_demo.h"

namespace {

class ShowcaseWindow : public CWindowBase {
public:
    explicit ShowcaseWindow(int secondsToRun) : m_SecondsToRun(secondsToRun) {}

    bool Create()
    {
        // The client area is laid out for 96 DPI and scaled for the screen's.
        RECT frame = {0, 0, Scale(kClientWidth), Scale(kClientHeight)};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        if (!CreateWnd(L"tsumiki showcase", frame.right - frame.left, frame.bottom - frame.top,
                       40, 40, nullptr, nullptr, L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0)) {
            return false;
        }
        m_Desktop.RestorePlace();
        return true;
    }

    int OnCreate(HWND hwnd, CREATESTRUCTW*) override
    {
        m_Scene.Prepare(hwnd);
        m_Pages.Create(hwnd, kPanelLeft, 0, kClientWidth - kPanelLeft, kClientHeight);
        m_Pages.Add(L"Scene", m_Panel);
        m_Pages.Add(L"Choices", m_Choices);
        m_Pages.Add(L"Library", m_Library);
        m_Pages.Add(L"Media", m_Media);
        m_Pages.Add(L"Classes", m_Classes);
        m_Library.Catalogue(m_Scene.Pictures());
        m_Menus.SetScene(m_Scene);
        m_Menus.Attach(hwnd, m_Panel, m_SecondsToRun > 0);
        m_Desktop.Attach(*this, m_Graphics, m_Menus.Bar(), m_Scene, m_Panel, Scale(kPanelLeft), m_SecondsToRun > 0);
        // The pages were placed in 96 DPI pixels; the shapes below place themselves.
        ScaleChildLayout(*this, hwnd);
        m_Shapes.Create(hwnd, [this](const wchar_t* line) { m_Panel.Log(line); });
        if (m_SecondsToRun > 0) {
            m_Media.PressRunChildSoon(hwnd);
        }
        m_Timer.Create(hwnd, kFrameMilliseconds, nullptr);
        // Tab between the panel's controls, Alt plus their underlined letters.
        UseStandardKeys();
        return 1;
    }

    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override
    {
        if (!m_Desktop.OnCommand(hwnd, id, control, code) && !m_Menus.OnCommand(hwnd, id, control, code) &&
            !m_Shapes.OnCommand(hwnd, id, control, code)) {
            m_Pages.OnCommand(hwnd, id, control, code);
        }
    }

    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header) override
    {
        m_Pages.OnNotify(hwnd, id, header);
        return 0;
    }

    void OnHScroll(HWND hwnd, HWND scrollBar, UINT code, int position) override
    {
        m_Pages.OnHScroll(hwnd, scrollBar, code, position);
    }

    void OnVScroll(HWND hwnd, HWND scrollBar, UINT code, int position) override
    {
        m_Pages.OnVScroll(hwnd, scrollBar, code, position);
    }

    HBRUSH OnCtlColorStatic(HWND hwnd, HDC dc, HWND control, int kind) override
    {
        HBRUSH page = m_Pages.Background(dc, control);
        return page ? page : CWindowBase::OnCtlColorStatic(hwnd, dc, control, kind);
    }

    HBRUSH OnCtlColorEdit(HWND hwnd, HDC dc, HWND control, int kind) override
    {
        HBRUSH page = m_Pages.Background(dc, control);
        return page ? page : CWindowBase::OnCtlColorEdit(hwnd, dc, control, kind);
    }

    void OnDropFiles(HWND hwnd, const std::vector<std::wstring>& paths, int x, int y) override
    {
        m_Desktop.OnDropFiles(hwnd, paths, x, y);
    }

    void OnTrayIcon(HWND hwnd, UINT event, int x, int y) override { m_Desktop.OnTrayIcon(hwnd, event, x, y); }

    void OnClose(HWND hwnd) override
    {
        m_Desktop.OnClose(hwnd);
        CWindowBase::OnClose(hwnd);
    }

    void OnTimer(HWND hwnd, UINT id) override
    {
        if (static_cast<int>(id) != m_Timer.GetID()) {
            return;
        }
        ++m_Tick;
        if (m_SecondsToRun > 0) {
            Tour();
        }
        m_Menus.OnTick(hwnd, m_Tick);
        m_Library.OnTick(m_Tick);
        if (m_SecondsToRun > 0 && m_Tick * kFrameMilliseconds >= m_SecondsToRun * 1000u) {
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        }
        InvalidateRect(hwnd, nullptr, FALSE);
    }

    void OnPaint(HWND hwnd) override
    {
        // The scene fills the client area left of the control panel.
        m_Scene.Draw(m_Graphics, Scale(kPanelLeft), GetClientHeight(), m_Tick);
        m_Graphics.Present(hwnd);
    }

private:
    static constexpr unsigned kFrameMilliseconds = 33;
    static constexpr int kPanelLeft = 640;
    // The client area at 96 DPI.
    static constexpr int kClientWidth = 944;
    static constexpr int kClientHeight = 581;
    // A timed run turns the pages by itself, a page every kTourPageTicks, so that
    // screenshots taken along the way show each of them; the class guide comes last.
    static constexpr unsigned kTourPageTicks = 45;

    void Tour()
    {
        static const wchar_t* const pages[] = {L"Choices", L"Library", L"Media", L"Classes"};
        if (m_Tick % kTourPageTicks != 0 || m_Tick / kTourPageTicks > 4) {
            return;
        }
        const wchar_t* page = pages[m_Tick / kTourPageTicks - 1];
        m_Pages.Select(page);
        if (page == pages[3]) {
            m_Classes.Choose(L"CTreeView");
        }
    }
    Scene m_Scene;
    ControlsPanel m_Panel;
    ChoicesPanel m_Choices{m_Scene.Choices(), m_Panel};
    ClassesPanel m_Classes;
    Pages m_Pages;
    LibraryPanel m_Library;
    MediaPanel m_Media;
    ShowcaseMenus m_Menus;
    ShapesDemo m_Shapes;
    ShowcaseDesktop m_Desktop;
    unsigned m_Tick = 0;
    int m_SecondsToRun;
};

int SecondsFromCommandLine()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    int seconds = 0;
    for (int i = 1; arguments && i + 1 < count; ++i) {
        if (std::wcscmp(arguments[i], L"--seconds") == 0) {
            seconds = std::wcstol(arguments[i + 1], nullptr, 10);
        }
    }
    LocalFree(arguments);
    return seconds;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ShowcaseWindow window(SecondsFromCommandLine());
    // Made by the library at the window's DPI, and again when the DPI changes.
    SetControlFontFace(L"Tahoma", 8);
    if (!window.Create()) {
        return 1;
    }
    MessageLoop(nullptr, nullptr, nullptr);
    return 0;
}
