// Pads fed recorded readings, as the window reads them from XInput once a frame.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

XINPUT_STATE Reading(WORD buttons, SHORT leftX = 0, SHORT leftY = 0, BYTE leftTrigger = 0)
{
    XINPUT_STATE state = {};
    state.Gamepad.wButtons = buttons;
    state.Gamepad.sThumbLX = leftX;
    state.Gamepad.sThumbLY = leftY;
    state.Gamepad.bLeftTrigger = leftTrigger;
    return state;
}

TEST(Gamepad, EdgesFollowTheReadingsAndAnUnpluggedPadReleasesWhatItHeld)
{
    struct Frame {
        bool plugged;
        WORD buttons;
        bool down, pressed, released;  // of A
    };
    const Frame frames[] = {
        {true, 0, false, false, false},
        {true, XINPUT_GAMEPAD_A, true, true, false},                       // press
        {true, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START, true, false, false},  // hold
        {true, XINPUT_GAMEPAD_START, false, false, true},                  // release
        {true, XINPUT_GAMEPAD_A, true, true, false},
        {false, 0, false, false, true},                                    // unplugged while held
        {false, 0, false, false, false},
    };
    CGamepad pad;
    EXPECT_FALSE(pad.IsConnected());
    int frameNumber = 0;
    for (const Frame& frame : frames) {
        SCOPED_TRACE(frameNumber++);
        XINPUT_STATE state = Reading(frame.buttons);
        pad.Update(frame.plugged ? &state : nullptr);
        EXPECT_EQ(pad.IsConnected(), frame.plugged);
        EXPECT_EQ(pad.IsDown(PAD_A), frame.down);
        EXPECT_EQ(pad.WasPressed(PAD_A), frame.pressed);
        EXPECT_EQ(pad.WasReleased(PAD_A), frame.released);
    }
    EXPECT_FALSE(pad.IsDown(static_cast<EPadButton>(14)));
    EXPECT_FALSE(pad.Vibrate(1, 1)) << "a fed pad has no motors";
}

TEST(Gamepad, DeadZonesAreCutFromTheDistanceAndKeepTheDirection)
{
    struct Case {
        SHORT x, y;
        BYTE trigger;
        float expectX, expectY, expectTrigger;
    };
    const Case cases[] = {
        {7000, 0, 30, 0, 0, 0},                    // inside the zone and the threshold
        {6000, 6000, 31, 0.01806f, 0.01806f, 1 / 225.0f},  // each axis inside, the distance outside
        {32767, 0, 255, 1, 0, 1},
        {-32768, -32768, 128, -0.7071f, -0.7071f, 98 / 225.0f},
        {0, 20308, 0, 0, 0.5f, 0},                 // halfway between the zone and the edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        CGamepad pad;
        XINPUT_STATE state = Reading(0, c.x, c.y, c.trigger);
        pad.Update(&state);
        EXPECT_NEAR(pad.LeftStick().x, c.expectX, 1e-3);
        EXPECT_NEAR(pad.LeftStick().y, c.expectY, 1e-3);
        EXPECT_NEAR(pad.LeftTrigger(), c.expectTrigger, 1e-4);
        EXPECT_EQ(pad.RightStick().x, 0);
        EXPECT_EQ(pad.RightTrigger(), 0);
    }
}

class PadWindow : public TestFrame {
public:
    CInput& Input() { return m_Input; }
};

TEST(Gamepad, AWindowsPadIsReleasedWhenTheWindowLosesTheFocusAndSleepsUntilItComesBack)
{
    PadWindow window;
    ASSERT_TRUE(window.Create());
    SetForegroundWindow(window.GetWndHandle());
    SetFocus(window.GetWndHandle());
    PumpFor(50);
    const CGamepad& pad = window.Input().Pad(0);
    EXPECT_FALSE(pad.IsConnected()) << "no pad on this machine";
    EXPECT_FALSE(window.Input().Pad(4).IsConnected());
    EXPECT_EQ(&window.Input().Pad(-1), &window.Input().Pad(7));

    // Fed as the window's frame reading would be, with a button and the stick held.
    XINPUT_STATE held = Reading(XINPUT_GAMEPAD_B, 0, 32767, 255);
    const_cast<CGamepad&>(pad).Update(&held);
    ASSERT_TRUE(pad.IsDown(PAD_B));
    TestFrame other;
    ASSERT_TRUE(other.Create(100, 80, 300, 20));
    SetFocus(other.GetWndHandle());
    PumpFor(50);
    EXPECT_FALSE(pad.IsDown(PAD_B));
    EXPECT_TRUE(pad.WasReleased(PAD_B));
    EXPECT_EQ(pad.LeftStick().y, 0);
    EXPECT_EQ(pad.LeftTrigger(), 0);
    EXPECT_TRUE(pad.IsConnected()) << "still plugged in, only out of reach";
    // Asleep: the frames after do not read the slot, and the release is seen once.
    window.Input().NextFrame();
    EXPECT_TRUE(pad.IsConnected());
    EXPECT_FALSE(pad.WasReleased(PAD_B));
    SetFocus(window.GetWndHandle());
    PumpFor(50);
    window.Input().NextFrame();
    EXPECT_FALSE(pad.IsConnected()) << "read again: the slot is empty";
}

}  // namespace
