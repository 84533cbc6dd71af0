#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/frame_window.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

class InputRecorder : public TestFrame {
public:
    void OnKeyDown(HWND, UINT key, bool repeated) override { Log("down %u%s", key, repeated ? "+" : ""); }
    void OnKeyUp(HWND, UINT key) override { Log("up %u", key); }
    void OnChar(HWND, wchar_t c) override { Log("char %c", static_cast<char>(c)); }
    void OnMouseDown(HWND, EMouseButton b, int x, int y, UINT) override { Log("press %d %d,%d", b, x, y); }
    void OnMouseUp(HWND, EMouseButton b, int x, int y, UINT) override { Log("release %d %d,%d", b, x, y); }
    void OnMouseDoubleClick(HWND, EMouseButton b, int x, int y, UINT) override { Log("double %d %d,%d", b, x, y); }
    void OnMouseWheel(HWND, int delta, int x, int y, UINT) override { Log("wheel %d %d,%d", delta, x, y); }
    const CInput& Input() const { return m_Input; }
    POINT Screen(int x, int y) const
    {
        POINT point = {x, y};
        ClientToScreen(m_hWnd, &point);
        return point;
    }
    template <typename... Args> void Log(const char* format, Args... args)
    {
        char line[64];
        std::snprintf(line, sizeof line, format, args...);
        events.push_back(line);
    }
    std::vector<std::string> events;
};

void Foreground(HWND window)
{
    SetForegroundWindow(window);
    SetFocus(window);
    PumpFor(100);
}

TEST(InputHandlers, GetTheKeyCharacterButtonClientPositionAndWheelOfRealInput)
{
    InputRecorder frame;
    ASSERT_TRUE(frame.Create(240, 160, 300, 300));
    Foreground(frame.GetWndHandle());
    const POINT at = frame.Screen(30, 40), outside = frame.Screen(-30, 40);
    const struct {
        std::vector<INPUT> gesture, then;  // then: once the window has seen the gesture
        std::vector<std::string> expected;
        int mouseX;
    } cases[] = {
        {{MouseInput(at, MOUSEEVENTF_RIGHTDOWN), MouseInput(at, MOUSEEVENTF_RIGHTUP)}, {},
         {"press 1 30,40", "release 1 30,40"}, 30},
        {{KeyInput('A', false), KeyInput('A', false), KeyInput('A', true)}, {},
         {"down 65", "char a", "down 65+", "char a", "up 65"}, 30},
        {{MouseInput(at, MOUSEEVENTF_LEFTDOWN), MouseInput(at, MOUSEEVENTF_LEFTUP),
          MouseInput(at, MOUSEEVENTF_LEFTDOWN), MouseInput(at, MOUSEEVENTF_LEFTUP)}, {},
         {"press 0 30,40", "release 0 30,40", "double 0 30,40", "release 0 30,40"}, 30},
        {{MouseInput(at, MOUSEEVENTF_WHEEL, WHEEL_DELTA)}, {}, {"wheel 120 30,40"}, 30},
        {{MouseInput(at, MOUSEEVENTF_LEFTDOWN)}, {MouseInput(outside, 0), MouseInput(outside, MOUSEEVENTF_LEFTUP)},
         {"press 0 30,40", "release 0 -30,40"}, -30},
    };
    for (const auto& c : cases) {
        frame.events.clear();
        SendInputs(c.gesture);
        if (!c.then.empty()) {
            SendInputs(c.then);
        }
        EXPECT_EQ(frame.events, c.expected);
        EXPECT_EQ(frame.Input().MouseX(), c.mouseX);
        EXPECT_EQ(frame.Input().MouseY(), 40);
        PumpFor(600);  // past the double-click time: the next case starts afresh
    }
}

TEST(InputHandlers, DefaultsLeaveAltF4ClosingTheWindow)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    Foreground(frame.GetWndHandle());
    SendInputs({KeyInput(VK_MENU, false), KeyInput(VK_F4, false), KeyInput(VK_F4, true), KeyInput(VK_MENU, true)});
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame.GetWndHandle()); }, 3000));
}

// Runs a game loop whose frames act as the script says and record one input fact each.
struct Script {
    InputRecorder* frame;
    std::function<void(int)> act;
    std::function<bool()> fact;
    int frames = 0;
    std::string record;
};

void PlayScript(void* argument)
{
    auto* script = static_cast<Script*>(argument);
    script->record += script->fact() ? '1' : '0';
    script->act(++script->frames);
}

TEST(InputState, APressIsSeenInOneFrameAndAHeldKeyIsReleasedWhenTheFocusLeaves)
{
    InputRecorder frame;
    TestFrame other;
    ASSERT_TRUE(frame.Create() && other.Create(200, 150, 400, 20));
    Foreground(frame.GetWndHandle());
    const CInput& input = frame.Input();
    auto act = [&](int n) {
        if (n == 2) SendInputs({KeyInput('A', false)}, false);
        if (n == 8) Foreground(other.GetWndHandle());
        if (n == 12) PostQuitMessage(0);
    };
    const struct { const char* name; std::function<bool()> fact; const char* expected; } cases[] = {
        {"held", [&] { return input.IsDown('A'); }, "001111110000"},
        {"pressed", [&] { return input.WasPressed('A'); }, "001000000000"},
        {"released", [&] { return input.WasReleased('A'); }, "000000001000"},
        {"beyond 255", [&] { return input.IsDown('A' + 256) || input.WasPressed('A' + 256); }, "000000000000"},
    };
    for (const auto& c : cases) {
        Foreground(frame.GetWndHandle());
        Script script = {&frame, act, c.fact, 0, ""};
        GameLoop(frame.GetWndHandle(), 30, PlayScript, &script);
        EXPECT_EQ(script.record, c.expected) << c.name;
        SendInputs({KeyInput('A', true)});
    }
}

}  // namespace
