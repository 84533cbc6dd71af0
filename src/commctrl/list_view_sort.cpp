// Sorting a list view by one column. The order is worked out here, with a stable sort of
// the cells' texts, and the control then moves its own rows into that order, so that each
// row keeps everything the control holds for it (cells, state, picture, data).
#include "tsumiki/common_controls.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <numeric>

namespace tsumiki {

namespace {

// A cell read as a number, when the whole of it (spaces around aside) is one.
struct NumberKey {
    bool isNumber;
    double value;
};

NumberKey ReadNumber(const std::wstring& text)
{
    const wchar_t* start = text.c_str();
    while (std::iswspace(*start)) {
        ++start;
    }
    // Only decimal forms: wcstod would also read "0x1F", "inf" and "nan".
    const wchar_t* first = start + (*start == L'+' || *start == L'-');
    if (!std::iswdigit(*first) && !(*first == L'.' && std::iswdigit(first[1]))) {
        return {false, 0.0};
    }
    wchar_t* end = nullptr;
    const double value = std::wcstod(start, &end);
    const bool hexadecimal = std::find_if(start, static_cast<const wchar_t*>(end), [](wchar_t c) {
                                 return c == L'x' || c == L'X';
                             }) != end;
    while (std::iswspace(*end)) {
        ++end;
    }
    return {*end == L'\0' && !hexadecimal && std::isfinite(value), value};
}

// Whether row a goes before row b; rows that tie keep their order, which stable_sort keeps.
class RowOrder {
public:
    RowOrder(const std::vector<std::wstring>& texts, bool ascending, ESortKind kind)
        : m_Texts(texts), m_Ascending(ascending), m_Kind(kind)
    {
        if (kind == SORT_NUMBER) {
            for (const std::wstring& text : texts) {
                m_Numbers.push_back(ReadNumber(text));
            }
        }
    }

    bool operator()(size_t a, size_t b) const
    {
        if (m_Kind == SORT_NUMBER) {
            const NumberKey& x = m_Numbers[a];
            const NumberKey& y = m_Numbers[b];
            if (x.isNumber != y.isNumber) {
                return x.isNumber;  // numbers first, in either order
            }
            return x.isNumber && (m_Ascending ? x.value < y.value : y.value < x.value);
        }
        const std::wstring& x = m_Ascending ? m_Texts[a] : m_Texts[b];
        const std::wstring& y = m_Ascending ? m_Texts[b] : m_Texts[a];
        return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, x.c_str(),
                               static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()),
                               nullptr, nullptr, 0) == CSTR_LESS_THAN;
    }

private:
    const std::vector<std::wstring>& m_Texts;
    bool m_Ascending;
    ESortKind m_Kind;
    std::vector<NumberKey> m_Numbers;
};

// The control compares rows by their data; during the sort each row's data is its place
// in the order worked out before.
int CALLBACK ByPlace(LPARAM a, LPARAM b, LPARAM)
{
    return (a > b) - (a < b);
}

LPARAM RowData(HWND control, int row)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(control, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void SetRowData(HWND control, int row, LPARAM data)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageW(control, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void CListView::SortByColumn(int column, bool ascending, ESortKind kind)
{
    const int rows = GetItemCount();
    if (!m_hWnd || column < 0 || column >= m_ColumnCount || (kind != SORT_TEXT && kind != SORT_NUMBER) ||
        SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0) != rows) {
        return;
    }
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        texts.push_back(GetCellText(row, column));
    }
    // order[place] is the row that goes to that place.
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), RowOrder(texts, ascending, kind));

    // The rows' own data is kept aside while the control sorts by place, then given back.
    std::vector<LPARAM> data(texts.size());
    for (int row = 0; row < rows; ++row) {
        data[static_cast<size_t>(row)] = RowData(m_hWnd, row);
    }
    for (size_t place = 0; place < order.size(); ++place) {
        SetRowData(m_hWnd, static_cast<int>(order[place]), static_cast<LPARAM>(place));
    }
    if (!SendMessageW(m_hWnd, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(ByPlace))) {
        for (int row = 0; row < rows; ++row) {
            SetRowData(m_hWnd, row, data[static_cast<size_t>(row)]);
        }
        return;
    }
    std::vector<int> counts(order.size());
    for (size_t place = 0; place < order.size(); ++place) {
        SetRowData(m_hWnd, static_cast<int>(place), data[order[place]]);
        counts[place] = m_AttributeCount[order[place]];
    }
    m_AttributeCount.swap(counts);

    const auto focused = SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0));
    if (focused >= 0) {
        SendMessageW(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(focused), FALSE);
    }
}

}  // namespace tsumiki
