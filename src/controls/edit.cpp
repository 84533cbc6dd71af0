#include "tsumiki/controls.h"

namespace tsumiki {

namespace {

constexpr DWORD kSingleLine = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
// The scroll bar takes the place of the border.
constexpr DWORD kMultiLine = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_LEFT | ES_MULTILINE |
                             ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;

}  // namespace

CEdit::CEdit() : CEdit(kSingleLine) {}

CEdit::CEdit(DWORD style) : m_dwStyle(style) {}

CEditReadOnly::CEditReadOnly() : CEdit(kSingleLine | ES_READONLY) {}

CEditMultiLine::CEditMultiLine() : CEdit(kMultiLine) {}

CEditMultiLineReadOnly::CEditMultiLineReadOnly() : CEdit(kMultiLine | ES_READONLY) {}

bool CEdit::Create(HWND parent, int x, int y, int width, int height, const wchar_t* text)
{
    return CreateControl(parent, x, y, width, height, text, L"Edit", m_dwStyle);
}

void CEdit::SetText(const wchar_t* text)
{
    SetWindowTextW(m_hWnd, text ? text : L"");
}

void CEdit::GetText(wchar_t* buffer, int maxCount) const
{
    if (!buffer || maxCount <= 0) {
        return;
    }
    GetWindowTextW(m_hWnd, buffer, maxCount);
}

void CEdit::AddText(const wchar_t* text)
{
    int end = GetWindowTextLengthW(m_hWnd);
    // An empty selection at the very end, so a selection the user made is not replaced.
    SendMessageW(m_hWnd, EM_SETSEL, end, end);
    SendMessageW(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text ? text : L""));
}

int CEdit::GetTextLength() const
{
    return GetWindowTextLengthW(m_hWnd);
}

}  // namespace tsumiki
