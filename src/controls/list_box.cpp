#include "tsumiki/controls.h"

namespace tsumiki {

namespace {

// The list box and the combo box keep their items alike and differ in message numbers.
struct ItemMessages {
    UINT add;
    UINT remove;
    UINT reset;
    UINT count;
    UINT textLength;
    UINT text;
    UINT selectString;
};

constexpr ItemMessages kListBox = {LB_ADDSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
                                   LB_GETTEXTLEN, LB_GETTEXT, LB_SELECTSTRING};
constexpr ItemMessages kComboBox = {CB_ADDSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,
                                    CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_SELECTSTRING};

// The text goes whole as a pointer-sized LPARAM, never through a 32-bit integer.
LPARAM TextParameter(const wchar_t* text)
{
    return reinterpret_cast<LPARAM>(text ? text : L"");
}

// The narrow forms carry UTF-16 text in a char pointer, as callers have always passed it.
const wchar_t* CarriedText(const char* text)
{
    return reinterpret_cast<const wchar_t*>(text);
}

bool InRange(HWND control, const ItemMessages& messages, int index)
{
    return index >= 0 && index < SendMessageW(control, messages.count, 0, 0);
}

int TextLength(HWND control, const ItemMessages& messages, int index)
{
    if (!InRange(control, messages, index)) {
        return 0;
    }
    LRESULT length = SendMessageW(control, messages.textLength, index, 0);
    return length < 0 ? 0 : static_cast<int>(length);
}

std::wstring ItemText(HWND control, const ItemMessages& messages, int index)
{
    int length = TextLength(control, messages, index);
    if (length == 0) {
        return std::wstring();
    }
    // The buffer holds the terminator too; the control writes no more than the length it
    // gave, and what it says it copied is kept.
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(control, messages.text, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void Remove(HWND control, const ItemMessages& messages, int index)
{
    if (InRange(control, messages, index)) {
        SendMessageW(control, messages.remove, index, 0);
    }
}

void Select(HWND control, const ItemMessages& messages, const wchar_t* prefix)
{
    // wParam -1: search the whole list from its start.
    SendMessageW(control, messages.selectString, static_cast<WPARAM>(-1), TextParameter(prefix));
}

}  // namespace

bool CListBox::Create(HWND parent, int x, int y, int width, int height)
{
    return CreateControl(parent, x, y, width, height, L"", L"ListBox",
                         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT);
}

void CListBox::AddList(const char* text)
{
    AddList(CarriedText(text));
}

void CListBox::AddList(const wchar_t* text)
{
    SendMessageW(m_hWnd, kListBox.add, 0, TextParameter(text));
}

void CListBox::DelList(int index)
{
    Remove(m_hWnd, kListBox, index);
}

void CListBox::AllDelList()
{
    SendMessageW(m_hWnd, kListBox.reset, 0, 0);
}

void CListBox::SetCursor(int index)
{
    if (InRange(m_hWnd, kListBox, index)) {
        SendMessageW(m_hWnd, LB_SETCURSEL, index, 0);
    }
}

int CListBox::GetCursor() const
{
    return static_cast<int>(SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0));
}

int CListBox::GetItemNum() const
{
    return static_cast<int>(SendMessageW(m_hWnd, kListBox.count, 0, 0));
}

int CListBox::GetItemHeight() const
{
    const auto height = static_cast<int>(SendMessageW(m_hWnd, LB_GETITEMHEIGHT, 0, 0));
    return height > 0 ? height : 0;
}

int CListBox::Strlen(int index) const
{
    return TextLength(m_hWnd, kListBox, index);
}

std::wstring CListBox::GetText(int index) const
{
    return ItemText(m_hWnd, kListBox, index);
}

void CListBox::Search(const char* text)
{
    Search(CarriedText(text));
}

void CListBox::Search(const wchar_t* text)
{
    Select(m_hWnd, kListBox, text);
}

bool CComboBox::CreateComboBox(HWND parent, int x, int y, int width, int height)
{
    // CBS_NOINTEGRALHEIGHT: the dropped-down height is kept exactly as given.
    return CreateControl(parent, x, y, width, height, L"", L"ComboBox",
                         WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT |
                             CBS_NOINTEGRALHEIGHT);
}

void CComboBox::AddList(const char* text)
{
    AddList(CarriedText(text));
}

void CComboBox::AddList(const wchar_t* text)
{
    SendMessageW(m_hWnd, kComboBox.add, 0, TextParameter(text));
    SendMessageW(m_hWnd, CB_SETCURSEL, 0, 0);
}

void CComboBox::DelList(int index)
{
    Remove(m_hWnd, kComboBox, index);
}

void CComboBox::AllDelList()
{
    SendMessageW(m_hWnd, kComboBox.reset, 0, 0);
}

void CComboBox::SetCursor(int index)
{
    if (InRange(m_hWnd, kComboBox, index)) {
        SendMessageW(m_hWnd, CB_SETCURSEL, index, 0);
    }
}

int CComboBox::GetCursor() const
{
    return static_cast<int>(SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::GetItemNum() const
{
    return static_cast<int>(SendMessageW(m_hWnd, kComboBox.count, 0, 0));
}

int CComboBox::Strlen(int index) const
{
    return TextLength(m_hWnd, kComboBox, index);
}

std::wstring CComboBox::GetText(int index) const
{
    return ItemText(m_hWnd, kComboBox, index);
}

void CComboBox::Search(const char* text)
{
    Search(CarriedText(text));
}

void CComboBox::Search(const wchar_t* text)
{
    Select(m_hWnd, kComboBox, text);
}

}  // namespace tsumiki
