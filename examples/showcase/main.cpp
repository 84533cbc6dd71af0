// tsumiki showcase: every class of the library at work in one program.
// Shows: a frame window derived from CWindowBase, painting through its back buffer
// (CGraphics), animation driven by its timer (CTimer), MessageLoop, one font for every
// control (SetControlFontFace), sharp at any DPI (Scale, the manifest), the standard
// keys (UseStandardKeys), a layout that follows the window's size (Anchor, SetMinClientSize:
// the column of pages keeps to the right edge and grows down, the scene takes the rest);
// the scene (scene.cpp),
// a column of pages under tabs (pages.cpp): the panel of controls (controls_panel.cpp),
// the choices for the sprites (choices_panel.cpp), the library of pictures
// (library_panel.cpp), music and a child process (media_panel.cpp) and the guide to the
// library's classes (classes_panel.cpp); menus and dialogs (menus.cpp); a shaped window and
// a bitmap button (shapes_demo.cpp); the tray icon, dropped pictures, the clipboard, the
// window's remembered place and the dark theme (desktop.cpp).
// Run with --seconds N to close by itself after N seconds, with --grow P to open at P percent
// of its smallest size; a timed run with --shots PREFIX also saves the window as it shows each
// page, as PREFIX-scene.png, PREFIX-choices.png and so on.
#include <tsumiki.h>

#include <shellapi.h>

#include <cwchar>
#include <cstdlib>
#include <string>
#include <utility>

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
    ShowcaseWindow(int secondsToRun, int growPercent, std::wstring shotPrefix)
        : m_SecondsToRun(secondsToRun), m_GrowPercent(growPercent), m_ShotPrefix(std::move(shotPrefix))
    {
    }

    bool Create()
    {
        // The client area is laid out for 96 DPI and scaled for the screen's.
        RECT frame = {0, 0, Scale(kClientWidth), Scale(kClientHeight)};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        if (!CreateWnd(L"tsumiki showcase", frame.right - frame.left, frame.bottom - frame.top, 40, 40,
                       nullptr, nullptr, L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0)) {
            return false;
        }
        m_Desktop.RestorePlace();
        // Laid out and anchored at its smallest, it may then grow: the controls follow.
        if (m_GrowPercent > 100) {
            const int wider = GetClientWidth() * (m_GrowPercent - 100) / 100;
            const int taller = GetClientHeight() * (m_GrowPercent - 100) / 100;
            SetSize(GetWidth() + wider, GetHeight() + taller);
        }
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
        m_Desktop.Attach(*this, m_Graphics, m_Menus.Bar(), m_Scene, m_Panel, [this] { return m_Pages.Left(); },
                         m_SecondsToRun > 0);
        // The pages were placed in 96 DPI pixels; the shapes below place themselves.
        ScaleChildLayout(*this, hwnd);
        m_Choices.ShowEveryName();
        // The smallest window at which nothing overlaps is the one the layout was made for;
        // this also gives back the height the menu bar took from the client area.
        SetMinClientSize(kClientWidth, kClientHeight);
        m_Shapes.Create(hwnd, [this](const wchar_t* line) { m_Panel.Log(line); });
        // From here on the window moves its controls whenever it is resized.
        m_Pages.Anchor(*this);
        m_Panel.Anchor(*this);
        m_Library.Anchor(*this);
        m_Classes.Anchor(*this);
        m_Shapes.Anchor(*this);
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
        // The scene fills the client area left of the column of pages.
        m_Scene.Draw(m_Graphics, m_Pages.Left(), GetClientHeight(), m_Tick);
        m_Graphics.Present(hwnd);
    }

private:
    static constexpr unsigned kFrameMilliseconds = 33;
    static constexpr int kPanelLeft = 640;
    // The client area at 96 DPI, and the smallest the window takes.
    static constexpr int kClientWidth = 960;
    static constexpr int kClientHeight = 581;
    // A timed run turns the pages by itself, a page every kTourPageTicks, so that
    // screenshots taken along the way show each of them; the class guide comes last.
    static constexpr unsigned kTourPageTicks = 45;

    void Tour()
    {
        static const wchar_t* const pages[] = {L"Choices", L"Library", L"Media", L"Classes"};
        static const wchar_t* const shots[] = {L"scene", L"choices", L"library", L"media", L"classes"};
        // Halfway through a page, long after it has painted, counted in ticks rather than
        // time, so that a slow machine takes the same pictures.
        const unsigned shot = m_Tick / kTourPageTicks;
        if (!m_ShotPrefix.empty() && m_Tick % kTourPageTicks == kTourPageTicks / 2 && shot <= 4) {
            // The window as the screen shows it, frame and menu included.
            CImage picture;
            if (picture.LoadFromWindow(GetWndHandle())) {
                picture.Save((m_ShotPrefix + L"-" + shots[shot] + L".png").c_str(), IMAGE_PNG);
            }
        }
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
    int m_GrowPercent;
    std::wstring m_ShotPrefix;
};

// The word after the option on the command line; empty without it.
std::wstring WordFromCommandLine(const wchar_t* option)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring word;
    for (int i = 1; arguments && i + 1 < count; ++i) {
        if (std::wcscmp(arguments[i], option) == 0) {
            word = arguments[i + 1];
        }
    }
    LocalFree(arguments);
    return word;
}

// The number after the option on the command line; 0 without it.
int NumberFromCommandLine(const wchar_t* option)
{
    return std::wcstol(WordFromCommandLine(option).c_str(), nullptr, 10);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ShowcaseWindow window(NumberFromCommandLine(L"--seconds"), NumberFromCommandLine(L"--grow"),
                          WordFromCommandLine(L"--shots"));
    // Made by the library at the window's DPI, and again when the DPI changes.
    SetControlFontFace(L"Tahoma", 8);
    if (!window.Create()) {
        return 1;
    }
    MessageLoop(nullptr, nullptr, nullptr);
    return 0;
}
