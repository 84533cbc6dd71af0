// A window's DPI, lengths scaled by it, and the default answer to a change of DPI.
#include "dpi/window_dpi.h"

#include "dpi/owned_fonts.h"
#include "tsumiki/framework.h"

#include <algorithm>
#include <climits>
#include <cwctype>
#include <string>

namespace tsumiki {

namespace {

constexpr int kDefaultDpi = 96;

// A manifest setting of the process, lower-cased; empty when it has none.
std::wstring ManifestSetting(const wchar_t* nameSpace, const wchar_t* name)
{
    wchar_t value[64] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, nullptr, nameSpace, name, value, 63, &written)) {
        return std::wstring();
    }
    std::wstring text(value);
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

// Whether the program's manifest declares any DPI awareness. Wine reports every program
// as aware and does not stretch the unaware ones, so the platform's own answer cannot
// tell a program written for 96 DPI pixels from one that scales itself.
bool ManifestDeclaresAwareness()
{
    static const bool declared = [] {
        std::wstring awareness = ManifestSetting(
            L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness");
        if (!awareness.empty()) {
            return awareness.compare(0, 7, L"unaware") != 0;
        }
        std::wstring aware = ManifestSetting(
            L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware");
        return aware.compare(0, 4, L"true") == 0 || aware == L"per monitor";
    }();
    return declared;
}

// GetDpiForWindow and GetDpiForSystem exist from Windows 10 (1607) on; earlier systems
// have the screen's LOGPIXELSY, which is the system DPI.
template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int PlatformDpi(HWND window)
{
    using ForWindow = UINT(WINAPI*)(HWND);
    using ForSystem = UINT(WINAPI*)();
    static const auto forWindow = User32Function<ForWindow>("GetDpiForWindow");
    static const auto forSystem = User32Function<ForSystem>("GetDpiForSystem");
    UINT dpi = 0;
    if (window && IsWindow(window) && forWindow) {
        dpi = forWindow(window);
    }
    if (dpi == 0 && forSystem) {
        dpi = forSystem();
    }
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        dpi = screen ? static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY)) : 0;
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 && dpi <= 0xFFFF ? static_cast<int>(dpi) : kDefaultDpi;
}

// A suggested rectangle without area is ignored; one larger than the whole desktop is cut
// to it, so that a wrong message cannot ask for a back buffer of gigabytes.
bool FitSuggestion(const RECT& suggested, int& width, int& height)
{
    long long wide = static_cast<long long>(suggested.right) - suggested.left;
    long long high = static_cast<long long>(suggested.bottom) - suggested.top;
    if (wide <= 0 || high <= 0) {
        return false;
    }
    long long desktopWide = std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1);
    long long desktopHigh = std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1);
    width = static_cast<int>(std::min(wide, desktopWide));
    height = static_cast<int>(std::min(high, desktopHigh));
    return true;
}

}  // namespace

namespace detail {

int WindowDpi(HWND window)
{
    return ManifestDeclaresAwareness() ? PlatformDpi(window) : kDefaultDpi;
}

}  // namespace detail

int CWindowBase::GetDpi() const
{
    return detail::WindowDpi(m_hWnd);
}

int CWindowBase::Scale(int pixelsAt96) const
{
    long long product = static_cast<long long>(pixelsAt96) * GetDpi();
    long long half = kDefaultDpi / 2;
    long long scaled = (product >= 0 ? product + half : product - half) / kDefaultDpi;
    return static_cast<int>(std::clamp<long long>(scaled, INT_MIN, INT_MAX));
}

float CWindowBase::ScaleF(float pixelsAt96) const
{
    return pixelsAt96 * static_cast<float>(GetDpi()) / kDefaultDpi;
}

void CWindowBase::OnDpiChanged(HWND hwnd, int dpi, const RECT* suggested)
{
    int width = 0;
    int height = 0;
    if (suggested && FitSuggestion(*suggested, width, height)) {
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // WM_SIZE rebuilds it too, but only through an OnSize that was not overridden.
    m_Graphics.CreateBackBuffer(hwnd);
    detail::RescaleOwnedFonts(hwnd, dpi);
    InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace tsumiki
