// A clock for a game's frames: the time between them, fixed steps of the world, the rate.
//
// Classes in this file:
//   CFrameClock  the seconds between frames, the fixed steps they hold, a smoothed frame rate
#pragma once

#include <windows.h>

#include "tsumiki/export.h"

namespace tsumiki {

// Turns the real time between frames into whole fixed steps of a game's world, so that the
// game runs alike on fast and slow machines:
//     double seconds = clock.Tick();                 // once a frame
//     for (int n = clock.Steps(1.0 / 60); n > 0; --n) world.Step();
// The time comes from the performance counter. One object per loop, used on one thread.
class TSUMIKI_API CFrameClock {
public:
    // Starts counting now; no tick yet.
    CFrameClock();

    // The seconds since the last Tick (since the clock was made, the first time), and
    // adds them to the time Steps hands out. A pause longer than 0.25 s (the window was
    // dragged, the program stopped in a debugger) counts as 0.25 s, so that the game
    // resumes rather than racing through what it missed.
    double Tick();
    // How many whole steps of `step` seconds the ticked time holds; they are taken from it
    // and the rest is carried to the next call. A step due within a quarter of its length
    // counts now (the shortfall is owed by the next call), so frames that come on time,
    // give or take the timer's jitter, step exactly once each. 0 for a step that is not a
    // finite number above 0.
    int Steps(double step);
    // Frames a second, smoothed over about the last 20 ticks (a clamped pause counts as
    // 0.25 s); 0 before the first tick.
    double GetFps() const;

private:
    LONGLONG m_Frequency;
    LONGLONG m_Last;
    // Ticked seconds not yet handed out as steps (below 0 while a step is owed).
    double m_Pending;
    // The smoothed seconds a frame; 0 before the first tick.
    double m_Interval;
};

}  // namespace tsumiki

#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CFrameClock;
#endif
