#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "command_recorder.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

class RadioGroup : public ControlsOnParent {
protected:
    void SetUp() override
    {
        ControlsOnParent::SetUp();
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(group.Create(hwnd, 20, 20 + 40 * i, 120, 30, L"choice"));
            buttons.push_back(group.GetWndHandle());
        }
    }
    // Which of the buttons are checked, as the platform reports it.
    std::vector<bool> Checked() const
    {
        std::vector<bool> checked;
        for (HWND button : buttons) {
            checked.push_back(SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
        return checked;
    }
    void CheckOnly(int index)
    {
        for (size_t i = 0; i < buttons.size(); ++i) {
            SendMessageW(buttons[i], BM_SETCHECK, static_cast<int>(i) == index, 0);
        }
    }

    CRadioButton group;
    std::vector<HWND> buttons;
};

TEST_F(RadioGroup, SetCheckChecksTheNewestButtonAndUnchecksItsMates)
{
    struct Case {
        int checkedBefore;
        std::vector<bool> after;
    };
    const Case cases[] = {{-1, {false, false, true}}, {0, {false, false, true}}, {1, {false, false, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.checkedBefore);
        CheckOnly(c.checkedBefore);
        // IsCheck reports on the newest button only.
        EXPECT_FALSE(group.IsCheck());
        group.SetCheck();
        EXPECT_EQ(Checked(), c.after);
        EXPECT_TRUE(group.IsCheck());
    }
}

TEST_F(RadioGroup, CopiesKeepTheButtonsAsTheyStoodAndGroupsStayPerParent)
{
    // A copy made after the first button knows only that one.
    CRadioButton early;
    ASSERT_TRUE(early.Create(hwnd, 200, 20, 120, 30, L"early"));
    CRadioButton earlyCopy(early);
    ASSERT_TRUE(early.Create(hwnd, 200, 60, 120, 30, L"later"));
    SendMessageW(early.GetWndHandle(), BM_SETCHECK, BST_CHECKED, 0);
    earlyCopy.SetCheck();
    EXPECT_TRUE(earlyCopy.IsCheck());
    EXPECT_EQ(SendMessageW(early.GetWndHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Self-assignment keeps the remembered buttons.
    CRadioButton& same = group;
    group = same;
    CheckOnly(0);
    group.SetCheck();
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, true}));

    // Buttons on a second parent: SetCheck there leaves the first parent's buttons alone.
    TestFrame other;
    ASSERT_TRUE(other.Create(200, 150, 560, 40));
    CRadioButton both(group);
    ASSERT_TRUE(both.Create(other.GetWndHandle(), 10, 10, 120, 30, L"elsewhere"));
    both.SetCheck();
    EXPECT_TRUE(both.IsCheck());
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, true}));

    // An assigned object takes the source's buttons: its SetCheck unchecks them.
    CRadioButton assigned;
    assigned = group;
    CheckOnly(1);
    assigned.SetCheck();
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, true}));
}

TEST_F(RadioGroup, AClickChecksTheButtonAndUnchecksTheOthersThroughThePlatform)
{
    group.SetCheck();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    for (int target : {0, 1}) {
        SCOPED_TRACE(target);
        RECT bounds = {};
        GetWindowRect(buttons[target], &bounds);
        ClickAt({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
        ASSERT_TRUE(PumpUntil([&]() -> bool { return Checked()[target]; }, 2000));
        std::vector<bool> expected(3, false);
        expected[target] = true;
        EXPECT_EQ(Checked(), expected);
        EXPECT_FALSE(group.IsCheck());
    }
    EXPECT_EQ(parent.CodesFrom(buttons[1]), std::vector<UINT>{BN_CLICKED});
}

TEST_F(RadioGroup, ButtonsOutliveTheirObjectWithTheirCheck)
{
    HWND kept = nullptr;
    {
        CRadioButton temporary;
        ASSERT_TRUE(temporary.Create(hwnd, 200, 20, 120, 30, L"kept"));
        temporary.SetCheck();
        kept = temporary.GetWndHandle();
    }
    EXPECT_TRUE(IsWindowVisible(kept));
    EXPECT_EQ(SendMessageW(kept, BM_GETCHECK, 0, 0), BST_CHECKED);
}

}  // namespace
