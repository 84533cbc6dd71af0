#include "game_window.h"

#include <algorithm>
#include <cstdio>

#include "painter.h"

namespace {

// The game loop's rate: one step of the world (World::kStep) a frame, where the machine
// keeps up.
constexpr int kFramesPerSecond = 60;
// A slow frame is caught up with at most this many steps, so the game slows down instead
// of freezing when a machine cannot keep up.
constexpr int kMaxStepsPerFrame = 6;

}  // namespace

bool GameWindow::Create()
{
    // OnCreate gives the playfield its client size, once the menu bar is on.
    return CreateWnd(L"Star Guard", static_cast<int>(World::kWidth), static_cast<int>(World::kHeight), 60, 40,
                     nullptr, nullptr, L"BASIC_WINDOW",
                     (WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME & ~WS_MAXIMIZEBOX) | WS_VISIBLE, 0);
}

int GameWindow::OnCreate(HWND hwnd, CREATESTRUCTW*)
{
    if (!m_Art.Prepare()) {
        m_Passed = false;
    }
    m_Menu.AddMenu(L"Game", 7, L"New game", L"Pause", L"Mute", L"|", L"High scores", L"|", L"Exit");
    m_Menu.AddMenu(L"Help", 1, L"About");
    m_Menu.Set(hwnd);
    SetClientSize(static_cast<int>(World::kWidth), static_cast<int>(World::kHeight));
    if (m_Mode != RunMode::Play) {
        m_Pilot = std::make_unique<Autopilot>(hwnd);
    }
    // Text sizes are in the buffer's pixels, as the playfield is, whatever the screen's DPI.
    m_Graphics.SetTextUnit(TEXT_PIXELS);
    // What start-up took is not game time.
    m_Clock.Tick();
    m_Clock.Steps(World::kStep);
    m_Sound.Start(hwnd);
    return 1;
}

const CGamepad& GameWindow::Pad() const
{
    return m_Pilot ? m_Pilot->Pad() : m_Input.Pad(0);
}

Input GameWindow::Controls() const
{
    const CGamepad& pad = Pad();
    const float stick = pad.LeftStick().x;
    Input controls;
    controls.left = m_Input.IsDown(VK_LEFT) || pad.IsDown(PAD_LEFT) || stick < -0.3f;
    controls.right = m_Input.IsDown(VK_RIGHT) || pad.IsDown(PAD_RIGHT) || stick > 0.3f;
    controls.fire = m_Input.IsDown(VK_SPACE) || pad.IsDown(PAD_A);
    return controls;
}

void GameWindow::TogglePause()
{
    m_World.TogglePause();
    CheckMenuItem(GetMenu(m_hWnd), static_cast<UINT>(m_Menu.GetID(L"Pause")),
                  m_World.State() == GameState::Paused ? MF_CHECKED : MF_UNCHECKED);
}

