// The colour a form is painted in: what the default OnPaint clears with and what the
// controls on the window paint their background in, once a program has chosen it.
#include "window/form_color.h"

#include "tsumiki/framework.h"

namespace tsumiki {

namespace {

COLORREF RgbOf(unsigned long argb)
{
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace

unsigned long SystemFormColor()
{
    COLORREF face = GetSysColor(COLOR_3DFACE);
    return 0xFF000000ul | (static_cast<unsigned long>(GetRValue(face)) << 16) |
           (static_cast<unsigned long>(GetGValue(face)) << 8) | GetBValue(face);
}

HBRUSH detail::PaintOnClearColor(HDC dc, unsigned long argb, HBRUSH brush)
{
    SetBkColor(dc, RgbOf(argb));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return brush;
}

void CWindowBase::SetClearColor(unsigned long argb)
{
    HBRUSH brush = CreateSolidBrush(RgbOf(argb));
    // Without a brush the window keeps the colour it had rather than half of a new one.
    if (!brush) {
        return;
    }
    m_ClearColor = argb;
    m_ClearBrush.reset(brush, [](HBRUSH owned) { DeleteObject(owned); });
    if (m_hWnd && IsWindow(m_hWnd)) {
        // The controls ask for their colour again when they paint next.
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace tsumiki
