#include "tsumiki/common_controls.h"

#include "commctrl/common_controls_init.h"

namespace tsumiki {

bool CListView::m_bOnce = false;

namespace {

// The control copies the text; it never writes through the pointer it is handed.
wchar_t* TextForControl(const wchar_t* text)
{
    return const_cast<wchar_t*>(text ? text : L"");
}

}  // namespace

CListView::CListView() : m_ColumnCount(0) {}

CListView::CListView(const CListView& other) = default;

CListView& CListView::operator=(const CListView& other) = default;

CListView::~CListView() = default;

bool CListView::Create(HWND parent, int x, int y, int width, int height)
{
    detail::InitCommonControlsOnce(m_bOnce, ICC_LISTVIEW_CLASSES);
    return CreateControl(parent, x, y, width, height, L"", WC_LISTVIEWW,
                         WS_CHILD | WS_VISIBLE | LVS_REPORT);
}

void CListView::AddColumn(const wchar_t* text, int width)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = TextForControl(text);
    column.iSubItem = m_ColumnCount;
    SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(m_ColumnCount),
                 reinterpret_cast<LPARAM>(&column));
    ++m_ColumnCount;
}

void CListView::AddItem(const wchar_t* text)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = GetItemCount();
    item.pszText = TextForControl(text);
    SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    m_AttributeCount.push_back(1);
}

void CListView::AddAttribute(const wchar_t* text, int row)
{
    if (row < 0 || row >= GetItemCount()) {
        return;
    }
    int& filled = m_AttributeCount[static_cast<size_t>(row)];
    if (filled >= m_ColumnCount) {
        return;
    }
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = filled;
    item.pszText = TextForControl(text);
    SendMessageW(m_hWnd, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ++filled;
}

void CListView::DeleteItem(int row)
{
    if (row < 0 || row >= GetItemCount()) {
        return;
    }
    SendMessageW(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    m_AttributeCount.erase(m_AttributeCount.begin() + row);
}

int CListView::GetItemCount() const
{
    return static_cast<int>(m_AttributeCount.size());
}

int CListView::GetAttributeCount(int row) const
{
    if (row < 0 || row >= GetItemCount()) {
        return 0;
    }
    return m_AttributeCount[static_cast<size_t>(row)];
}

}  // namespace tsumiki
