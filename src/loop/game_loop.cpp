// The game loop: the waiting messages first, then one frame per period, paced by a
// high-resolution waitable timer instead of WM_TIMER (which follows the system tick and
// comes last of all messages).
#include "loop/message_loop.h"
#include "window/window_link.h"

#include "tsumiki/framework.h"

#include <algorithm>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tsumiki {

// Marks the frames of the input of the object attached to a window of this library.
struct detail::FrameInput {
    static CInput* Of(HWND window)
    {
        // Only a live window of this thread whose class procedure is the library's carries
        // an object address in its user data; any other window's is not ours to read.
        if (!window || !IsWindow(window) ||
            GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
            GetClassLongPtrW(window, GCLP_WNDPROC) !=
                reinterpret_cast<ULONG_PTR>(&CWindowBase::WndProcManager)) {
            return nullptr;
        }
        CWindowBase* object = window_link::Find(window);
        return object ? &object->m_Input : nullptr;
    }
    static void Begin(HWND window)
    {
        if (CInput* input = Of(window)) {
            input->BeginFrame();
        }
    }
    static void Next(HWND window)
    {
        if (CInput* input = Of(window)) {
            input->NextFrame();
        }
    }
};

namespace {

// The performance counter, and a waitable timer to sleep on until shortly before a frame
// is due; the last stretch is waited on the counter, which no timer matches.
class FrameClock {
public:
    FrameClock()
    {
        LARGE_INTEGER frequency = {};
        QueryPerformanceFrequency(&frequency);
        m_Frequency = frequency.QuadPart;
        m_Timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                         TIMER_ALL_ACCESS);
        if (!m_Timer) {
            // An ordinary timer keeps the system tick (15.6 ms) unless the resolution is raised.
            m_RaisedResolution = timeBeginPeriod(1) == TIMERR_NOERROR;
            m_Timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        }
        // How early the timer is asked to wake: its own lateness, with room to spare.
        m_Margin = m_Frequency / (m_RaisedResolution || !m_Timer ? 500 : 1000);
    }
    ~FrameClock()
    {
        if (m_Timer) {
            CloseHandle(m_Timer);
        }
        if (m_RaisedResolution) {
            timeEndPeriod(1);
        }
    }
    FrameClock(const FrameClock&) = delete;
    FrameClock& operator=(const FrameClock&) = delete;

    LONGLONG Frequency() const { return m_Frequency; }

    LONGLONG Now() const
    {
        LARGE_INTEGER now = {};
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }

    // Waits for the time or the first message, whichever comes first. True when the time
    // has come, false when the wait ended early (a message may be waiting).
    bool WaitUntil(LONGLONG due) const
    {
        LONGLONG left = due - Now();
        if (left > m_Margin) {
            LONGLONG sleep = left - m_Margin;
            if (m_Timer) {
                LARGE_INTEGER when = {};
                // Relative, in 100 ns units.
                when.QuadPart = -std::max<LONGLONG>(1, sleep * 10000000 / m_Frequency);
                SetWaitableTimer(m_Timer, &when, 0, nullptr, nullptr, FALSE);
                MsgWaitForMultipleObjectsEx(1, &m_Timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            } else {
                MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(sleep * 1000 / m_Frequency),
                                            QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            }
            return false;
        }
        while (Now() < due) {
            YieldProcessor();
        }
        return true;
    }

private:
    LONGLONG m_Frequency = 1;
    LONGLONG m_Margin = 0;
    HANDLE m_Timer = nullptr;
    bool m_RaisedResolution = false;
};

// Frames run for a null window, and for a live one that is shown and not minimised.
bool RunsFrames(HWND window)
{
    return !window || (IsWindow(window) && IsWindowVisible(window) && !IsIconic(window));
}

}  // namespace

void detail::RunGameLoop(HWND window, int framesPerSecond, void (*frame)(void*), void* argument)
{
    FrameClock clock;
    const LONGLONG period = clock.Frequency() / std::clamp(framesPerSecond, 1, 1000);
    LONGLONG due = clock.Now();
    LONGLONG lastFrameEnd = due;
    MSG message = {};
    while (!HasKeptException()) {
        bool running = RunsFrames(window);
        // Messages have a whole period after a frame; a frame overdue by then runs before
        // more of them, so that a flood (a window that never validates itself) cannot
        // starve the game, nor slow frames the messages.
        LONGLONG now = clock.Now();
        bool overdue = running && now - due >= period && now - lastFrameEnd >= period;
        if (!overdue && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!HandleTakenMessage(message)) {
                return;
            }
            continue;
        }
        if (!running) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            // Back on the screen, the game goes on at once rather than catching up.
            due = clock.Now();
            continue;
        }
        if (!overdue && !clock.WaitUntil(due)) {
            continue;
        }
        LONGLONG start = clock.Now();
        FrameInput::Begin(window);
        if (frame) {
            frame(argument);
        }
        FrameInput::Next(window);
        lastFrameEnd = clock.Now();
        // A frame within its period keeps the schedule, so that the waits' jitter evens out;
        // one that missed its slot moves it, without frames to catch up.
        due = start - due >= period ? start + period : due + period;
    }
}

}  // namespace tsumiki
