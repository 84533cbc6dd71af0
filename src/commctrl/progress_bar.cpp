#include "tsumiki/common_controls.h"

#include "commctrl/common_controls_init.h"

#include <utility>

namespace tsumiki {

bool CProgressBar::m_bOnce = false;

CProgressBar::CProgressBar() : m_Step(0) {}

CProgressBar::CProgressBar(const CProgressBar& other) = default;

CProgressBar& CProgressBar::operator=(const CProgressBar& other) = default;

CProgressBar::~CProgressBar() = default;

bool CProgressBar::Create(HWND parent, int minimum, int maximum, int step, int x, int y,
                          int width, int height)
{
    detail::InitCommonControlsOnce(m_bOnce, ICC_PROGRESS_CLASS);
    if (!CreateControl(parent, x, y, width, height, L"", PROGRESS_CLASSW,
                       WS_CHILD | WS_VISIBLE | WS_BORDER)) {
        return false;
    }
    if (minimum > maximum) {
        std::swap(minimum, maximum);
    }
    SetMinMax(minimum, maximum);
    SendMessageW(m_hWnd, PBM_SETPOS, 0, 0);
    SetStep(step);
    return true;
}

void CProgressBar::SetMinMax(int minimum, int maximum)
{
    // PBM_SETRANGE carries each limit in 16 bits: a range of 0 to 70000 would arrive as
    // 0 to 4464. The 32-bit form carries them whole.
    SendMessageW(m_hWnd, PBM_SETRANGE32, static_cast<WPARAM>(minimum),
                 static_cast<LPARAM>(maximum));
}

void CProgressBar::SetPos(int position)
{
    SendMessageW(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CProgressBar::SetStep(int step)
{
    m_Step = step;
    SendMessageW(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

bool CProgressBar::UpdateStep()
{
    // Summed in 64 bits: near the top of the int range the 32-bit sum would wrap to a
    // small number and let the control step past its maximum.
    long long next = static_cast<long long>(GetPos()) + m_Step;
    if (GetMax() > next) {
        SendMessageW(m_hWnd, PBM_STEPIT, 0, 0);
        return false;
    }
    SetPos(GetMax());
    return true;
}

int CProgressBar::GetMin() const
{
    return static_cast<int>(SendMessageW(m_hWnd, PBM_GETRANGE, TRUE, 0));
}

int CProgressBar::GetMax() const
{
    return static_cast<int>(SendMessageW(m_hWnd, PBM_GETRANGE, FALSE, 0));
}

int CProgressBar::GetPos() const
{
    return static_cast<int>(SendMessageW(m_hWnd, PBM_GETPOS, 0, 0));
}

}  // namespace tsumiki
