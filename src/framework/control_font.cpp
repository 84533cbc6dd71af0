#include "framework/control_font.h"

#include "tsumiki/framework.h"

#include <atomic>

namespace tsumiki {

namespace {

// The client's font: the library only refers to it and never deletes it. Controls may be
// made on several threads at once.
std::atomic<HFONT> g_ControlFont{nullptr};

}  // namespace

void SetControlFont(HFONT font)
{
    g_ControlFont = font;
}

namespace detail {

HFONT ControlFont()
{
    return g_ControlFont;
}

}  // namespace detail

}  // namespace tsumiki
