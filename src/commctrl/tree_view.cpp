#include "tsumiki/common_controls.h"

#include "commctrl/common_controls_init.h"
#include "commctrl/notification.h"

namespace tsumiki {

bool CTreeView::m_bOnce = false;

CTreeView::CTreeView() = default;

CTreeView::CTreeView(const CTreeView& other) = default;

CTreeView& CTreeView::operator=(const CTreeView& other) = default;

CTreeView::~CTreeView() = default;

bool CTreeView::Create(HWND parent, const wchar_t* name, int x, int y, int width, int height)
{
    detail::InitCommonControlsOnce(m_bOnce, ICC_TREEVIEW_CLASSES);
    if (!CreateControl(parent, x, y, width, height, name, WC_TREEVIEWW,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                           TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                       WS_EX_CLIENTEDGE)) {
        return false;
    }
    AddItem(name, nullptr);
    return true;
}

void CTreeView::AddItem(const wchar_t* text, const wchar_t* parentText)
{
    if (!m_hWnd) {
        return;
    }
    // find, not operator[]: a parent text that names no item must not be recorded, or an
    // item given that text later could never become a parent.
    auto parent = m_ItemMap.find(parentText ? parentText : L"");
    std::wstring key = text ? text : L"";
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent != m_ItemMap.end() ? parent->second : TVI_ROOT;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(key.c_str());
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(m_hWnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    // A refused item is not recorded: its null handle would match a cleared selection.
    if (item) {
        m_ItemMap.emplace(std::move(key), item);
    }
}

bool CTreeView::Select(const wchar_t* text)
{
    auto entry = m_ItemMap.find(text ? text : L"");
    if (!m_hWnd || entry == m_ItemMap.end()) {
        return false;
    }
    SendMessageW(m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(entry->second));
    return IsWindow(m_hWnd) &&
           reinterpret_cast<HTREEITEM>(SendMessageW(m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0)) == entry->second;
}

bool CTreeView::Expand(const wchar_t* text, bool open)
{
    auto entry = m_ItemMap.find(text ? text : L"");
    if (!m_hWnd || entry == m_ItemMap.end() ||
        !SendMessageW(m_hWnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(entry->second))) {
        return false;
    }
    SendMessageW(m_hWnd, TVM_EXPAND, open ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(entry->second));
    const auto state = static_cast<UINT>(
        SendMessageW(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(entry->second), TVIS_EXPANDED));
    return ((state & TVIS_EXPANDED) != 0) == open;
}

bool CTreeView::IsSelect(const wchar_t* text, UINT message, WPARAM wParam, LPARAM lParam) const
{
    auto entry = m_ItemMap.find(text ? text : L"");
    // The selection is asked of the control, not taken from the notification's item records.
    if (entry == m_ItemMap.end() ||
        !detail::NotificationFrom(m_hWnd, message, wParam, lParam, static_cast<UINT>(TVN_SELCHANGEDW))) {
        return false;
    }
    auto caret = reinterpret_cast<HTREEITEM>(SendMessageW(m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return caret == entry->second;
}

}  // namespace tsumiki
