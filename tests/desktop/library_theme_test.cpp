#include <gtest/gtest.h>

#include <tsumiki.h>

#include <commctrl.h>

#include "support/pixels.h"
#include "support/pump.h"

namespace {

const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class Form : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        m_Name.Create(hwnd, 10, 10, 150, 24, L"");
        m_List.Create(hwnd, 10, 40, 150, 30);
        return 1;
    }
    void OnDestroy(HWND) override {}
    HWND Edit() const { return m_Name.GetWndHandle(); }
    HWND List() const { return m_List.GetWndHandle(); }

private:
    CEdit m_Name;
    CListView m_List;
};

// Brightness of a pixel, 0 to 255, once the window has painted what it was asked to.
int Brightness(HWND window, int x, int y)
{
    PumpFor(50);
    UpdateWindow(window);
    unsigned colour = ClientPixel(window, x, y);
    return ((colour >> 16 & 0xFF) + (colour >> 8 & 0xFF) + (colour & 0xFF)) / 3;
}

// The user's app mode, as the system's Settings write it.
void PreferApps(bool light)
{
    DWORD value = light ? 1 : 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &value, sizeof(value));
}

TEST(LibraryTheme, DialogsAndEditsTurnDarkAndLightAgain)
{
    Form form;
    ASSERT_TRUE(form.CreateDiag(L"form", 200, 120, 30, 30, false, nullptr));
    HWND dialog = form.GetWndHandle();
    struct Step { ETheme theme; bool preferLight; bool dark; };
    for (const Step& step : {Step{THEME_DARK, true, true}, Step{THEME_LIGHT, false, false},
                             Step{THEME_SYSTEM, false, true}, Step{THEME_SYSTEM, true, false}}) {
        PreferApps(step.preferLight);
        EXPECT_EQ(IsDarkModePreferred(), !step.preferLight);
        if (GetLibraryTheme() == THEME_SYSTEM) {
            // The notice the system sends every top-level window when the user switches.
            SendMessageW(dialog, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        } else {
            SetLibraryTheme(step.theme);
        }
        EXPECT_EQ(GetLibraryTheme(), step.theme);
        EXPECT_EQ(Brightness(dialog, 180, 60) < 64, step.dark);
        EXPECT_EQ(Brightness(form.Edit(), 4, 4) < 64, step.dark);
        EXPECT_EQ(ListView_GetBkColor(form.List()) != GetSysColor(COLOR_WINDOW), step.dark);
    }
    form.UseDarkTitleBar();
    form.UseDarkTitleBar(false);
    EXPECT_TRUE(IsWindow(dialog));
    SetLibraryTheme(THEME_LIGHT);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme");
    EXPECT_FALSE(IsDarkModePreferred());
    DestroyWindow(dialog);
}

}  // namespace
