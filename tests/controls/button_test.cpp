#include <gtest/gtest.h>

#include <tsumiki.h>

#include "command_recorder.h"
#include "support/pump.h"

namespace {

class ButtonClick : public ControlsOnParent {
protected:
    void SetUp() override
    {
        ControlsOnParent::SetUp();
        ASSERT_TRUE(ok.Create(hwnd, 20, 20, 120, 40, L"OK"));
        ASSERT_TRUE(cancel.Create(hwnd, 20, 80, 120, 40, L"Cancel"));
    }

    void ExpectOneClickFromOk()
    {
        ASSERT_EQ(parent.commands.size(), 1u);
        const CommandRecorder::Command& command = parent.commands[0];
        EXPECT_EQ(command.id, ok.GetID());
        EXPECT_EQ(command.control, ok.GetWndHandle());
        EXPECT_EQ(command.code, static_cast<UINT>(BN_CLICKED));
        EXPECT_TRUE(ok.IsPush(command.id));
        EXPECT_FALSE(cancel.IsPush(command.id));
    }

    CButton ok;
    CButton cancel;
};

TEST_F(ButtonClick, ClickMessageReachesTheParentWithTheButtonsIdentifier)
{
    SendMessageW(ok.GetWndHandle(), BM_CLICK, 0, 0);
    ExpectOneClickFromOk();
}

TEST_F(ButtonClick, MousePressAndReleaseAtTheCentreReachTheParent)
{
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    RECT bounds = {};
    GetWindowRect(ok.GetWndHandle(), &bounds);
    POINT centre = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ASSERT_EQ(WindowFromPoint(centre), ok.GetWndHandle());
    SetCursorPos(centre.x, centre.y);

    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT release = press;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(1, &press, sizeof(INPUT)), 1u);
    PumpFor(50);
    EXPECT_TRUE(parent.commands.empty()) << "a button reports the click on release";
    ASSERT_EQ(SendInput(1, &release, sizeof(INPUT)), 1u);
    ASSERT_TRUE(PumpUntil([&] { return !parent.commands.empty(); }, 2000));
    ExpectOneClickFromOk();
}

TEST(Button, WithoutAControlNoIdentifierIsItsOwn)
{
    CButton button;
    EXPECT_FALSE(button.IsPush(0));
}

}  // namespace
