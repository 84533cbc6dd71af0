#include "self_test.h"

#include <vector>

namespace {

// How many more objects of a kind the system will make before refusing, capped.
template <typename Make, typename Free>
long Headroom(Make make, Free release)
{
    const size_t cap = 200000;
    std::vector<decltype(make())> made;
    while (made.size() < cap) {
        auto handle = make();
        if (!handle) {
            break;
        }
        made.push_back(handle);
    }
    for (auto handle : made) {
        release(handle);
    }
    return static_cast<long>(made.size());
}

}  // namespace

HandleUse MeasureHandles()
{
    HANDLE process = GetCurrentProcess();
    HandleUse use = {static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS)),
                     static_cast<long>(GetGuiResources(process, GR_USEROBJECTS))};
    if (use.gdi == 0) {
        use.gdi = -Headroom([] { return CreateRectRgn(0, 0, 1, 1); },
                            [](HRGN region) { DeleteObject(region); });
    }
    if (use.user == 0) {
        use.user = -Headroom([] { return CreateMenu(); }, [](HMENU menu) { DestroyMenu(menu); });
    }
    return use;
}

void SelfTest::SeeWindow(unsigned tick, HWND window, bool fullScreen)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    if (tick == kFullScreenAt) {
        m_Windowed = rect;
    }
    if (tick == kFullScreenAt + 3) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        Check(fullScreen && EqualRect(&rect, &monitor.rcMonitor), L"F11 did not cover the screen");
    }
    if (tick == kWindowedAt + 3) {
        Check(!fullScreen && EqualRect(&rect, &m_Windowed), L"F11 did not give the window back its place");
    }
}

bool SelfTest::WantsPause(unsigned tick) const
{
    return tick == 50 || tick == 70 || tick == kPauseAt || tick == kResumeAt;
}

bool SelfTest::OnTick(unsigned tick, const World& world, bool highScoresOpen)
{
    m_Ticks = tick;
    if (tick == kBaselineAt) {
        // By now the pictures, fonts, menus and back buffer exist: what follows must not add.
        m_Before = MeasureHandles();
        m_FirstEnemyX = world.Enemies().front().x;
        m_FirstEnemyY = world.Enemies().front().y;
        m_FirstShipX = world.ShipX();
        m_FirstStarY = world.Stars().front().y;
    }
    if (tick == 53) {
        Check(world.State() == GameState::Paused, L"Start on the pad did not pause the game");
    }
    if (tick == kScoresOpenAt + 5) {
        m_SawScoresOpen = highScoresOpen;
    }
    if (tick == kScoresCloseAt + 5) {
        Check(!highScoresOpen, L"the high-score dialog did not close");
    }
    if (tick == kPauseAt + 2) {
        Check(world.State() == GameState::Paused, L"P did not pause the game");
        m_StepsAtPause = world.Steps();
    }
    if (tick == kResumeAt - 1) {
        Check(world.Steps() == m_StepsAtPause, L"the world moved while paused");
    }
    bool timeUp = GetTickCount() - m_Start > 60000;
    if (tick > kResumeAt && (world.Steps() >= kStepsToPlay || world.State() == GameState::GameOver || timeUp)) {
        Finish(world);
        return true;
    }
    return false;
}

void SelfTest::Finish(const World& world)
{
    HandleUse after = MeasureHandles();
    // A little slack for what the system itself allocates now and then.
    const long slack = 8;
    Check(m_SawScoresOpen, L"the high-score dialog did not open");
    Check(world.Score() > 0, L"the score did not change");
    Check(world.ShipX() != m_FirstShipX, L"the ship did not move");
    Check(world.Stars().front().y != m_FirstStarY, L"the stars did not move");
    const Enemy& first = world.Enemies().front();
    Check(first.x != m_FirstEnemyX || first.y != m_FirstEnemyY || world.Wave() > 1,
          L"the formation did not move");
    Check(world.Steps() >= 60, L"the game clock did not run");
    Check(after.gdi <= m_Before.gdi + slack, L"GDI handles leaked");
    Check(after.user <= m_Before.user + slack, L"USER handles leaked");

    double seconds = (GetTickCount() - m_Start) / 1000.0;
    m_Summary = L"steps " + std::to_wstring(world.Steps()) + L", ticks " + std::to_wstring(m_Ticks) +
                L", score " + std::to_wstring(world.Score()) + L", wave " + std::to_wstring(world.Wave()) +
                L", lives " + std::to_wstring(world.Lives()) + L", GDI " + std::to_wstring(m_Before.gdi) +
                L" -> " + std::to_wstring(after.gdi) + L", USER " + std::to_wstring(m_Before.user) + L" -> " +
                std::to_wstring(after.user) + L", " + std::to_wstring(seconds) + L" s";
}

void SelfTest::Check(bool condition, const std::wstring& failure)
{
    if (!condition) {
        m_Failures += L"  FAILED: " + failure + L"\n";
    }
}

std::wstring SelfTest::Report() const
{
    return L"selftest: " + m_Summary + L"\n" + m_Failures;
}
