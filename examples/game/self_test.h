// The game's self-test: with the autopilot at the controls it checks that the game really
// plays (the score changes, the ship and the stars move, pause stops the world), that the
// high-score dialog opens and closes, and that no GDI or USER handle is left behind.
#pragma once

#include <windows.h>

#include <string>

#include "world.h"

// What the system has of each kind of handle that the game could leak.
struct HandleUse {
    long gdi;
    long user;
};

// GetGuiResources where the system counts handles; where it answers 0 (Wine), the handles
// still free are counted instead (made until refused, then freed), as negative numbers,
// so that more handles in use is a larger number either way.
HandleUse MeasureHandles();

class SelfTest {
public:
    // Called on every clock tick, after the world has advanced. Returns true when the test
    // is over; Passed() and Report() then tell the result.
    bool OnTick(unsigned tick, const World& world, bool highScoresOpen);
    bool Passed() const { return m_Failures.empty(); }
    std::wstring Report() const;

    // What the self-test wants the game to do at this tick. The pause and the high-score
    // dialog are exercised twice: once before the handles are first counted, so that every
    // cache the platform fills on first use is full, and once between the two counts.
    bool WantsPause(unsigned tick) const;
    bool WantsHighScores(unsigned tick) const { return tick == 20 || tick == kScoresOpenAt; }
    bool WantsHighScoresClosed(unsigned tick) const { return tick == 40 || tick == kScoresCloseAt; }
    // F11 on, then off, before the handles are first counted.
    bool WantsFullScreenToggle(unsigned tick) const { return tick == kFullScreenAt || tick == kWindowedAt; }
    // Called on every tick: full screen must cover the monitor, and windowed again the
    // window must have its old rectangle back.
    void SeeWindow(unsigned tick, HWND window, bool fullScreen);

private:
    static constexpr unsigned kFullScreenAt = 74;
    static constexpr unsigned kWindowedAt = 80;
    static constexpr unsigned kBaselineAt = 90;
    static constexpr unsigned kScoresOpenAt = 100;
    static constexpr unsigned kScoresCloseAt = 120;
    static constexpr unsigned kPauseAt = 130;
    static constexpr unsigned kResumeAt = 160;
    static constexpr uint64_t kStepsToPlay = 480;  // eight seconds of game time

    void Check(bool condition, const std::wstring& failure);
    void Finish(const World& world);

    HandleUse m_Before = {};
    float m_FirstEnemyX = 0, m_FirstEnemyY = 0, m_FirstShipX = 0, m_FirstStarY = 0;
    uint64_t m_StepsAtPause = 0;
    bool m_SawScoresOpen = false;
    RECT m_Windowed = {};
    unsigned m_Ticks = 0;
    DWORD m_Start = GetTickCount();
    std::wstring m_Failures;
    std::wstring m_Summary;
};
