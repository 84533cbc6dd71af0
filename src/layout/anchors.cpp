// The window members that lay a form out: anchors and client size limits.
#include "layout/window_layout.h"

#include "tsumiki/framework.h"

namespace tsumiki {

void CWindowBase::Anchor(HWND control, UINT edges)
{
    if ((edges & ~static_cast<UINT>(ANCHOR_ALL)) || !control || !IsWindow(control) ||
        GetAncestor(control, GA_PARENT) != m_hWnd) {
        return;
    }
    layout::WindowLayout* layout = layout::LayoutOf(m_hWnd, true);
    if (!layout) {
        return;
    }
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    const layout::AnchoredControl anchored = {control, edges, place, {client.right, client.bottom},
                                              layout->dpi};
    for (layout::AnchoredControl& known : layout->controls) {
        if (known.control == control) {
            known = anchored;
            return;
        }
    }
    layout->controls.push_back(anchored);
}

namespace {

void SetLimit(HWND window, SIZE layout::WindowLayout::*limit, int width, int height)
{
    layout::WindowLayout* layout = layout::LayoutOf(window, true);
    if (!layout) {
        return;
    }
    layout->*limit = {width > 0 ? width : 0, height > 0 ? height : 0};
    layout::ApplyLimitsNow(window, *layout);
}

}  // namespace

void CWindowBase::SetMinClientSize(int width, int height)
{
    SetLimit(m_hWnd, &layout::WindowLayout::minClient, width, height);
}

void CWindowBase::SetMaxClientSize(int width, int height)
{
    SetLimit(m_hWnd, &layout::WindowLayout::maxClient, width, height);
}

}  // namespace tsumiki
