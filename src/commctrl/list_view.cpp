#include "tsumiki/common_controls.h"

#include "commctrl/common_controls_init.h"
#include "commctrl/notification.h"

#include <climits>

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

int CListView::GetSelectedRow() const
{
    if (!m_hWnd) {
        return -1;
    }
    return static_cast<int>(SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

bool CListView::SelectRow(int row)
{
    if (!m_hWnd || row < 0 || row >= GetItemCount()) {
        return false;
    }
    // A report view takes several selected rows: the others are cleared first (row -1
    // addresses every row).
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    return true;
}

void CListView::DeleteAllRows()
{
    SendMessageW(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    m_AttributeCount.clear();
}

bool CListView::IsCell(int row, int column) const
{
    return m_hWnd && row >= 0 && row < GetItemCount() && column >= 0 && column < m_ColumnCount;
}

bool CListView::GetCellRect(int row, int column, RECT* rect) const
{
    RECT cell = {LVIR_LABEL, column, 0, 0};
    if (!rect || !IsCell(row, column) ||
        !SendMessageW(m_hWnd, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell))) {
        return false;
    }
    *rect = cell;
    return true;
}

bool CListView::GetHeaderRect(int column, RECT* rect) const
{
    RECT item = {};
    HWND header = m_hWnd ? reinterpret_cast<HWND>(SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0)) : nullptr;
    if (!rect || column < 0 || column >= m_ColumnCount || !header ||
        !SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) {
        return false;
    }
    MapWindowPoints(header, m_hWnd, reinterpret_cast<POINT*>(&item), 2);
    *rect = item;
    return true;
}

bool CListView::SetCellText(int row, int column, const wchar_t* text)
{
    if (!IsCell(row, column)) {
        return false;
    }
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = TextForControl(text);
    return SendMessageW(m_hWnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&item)) != FALSE;
}

int CListView::GetCellText(int row, int column, wchar_t* buffer, int size) const
{
    if (!buffer || size < 1) {
        return -1;
    }
    buffer[0] = L'\0';
    if (!IsCell(row, column)) {
        return -1;
    }
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = size;
    return static_cast<int>(SendMessageW(m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                         reinterpret_cast<LPARAM>(&item)));
}

int CListView::AddRow(std::initializer_list<const wchar_t*> cells)
{
    const wchar_t* const* cell = cells.begin();
    AddItem(cells.size() ? *cell++ : nullptr);
    const int row = GetItemCount() - 1;
    for (; cell != cells.end(); ++cell) {
        AddAttribute(*cell, row);
    }
    return row;
}

int CListView::AddRow(const std::vector<std::wstring>& cells)
{
    AddItem(cells.empty() ? nullptr : cells.front().c_str());
    const int row = GetItemCount() - 1;
    for (size_t cell = 1; cell < cells.size(); ++cell) {
        AddAttribute(cells[cell].c_str(), row);
    }
    return row;
}

bool CListView::IsSelect(UINT message, WPARAM wParam, LPARAM lParam, int* row) const
{
    const NMHDR* header = detail::NotificationFrom(m_hWnd, message, wParam, lParam,
                                                   static_cast<UINT>(LVN_ITEMCHANGED));
    if (!header) {
        return false;
    }
    // One notification per change of a row's state: only the one that adds the selection
    // counts, so a row is reported once however its focus comes and goes. Row -1 stands for
    // every row at once and names none.
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE) || change->iItem < 0 ||
        !(change->uNewState & LVIS_SELECTED) || (change->uOldState & LVIS_SELECTED)) {
        return false;
    }
    if (row) {
        *row = change->iItem;
    }
    return true;
}

bool CListView::IsColumnClick(UINT message, WPARAM wParam, LPARAM lParam, int* column) const
{
    const NMHDR* header = detail::NotificationFrom(m_hWnd, message, wParam, lParam,
                                                   static_cast<UINT>(LVN_COLUMNCLICK));
    if (!header) {
        return false;
    }
    if (column) {
        *column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    }
    return true;
}

namespace {

void SetExtendedStyle(HWND control, DWORD style, bool on)
{
    if (control) {
        SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, style, on ? style : 0);
    }
}

}  // namespace

void CListView::SetFullRowSelect(bool on)
{
    SetExtendedStyle(m_hWnd, LVS_EX_FULLROWSELECT, on);
}

void CListView::SetGridLines(bool on)
{
    SetExtendedStyle(m_hWnd, LVS_EX_GRIDLINES, on);
}

void CListView::SetSingleSelect(bool on)
{
    if (!m_hWnd) {
        return;
    }
    const LONG_PTR bits = LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, on ? style | bits : style & ~bits);
}

void CListView::SetRedraw(bool on)
{
    if (!m_hWnd) {
        return;
    }
    SendMessageW(m_hWnd, WM_SETREDRAW, on, 0);
    if (on) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void CListView::SetColumnWidth(int column, int width)
{
    const bool fits = width == COLUMN_FIT_CONTENT || width == COLUMN_FIT_HEADER;
    if (!m_hWnd || column < 0 || column >= m_ColumnCount || (width < 0 && !fits)) {
        return;
    }
    // The platform takes the width in 16 bits.
    const int sent = width > SHRT_MAX ? SHRT_MAX : width;
    SendMessageW(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(sent, 0));
}

int CListView::GetColumnWidth(int column) const
{
    if (!m_hWnd || column < 0 || column >= m_ColumnCount) {
        return 0;
    }
    return static_cast<int>(SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

}  // namespace tsumiki