void GameWindow::Frame()
{
    HWND hwnd = m_hWnd;
    double elapsed = m_Clock.Tick();
    if (m_Tick > 0) {
        m_Intervals.push_back(1000.0 * elapsed);
    } else {
        m_FirstFrame = GetTickCount64();
    }
    m_LastFrame = GetTickCount64();
    ++m_Tick;
    if (m_Pilot) {
        m_Pilot->Drive(m_Tick, m_World.ShipX());
    }
    const bool over = m_World.State() == GameState::GameOver;
    const bool start = Pad().WasPressed(PAD_START);
    if (m_Input.WasPressed('P') || (start && !over)) {
        TogglePause();
    }
    if ((m_Input.WasPressed(VK_RETURN) || start) && over) {
        m_World.NewGame();
    }
    if (m_Input.WasPressed(VK_F11)) {
        SetFullScreen(!IsFullScreen());
    }
    AdvanceClock();
    if (m_Mode == RunMode::SelfTest) {
        if (m_Test.WantsHighScores(m_Tick)) {
            m_Scores.Show(hwnd, m_Best);
        }
        if (m_Test.WantsHighScoresClosed(m_Tick)) {
            m_Scores.Close();
        }
        if (m_Test.WantsPause(m_Tick)) {
            // Early on with the pad's Start, later with the key.
            if (m_Tick < 100) {
                m_Pilot->TapStart();
            } else {
                m_Pilot->Tap('P');
            }
        }
        if (m_Test.WantsFullScreenToggle(m_Tick)) {
            m_Pilot->Tap(VK_F11);
        }
        m_Test.SeeWindow(m_Tick, hwnd, IsFullScreen());
        if (m_Test.OnTick(m_Tick, m_World, m_Scores.IsOpen())) {
            m_Passed = m_Passed && m_Test.Passed();
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        }
    }
    if (m_Mode == RunMode::Demo && m_Tick >= static_cast<unsigned>(m_Seconds) * kFramesPerSecond) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
    // Painted now, so that the picture keeps the loop's pace.
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void GameWindow::AdvanceClock()
{
    // Beyond the cap the game slows down rather than stepping in bursts.
    int steps = std::min(m_Clock.Steps(World::kStep), kMaxStepsPerFrame);
    for (; steps > 0; --steps) {
        StepOnce();
    }
}

void GameWindow::StepOnce()
{
    bool wasOver = m_World.State() == GameState::GameOver;
    m_World.Step(Controls());
    if (m_World.ShotsFiredLastStep() > 0) {
        // Heard from where the ship is, left to right.
        m_Sound.Shot(m_World.ShipX() / World::kWidth * 2 - 1);
    }
    if (m_World.HitsLastStep() > 0) {
        m_Sound.Boom();
    }
    if (!wasOver && m_World.State() == GameState::GameOver) {
        GameEnded();
    }
    // The demo starts over by itself after the last life.
    if (m_Mode == RunMode::Demo && m_World.State() == GameState::GameOver) {
        m_World.NewGame();
    }
}

void GameWindow::GameEnded()
{
    m_Best.push_back(m_World.Score());
    std::sort(m_Best.rbegin(), m_Best.rend());
    if (m_Best.size() > 8) {
        m_Best.resize(8);
    }
    if (m_Mode == RunMode::Play) {
        m_Scores.Show(m_hWnd, m_Best);
    }
}

void GameWindow::OnPaint(HWND hwnd)
{
    PaintWorld(m_Graphics, m_Art, m_World, m_Frames++);
    if (IsFullScreen()) {
        PresentStretched(hwnd);
    } else {
        m_Graphics.Present(hwnd);
    }
}

void GameWindow::PresentStretched(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(hwnd, &paint);
    RECT client = {};
    GetClientRect(hwnd, &client);
    const float scale = std::min(client.right / World::kWidth, client.bottom / World::kHeight);
    const int width = static_cast<int>(World::kWidth * scale);
    const int height = static_cast<int>(World::kHeight * scale);
    const int left = (client.right - width) / 2;
    const int top = (client.bottom - height) / 2;
    HDC buffer = nullptr;
    Gdiplus::GpGraphics* drawer = m_Graphics.GetDrawer();
    if (drawer && Gdiplus::DllExports::GdipGetDC(drawer, &buffer) == Gdiplus::Ok) {
        SetStretchBltMode(screen, COLORONCOLOR);
        StretchBlt(screen, left, top, width, height, buffer, 0, 0, static_cast<int>(World::kWidth),
                   static_cast<int>(World::kHeight), SRCCOPY);
        Gdiplus::DllExports::GdipReleaseDC(drawer, buffer);
    }
    ExcludeClipRect(screen, left, top, left + width, top + height);
    FillRect(screen, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(hwnd, &paint);
}

void GameWindow::OnCommand(HWND hwnd, int id, HWND control, UINT)
{
    if (control) {
        return;
    }
    if (m_Menu.IsSelect(L"New game", id)) {
        m_World.NewGame();
    } else if (m_Menu.IsSelect(L"Pause", id)) {
        TogglePause();
    } else if (m_Menu.IsSelect(L"Mute", id)) {
        m_Sound.SetMuted(!m_Sound.IsMuted());
        CheckMenuItem(GetMenu(hwnd), static_cast<UINT>(id), m_Sound.IsMuted() ? MF_CHECKED : MF_UNCHECKED);
    } else if (m_Menu.IsSelect(L"High scores", id)) {
        m_Scores.Show(hwnd, m_Best);
    } else if (m_Menu.IsSelect(L"Exit", id)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    } else if (m_Menu.IsSelect(L"About", id)) {
        bool wasPlaying = m_World.State() == GameState::Playing;
        if (wasPlaying) {
            TogglePause();
        }
        m_About.Show(hwnd);
        if (wasPlaying) {
            TogglePause();
        }
    }
}

std::string GameWindow::PacingReport() const
{
    if (m_Intervals.empty()) {
        return "pacing: no frames\n";
    }
    std::vector<double> sorted = m_Intervals;
    std::sort(sorted.begin(), sorted.end());
    char line[160];
    std::snprintf(line, sizeof line,
                  "pacing: %zu frames at %d/s, interval median %.2f ms, 99th percentile %.2f ms, largest %.2f ms\n",
                  sorted.size() + 1, kFramesPerSecond, sorted[sorted.size() / 2],
                  sorted[sorted.size() * 99 / 100], sorted.back());
    return line;
}

int GameWindow::FramesPerSecondWanted()
{
    return kFramesPerSecond;
}

double GameWindow::FramesPerSecond() const
{
    double seconds = (m_LastFrame - m_FirstFrame) / 1000.0;
    return seconds > 0 ? m_Frames / seconds : 0;
}
