// The game's frame window: it owns the world, the pictures, the menu and the dialogs, steps
// the world once a frame of the library's game loop and paints through its back buffer.
#pragma once

#include <tsumiki.h>

#include <memory>
#include <string>
#include <vector>

#include "art.h"
#include "autopilot.h"
#include "dialogs.h"
#include "self_test.h"
#include "sound.h"
#include "world.h"

enum class RunMode {
    Play,      // a person plays
    Demo,      // the autopilot plays for a number of seconds, then the game closes
    SelfTest,  // the autopilot plays while the self-test checks the game
};

class GameWindow : public CWindowBase {
public:
    GameWindow(RunMode mode, int seconds) : m_Mode(mode), m_Seconds(seconds) {}

    bool Create();
    // The self-test's verdict once the loop has ended (true outside the self-test).
    bool Passed() const { return m_Passed; }
    // Frames painted per second of wall-clock time over the run.
    double FramesPerSecond() const;
    // The frame intervals measured over the run: median, 99th percentile and largest.
    std::string PacingReport() const;
    // One frame: the keys, one fixed step of the world, the self-test, the picture.
    void Frame();
    // The rate the game is made for: the world advances one step a frame.
    static int FramesPerSecondWanted();
    // What the self-test saw and any failures, one line each.
    std::wstring SelfTestReport() const { return m_Test.Report(); }

    int OnCreate(HWND hwnd, CREATESTRUCTW* create) override;
    // Windowed, the back buffer is the playfield; full screen, the playfield at its top
    // left is stretched to fit the screen, with black bars beside it.
    void OnPaint(HWND hwnd) override;
    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;

private:
    // The player's controls as the keys, the stick and the D-pad held now give them.
    Input Controls() const;
    // The pad that plays: the autopilot's, or the first XInput pad.
    const CGamepad& Pad() const;
    // Runs as many fixed steps as the real time since the last frame holds.
    void AdvanceClock();
    void PresentStretched(HWND hwnd);
    void StepOnce();
    void GameEnded();
    void TogglePause();

    RunMode m_Mode;
    int m_Seconds;
    World m_World;
    Art m_Art;
    Sound m_Sound;
    CMenu m_Menu;
    AboutDialog m_About;
    HighScoreDialog m_Scores;
    std::vector<int> m_Best;
    std::unique_ptr<Autopilot> m_Pilot;
    SelfTest m_Test;
    bool m_Passed = true;
    unsigned m_Tick = 0;
    unsigned m_Frames = 0;
    CFrameClock m_Clock;              // real time, turned into fixed steps of the world
    ULONGLONG m_FirstFrame = 0;       // GetTickCount64 at the first and the last frame
    ULONGLONG m_LastFrame = 0;
    std::vector<double> m_Intervals;  // milliseconds between frames
};
