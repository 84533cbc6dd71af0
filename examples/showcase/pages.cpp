// The tab control is the column's background: the pages' controls lie on top of it, so
// it is kept at the bottom of the sibling order, and its WS_CLIPSIBLINGS keeps it from
// painting over them.
#include "pages.h"

void Pages::Create(HWND parent, int x, int y, int width, int height)
{
    m_Parent = parent;
    m_X = x;
    m_Y = y;
    m_Width = width;
    m_Height = height;
}

void Pages::AddTab(const wchar_t* title)
{
    if (m_Tabs.GetWndHandle()) {
        m_Tabs.AddItem(title);
        return;
    }
    m_Tabs.Create(m_Parent, title, m_X, m_Y, m_Width, m_Height);
}

void Pages::Placed()
{
    SetWindowPos(m_Tabs.GetWndHandle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_Pages.size() > 1) {
        m_Pages.back().show(false);
    }
}

HBRUSH Pages::Background(HDC dc, HWND control) const
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, m_Parent, reinterpret_cast<POINT*>(&place), 2);
    if (GetParent(control) != m_Parent || place.left < Left()) {
        return nullptr;
    }
    SetBkColor(dc, RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

namespace {

struct ColumnAnchoring {
    CWindowBase* window;
    HWND parent;
    int left;
};

BOOL CALLBACK AnchorInColumn(HWND child, LPARAM argument)
{
    auto* column = reinterpret_cast<ColumnAnchoring*>(argument);
    RECT place = {};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, column->parent, reinterpret_cast<POINT*>(&place), 2);
    if (GetParent(child) == column->parent && place.left >= column->left) {
        column->window->Anchor(child, ANCHOR_TOP | ANCHOR_RIGHT);
    }
    return TRUE;
}

}  // namespace

void Pages::Anchor(CWindowBase& window) const
{
    ColumnAnchoring column = {&window, m_Parent, Left()};
    EnumChildWindows(m_Parent, AnchorInColumn, reinterpret_cast<LPARAM>(&column));
    window.Anchor(m_Tabs.GetWndHandle(), ANCHOR_TOP | ANCHOR_BOTTOM | ANCHOR_RIGHT);
}

int Pages::Left() const
{
    return m_Tabs.GetX();
}

void Pages::Select(const wchar_t* title)
{
    m_Tabs.Select(title);
}

bool Pages::OnCommand(HWND hwnd, int id, HWND control, UINT code)
{
    for (Page& page : m_Pages) {
        if (page.command && page.command(hwnd, id, control, code)) {
            return true;
        }
    }
    return false;
}

bool Pages::OnNotify(HWND hwnd, int id, NMHDR* header)
{
    for (const Page& chosen : m_Pages) {
        if (m_Tabs.IsSelect(chosen.title.c_str(), WM_NOTIFY, static_cast<WPARAM>(id),
                            reinterpret_cast<LPARAM>(header))) {
            // Hidden first, so that two pages never overlap on the screen.
            for (const Page& page : m_Pages) {
                if (&page != &chosen) {
                    page.show(false);
                }
            }
            chosen.show(true);
            return true;
        }
    }
    for (Page& page : m_Pages) {
        if (page.notify && page.notify(hwnd, id, header)) {
            return true;
        }
    }
    return false;
}

bool Pages::OnHScroll(HWND hwnd, HWND scrollBar, UINT code, int position)
{
    for (Page& page : m_Pages) {
        if (page.hscroll && page.hscroll(hwnd, scrollBar, code, position)) {
            return true;
        }
    }
    return false;
}

bool Pages::OnVScroll(HWND hwnd, HWND scrollBar, UINT code, int position)
{
    for (Page& page : m_Pages) {
        if (page.vscroll && page.vscroll(hwnd, scrollBar, code, position)) {
            return true;
        }
    }
    return false;
}
