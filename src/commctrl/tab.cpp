#include "tsumiki/common_controls.h"

#include "commctrl/common_controls_init.h"
#include "commctrl/notification.h"

namespace tsumiki {

bool CTab::m_bOnce = false;

CTab::CTab() : m_ItemCount(0) {}

CTab::CTab(const CTab& other) = default;

CTab& CTab::operator=(const CTab& other) = default;

CTab::~CTab() = default;

bool CTab::Create(HWND parent, const wchar_t* name, int x, int y, int width, int height)
{
    detail::InitCommonControlsOnce(m_bOnce, ICC_TAB_CLASSES);
    if (!CreateControl(parent, x, y, width, height, name, WC_TABCONTROLW,
                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS)) {
        return false;
    }
    AddItem(name);
    return true;
}

void CTab::AddItem(const wchar_t* text)
{
    if (!m_hWnd) {
        return;
    }
    std::wstring key = text ? text : L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(key.c_str());
    // Appended after every tab the control has, not after the ones this object knows: a
    // copy adding tabs of its own must not shift the indexes the others have recorded.
    auto end = static_cast<WPARAM>(SendMessageW(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    auto index = static_cast<int>(
        SendMessageW(m_hWnd, TCM_INSERTITEMW, end, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) {
        return;
    }
    m_ItemMap.emplace(std::move(key), index);
    ++m_ItemCount;
}

void CTab::ResizeParentWidth()
{
    if (!m_hWnd) {
        return;
    }
    RECT own = {};
    RECT parent = {};
    GetWindowRect(m_hWnd, &own);
    GetWindowRect(GetParentWndHandle(), &parent);
    SetWindowPos(m_hWnd, nullptr, 0, 0, parent.right - parent.left, own.bottom - own.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

bool CTab::Select(const wchar_t* text)
{
    auto entry = m_ItemMap.find(text ? text : L"");
    if (!m_hWnd || entry == m_ItemMap.end()) {
        return false;
    }
    const auto current = [this] { return static_cast<int>(SendMessageW(m_hWnd, TCM_GETCURSEL, 0, 0)); };
    if (current() == entry->second) {
        return true;
    }
    HWND parent = GetParent(m_hWnd);
    NMHDR header = {m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd)), static_cast<UINT>(TCN_SELCHANGING)};
    if (SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header))) {
        return false;
    }
    SendMessageW(m_hWnd, TCM_SETCURSEL, static_cast<WPARAM>(entry->second), 0);
    // The tab may have been removed, or the control destroyed, while the parent answered.
    if (!IsWindow(m_hWnd) || current() != entry->second) {
        return false;
    }
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    return true;
}

bool CTab::IsSelect(const wchar_t* text, UINT message, WPARAM wParam, LPARAM lParam) const
{
    auto entry = m_ItemMap.find(text ? text : L"");
    if (entry == m_ItemMap.end() ||
        !detail::NotificationFrom(m_hWnd, message, wParam, lParam, static_cast<UINT>(TCN_SELCHANGE))) {
        return false;
    }
    return SendMessageW(m_hWnd, TCM_GETCURSEL, 0, 0) == entry->second;
}

}  // namespace tsumiki
