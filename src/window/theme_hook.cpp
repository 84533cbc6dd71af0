#include "window/theme_hook.h"

#include "tsumiki/window.h"

#include <atomic>

namespace tsumiki {

namespace {

std::atomic<detail::ThemeColourAnswer> g_Colours{nullptr};
std::atomic<detail::ThemeControlStyler> g_Styler{nullptr};

}  // namespace

void detail::SetThemeHook(ThemeColourAnswer colours, ThemeControlStyler styler)
{
    g_Colours.store(colours);
    g_Styler.store(styler);
}

void detail::ThemeNewControl(HWND control)
{
    if (ThemeControlStyler styler = g_Styler.load()) {
        styler(control);
    }
}

HBRUSH detail::ThemedColour(UINT message, HDC dc, HWND control) noexcept
{
    ThemeColourAnswer colours = g_Colours.load();
    return colours ? colours(message, dc, control) : nullptr;
}

}  // namespace tsumiki
