#include "framework/control_font.h"

#include "tsumiki/framework.h"

namespace {

// The client's font: the library only refers to it and never deletes it.
HFONT g_ControlFont = nullptr;

}  // namespace

void SetControlFont(HFONT font)
{
    g_ControlFont = font;
}

namespace tsumiki_detail {

HFONT ControlFont()
{
    return g_ControlFont;
}

}  // namespace tsumiki_detail
