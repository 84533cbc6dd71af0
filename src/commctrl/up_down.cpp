#include "tsumiki/common_controls.h"

#include <algorithm>

#include "commctrl/common_controls_init.h"

namespace tsumiki {

bool CUpDown::m_bOnce = false;

namespace {

// The platform packs limits and position into 16-bit halves; beyond them a value would wrap.
int To16Bits(int value)
{
    return std::clamp(value, -32768, 32767);
}

}  // namespace

bool CUpDown::CreateUpDown(HWND parent, HWND buddy, int x, int y, int width, int height,
                           int limit1, int limit2, int pos)
{
    detail::InitCommonControlsOnce(m_bOnce, ICC_UPDOWN_CLASS);
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    int lower = To16Bits(std::min(limit1, limit2));
    int upper = To16Bits(std::max(limit1, limit2));
    pos = std::max(std::min(To16Bits(pos), upper), lower);
    int id = CreateResourceID();
    // UDS_ALIGNRIGHT: the platform places the arrows against the buddy's right edge and
    // narrows the buddy to make room, whatever position and size are given.
    m_hWnd = CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                     UDS_ARROWKEYS,
                                 x, y, width, height, parent, id, instance, buddy, upper, lower,
                                 pos);
    return m_hWnd != nullptr;
}

int CUpDown::GetMax() const
{
    auto range = static_cast<DWORD>(SendMessageW(m_hWnd, UDM_GETRANGE, 0, 0));
    return static_cast<short>(LOWORD(range));
}

int CUpDown::GetMin() const
{
    auto range = static_cast<DWORD>(SendMessageW(m_hWnd, UDM_GETRANGE, 0, 0));
    return static_cast<short>(HIWORD(range));
}

int CUpDown::GetPos() const
{
    auto answer = static_cast<DWORD>(SendMessageW(m_hWnd, UDM_GETPOS, 0, 0));
    if (HIWORD(answer) != 0) {
        // The error word: passed on so the caller can tell it from any position.
        return static_cast<int>(answer);
    }
    return static_cast<short>(LOWORD(answer));
}

}  // namespace tsumiki
