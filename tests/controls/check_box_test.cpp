#include <gtest/gtest.h>

#include <tsumiki.h>

#include "command_recorder.h"

namespace {

class CheckBox : public ControlsOnParent {
protected:
    void SetUp() override
    {
        ControlsOnParent::SetUp();
        ASSERT_TRUE(box.Create(hwnd, 20, 20, 160, 24, L"Remember"));
        ASSERT_TRUE(other.Create(hwnd, 20, 60, 160, 24, L"Other"));
    }
    void Click() { SendMessageW(box.GetWndHandle(), BM_CLICK, 0, 0); }

    CCheckBox box;
    CCheckBox other;
};

TEST_F(CheckBox, SetCheckIsReadBackByIsCheck)
{
    EXPECT_FALSE(box.IsCheck());
    box.SetCheck(true);
    EXPECT_TRUE(box.IsCheck());
    EXPECT_EQ(SendMessageW(box.GetWndHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    box.SetCheck(false);
    EXPECT_FALSE(box.IsCheck());
    EXPECT_FALSE(other.IsCheck());
}

TEST_F(CheckBox, AClickAloneChangesNothingAndTellsTheParent)
{
    Click();
    EXPECT_FALSE(box.IsCheck());
    ASSERT_EQ(parent.commands.size(), 1u);
    EXPECT_EQ(parent.commands[0].id, box.GetID());
    EXPECT_EQ(parent.commands[0].control, box.GetWndHandle());
}

TEST_F(CheckBox, ToggleCheckFromTheParentFlipsTheClickedBoxOnly)
{
    parent.react = [&](int, HWND control, UINT) {
        box.ToggleCheck(control);
        other.ToggleCheck(control);
    };
    Click();
    EXPECT_TRUE(box.IsCheck());
    EXPECT_FALSE(other.IsCheck());
    Click();
    EXPECT_FALSE(box.IsCheck());
    EXPECT_FALSE(other.IsCheck());
}

TEST_F(CheckBox, ToggleCheckWithAnotherHandleChangesNothing)
{
    for (bool state : {false, true}) {
        box.SetCheck(state);
        box.ToggleCheck(other.GetWndHandle());
        box.ToggleCheck(nullptr);
        box.ToggleCheck(hwnd);
        EXPECT_EQ(box.IsCheck(), state);
    }
}

}  // namespace
