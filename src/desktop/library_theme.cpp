// The library's own colours, light or dark, and the user's preference between them.
#include "tsumiki/desktop.h"

#include "desktop/shell_notices.h"
#include "window/theme_hook.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <atomic>
#include <cwchar>

namespace tsumiki {

namespace {

// The dark colours: faces (dialogs, statics), fields (edits, lists) and text.
constexpr COLORREF kDarkFace = RGB(32, 32, 32);
constexpr COLORREF kDarkField = RGB(43, 43, 43);
constexpr COLORREF kDarkText = RGB(240, 240, 240);
constexpr COLORREF kDarkDisabledText = RGB(128, 128, 128);

std::atomic<int> g_Theme{THEME_LIGHT};
std::atomic<bool> g_Dark{false};
// The colours this thread's list and tree views and windows were last given.
thread_local bool t_AppliedDark = false;

// The two brushes of the dark colours, made on first need and deleted when the library goes.
struct DarkBrushes {
    DarkBrushes() : face(CreateSolidBrush(kDarkFace)), field(CreateSolidBrush(kDarkField)) {}
    ~DarkBrushes()
    {
        DeleteObject(face);
        DeleteObject(field);
    }
    HBRUSH face;
    HBRUSH field;
};

const DarkBrushes& Brushes()
{
    static const DarkBrushes brushes;
    return brushes;
}

// The one answer of the dark theme to the colour messages.
HBRUSH AnswerColour(UINT message, HDC dc, HWND control)
{
    if (!g_Dark.load()) {
        return nullptr;
    }
    bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    if (!field && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN &&
        message != WM_CTLCOLORDLG) {
        return nullptr;
    }
    SetTextColor(dc, control && !IsWindowEnabled(control) ? kDarkDisabledText : kDarkText);
    SetBkColor(dc, field ? kDarkField : kDarkFace);
    return field ? Brushes().field : Brushes().face;
}

bool HasClass(HWND window, const wchar_t* className)
{
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    return std::wcscmp(name, className) == 0;
}

// List and tree views draw themselves: they are told the theme and colours.
void StyleControl(HWND control)
{
    bool dark = g_Dark.load();
    if (HasClass(control, WC_LISTVIEWW)) {
        SetWindowTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
        ListView_SetBkColor(control, dark ? kDarkField : GetSysColor(COLOR_WINDOW));
        ListView_SetTextBkColor(control, dark ? kDarkField : CLR_DEFAULT);
        ListView_SetTextColor(control, dark ? kDarkText : GetSysColor(COLOR_WINDOWTEXT));
    } else if (HasClass(control, WC_TREEVIEWW)) {
        SetWindowTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
        // -1: the system's colours.
        TreeView_SetBkColor(control, dark ? kDarkField : static_cast<COLORREF>(-1));
        TreeView_SetTextColor(control, dark ? kDarkText : static_cast<COLORREF>(-1));
    }
}

// A view made in light has the platform's look already.
void StyleNewControl(HWND control)
{
    if (g_Dark.load()) {
        StyleControl(control);
    }
}

BOOL CALLBACK StyleChild(HWND child, LPARAM)
{
    StyleControl(child);
    return TRUE;
}

// lParam: whether the views are told the colours (only when they change, so that a
// program's own colours on a view stay until the theme does change).
BOOL CALLBACK Recolour(HWND window, LPARAM restyle)
{
    if (restyle) {
        EnumChildWindows(window, &StyleChild, 0);
    }
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

// Gives the calling thread's windows the colours now chosen.
void RecolourThreadWindows()
{
    bool changed = t_AppliedDark != g_Dark.load();
    t_AppliedDark = g_Dark.load();
    EnumThreadWindows(GetCurrentThreadId(), &Recolour, changed);
}

}  // namespace

bool IsDarkModePreferred()
{
    DWORD lightApps = 1;
    DWORD size = sizeof(lightApps);
    return RegGetValueW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &lightApps,
                        &size) == ERROR_SUCCESS &&
           lightApps == 0;
}

void SetLibraryTheme(ETheme theme)
{
    if (theme != THEME_LIGHT && theme != THEME_DARK && theme != THEME_SYSTEM) {
        return;
    }
    g_Theme.store(theme);
    g_Dark.store(theme == THEME_DARK || (theme == THEME_SYSTEM && IsDarkModePreferred()));
    detail::SetThemeHook(&AnswerColour, &StyleNewControl);
    WatchShellNotices();
    RecolourThreadWindows();
}

ETheme GetLibraryTheme()
{
    return static_cast<ETheme>(g_Theme.load());
}

void FollowSystemTheme(const wchar_t* area)
{
    if (g_Theme.load() != THEME_SYSTEM || !area || std::wcscmp(area, L"ImmersiveColorSet") != 0) {
        return;
    }
    g_Dark.store(IsDarkModePreferred());
    // Each thread's windows hear the notice: each recolours its own once.
    if (t_AppliedDark != g_Dark.load()) {
        RecolourThreadWindows();
    }
}

}  // namespace tsumiki
