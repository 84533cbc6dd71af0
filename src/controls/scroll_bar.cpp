#include "tsumiki/controls.h"

namespace tsumiki {

namespace {

constexpr int kPage = 10;

}  // namespace

CScrollBarBase::CScrollBarBase() : m_ScrollInfo(), m_dwStyle(WS_CHILD | WS_VISIBLE | SBS_HORZ) {}

bool CScrollBarBase::Create(HWND parent, int x, int y, int width, int height, int min, int max)
{
    if (!CreateControl(parent, x, y, width, height, L"", L"ScrollBar", m_dwStyle)) {
        return false;
    }
    m_ScrollInfo.cbSize = sizeof(m_ScrollInfo);
    m_ScrollInfo.fMask = SIF_RANGE | SIF_PAGE;
    m_ScrollInfo.nMin = min;
    m_ScrollInfo.nMax = max;
    m_ScrollInfo.nPage = kPage;
    SetScrollInfo(m_hWnd, SB_CTL, &m_ScrollInfo, TRUE);
    // From here on only the position is sent; the range and page stay as set now.
    m_ScrollInfo.fMask = SIF_POS;
    return true;
}

int CScrollBarBase::GetCursorPos() const
{
    return m_ScrollInfo.nPos;
}

void CScrollBarBase::SetCursorPos(int pos)
{
    m_ScrollInfo.nPos = pos;
    SendPosition();
}

void CScrollBarBase::SendPosition()
{
    // Raised to the minimum first, so with min > max the maximum wins.
    if (m_ScrollInfo.nPos < m_ScrollInfo.nMin) {
        m_ScrollInfo.nPos = m_ScrollInfo.nMin;
    }
    if (m_ScrollInfo.nPos > m_ScrollInfo.nMax) {
        m_ScrollInfo.nPos = m_ScrollInfo.nMax;
    }
    SetScrollInfo(m_hWnd, SB_CTL, &m_ScrollInfo, TRUE);
}

bool CScrollBarBase::ScrollBy(HWND control, UINT code, int pos)
{
    if (!control || control != m_hWnd) {
        return false;
    }
    int& position = m_ScrollInfo.nPos;
    switch (code) {
    case SB_LINELEFT:
        --position;
        break;
    case SB_LINERIGHT:
        ++position;
        break;
    case SB_PAGELEFT:
        position -= kPage;
        break;
    case SB_PAGERIGHT:
        position += kPage;
        break;
    case SB_THUMBPOSITION:
        if (pos < 0 && m_ScrollInfo.nMax > 32767) {
            // The message carries the thumb in 16 signed bits, so a thumb dropped past
            // 32767 arrives negative; the control itself knows where the thumb is.
            SCROLLINFO thumb = {};
            thumb.cbSize = sizeof(thumb);
            thumb.fMask = SIF_TRACKPOS;
            pos = GetScrollInfo(m_hWnd, SB_CTL, &thumb) ? thumb.nTrackPos : (pos & 0xFFFF);
        }
        position = pos;
        break;
    case SB_LEFT:
        position = m_ScrollInfo.nMin;
        break;
    case SB_RIGHT:
        position = m_ScrollInfo.nMax;
        break;
    default:
        // SB_THUMBTRACK (the stored position follows only when the drag ends),
        // SB_ENDSCROLL and unknown codes.
        break;
    }
    SendPosition();
    return true;
}

bool CScrollBarHorizon::Scroll(HWND control, UINT code, int pos)
{
    return ScrollBy(control, code, pos);
}

bool CScrollBarVertical::Create(HWND parent, int x, int y, int width, int height, int min,
                                int max)
{
    m_dwStyle |= SBS_VERT;
    return CScrollBarBase::Create(parent, x, y, width, height, min, max);
}

bool CScrollBarVertical::Scroll(HWND control, UINT code, int pos)
{
    return ScrollBy(control, code, pos);
}

}  // namespace tsumiki
