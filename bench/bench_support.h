// Timing helpers shared by the benchmarks: median of rounds, seconds from the
// performance counter, and the thread's processor time (which other programs on a busy
// machine do not inflate; it counts in steps of about 10 ms, so rounds last much longer).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

inline double Seconds()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds of processor time this thread has used.
inline double ThreadSeconds()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

// Runs `round` the given number of times and returns the median of what it returns.
inline double MedianOf(int rounds, const std::function<double()>& round)
{
    std::vector<double> results;
    for (int i = 0; i < rounds; ++i) {
        results.push_back(round());
    }
    std::sort(results.begin(), results.end());
    return results[results.size() / 2];
}

// The median of the values.
inline double MedianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline void PrintRatio(const char* name, double library, double reference, const char* unit,
                       double ratio, const char* target)
{
    std::printf("%s: library %.1f %s, plain Win32 %.1f %s, ratio %.3f (target %s)\n", name,
                library, unit, reference, unit, ratio, target);
    std::fflush(stdout);
}
