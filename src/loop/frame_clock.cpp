#include "tsumiki/frame_clock.h"

#include <cmath>

namespace tsumiki {

namespace {

constexpr double kLongestTick = 0.25;
// Each tick's weight in the smoothed interval: about the last 20 ticks count.
constexpr double kSmoothing = 0.1;

LONGLONG Now()
{
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

CFrameClock::CFrameClock() : m_Frequency(1), m_Last(Now()), m_Pending(0), m_Interval(0)
{
    LARGE_INTEGER frequency = {};
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
        m_Frequency = frequency.QuadPart;
    }
}

double CFrameClock::Tick()
{
    const LONGLONG now = Now();
    double seconds = static_cast<double>(now - m_Last) / static_cast<double>(m_Frequency);
    m_Last = now;
    if (!(seconds >= 0)) {
        seconds = 0;
    } else if (seconds > kLongestTick) {
        seconds = kLongestTick;
    }
    m_Pending += seconds;
    m_Interval = m_Interval > 0 ? m_Interval + (seconds - m_Interval) * kSmoothing : seconds;
    return seconds;
}

int CFrameClock::Steps(double step)
{
    if (!(step > 0) || !std::isfinite(step)) {
        return 0;
    }
    const double due = std::floor((m_Pending + step / 4) / step);
    if (!(due > 0)) {
        return 0;
    }
    const double taken = due > 1e6 ? 1e6 : due;
    m_Pending -= taken * step;
    return static_cast<int>(taken);
}

double CFrameClock::GetFps() const
{
    return m_Interval > 0 ? 1.0 / m_Interval : 0.0;
}

}  // namespace tsumiki
