#include <gtest/gtest.h>

#include <tsumiki.h>

#include <climits>
#include <string>

#include "command_recorder.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

class RadioGroup : public ControlsOnParent {
protected:
    void SetUp() override
    {
        ControlsOnParent::SetUp();
        for (HWND& button : buttons) {
            ASSERT_TRUE(group.Create(hwnd, 20, 20 + 40 * (&button - buttons), 120, 30, L"choice"));
            button = group.GetWndHandle();
        }
    }
    // "101": the first and the third button are checked.
    std::string Checked() const
    {
        std::string checked;
        for (HWND button : buttons) {
            checked += SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
        }
        return checked;
    }
    void Check(const char* states)
    {
        for (int i = 0; i < 3; ++i) {
            SetState(buttons[i], states[i] == '1');
        }
    }
    // One button's state alone: with common controls 6, a message that checks an automatic
    // radio button also unchecks the rest of its platform group.
    static void SetState(HWND button, bool checked)
    {
        auto style = static_cast<WPARAM>(GetWindowLongPtrW(button, GWL_STYLE) & 0xFFFF);
        SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON, FALSE);
        SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(button, BM_SETSTYLE, style, FALSE);
    }

    CRadioButton group;
    HWND buttons[3] = {};
};

TEST_F(RadioGroup, SetCheckChecksTheNewestButtonAndUnchecksOnlyTheButtonsItKnows)
{
    CRadioButton firstOnly;  // a copy taken while only the first button existed
    CRadioButton early;
    ASSERT_TRUE(early.Create(hwnd, 200, 20, 120, 30, L"early"));
    firstOnly = early;
    ASSERT_TRUE(early.Create(hwnd, 200, 60, 120, 30, L"later"));
    CRadioButton& same = group;
    group = same;
    TestFrame other;
    ASSERT_TRUE(other.Create(200, 150, 560, 40));
    CRadioButton twoParents(group);
    ASSERT_TRUE(twoParents.Create(other.GetWndHandle(), 10, 10, 120, 30, L"elsewhere"));

    const struct {
        const char* before;
        CRadioButton* object;
        const char* after;
    } cases[] = {{"100", &group, "001"}, {"110", &group, "001"}, {"010", &twoParents, "010"},
                 {"100", &firstOnly, "100"}};
    for (const auto& c : cases) {
        Check(c.before);
        SetState(early.GetWndHandle(), true);
        EXPECT_EQ(group.IsCheck(), c.before[2] == '1') << "IsCheck asks the newest button";
        c.object->SetCheck();
        EXPECT_TRUE(c.object->IsCheck());
        EXPECT_EQ(Checked(), c.after) << c.before;
        EXPECT_EQ(SendMessageW(early.GetWndHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    }
}

TEST_F(RadioGroup, AClickChecksTheButtonAndUnchecksTheOthersThroughThePlatform)
{
    group.SetCheck();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    for (const char* expected : {"100", "010"}) {
        ClickAt(CentreOf(buttons[std::string(expected).find('1')]));
        EXPECT_TRUE(PumpUntil([&] { return Checked() == expected; }, 2000)) << Checked();
        EXPECT_FALSE(group.IsCheck());
    }
    EXPECT_EQ(parent.CodesFrom(buttons[1]), std::vector<UINT>{BN_CLICKED});
}

TEST_F(RadioGroup, TheCheckedIndexFollowsRealClicksAndSetCheckedIndexChecksOneButton)
{
    EXPECT_EQ(group.GetCheckedIndex(), -1);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    for (int index : {1, 0, 2}) {
        ClickAt(CentreOf(buttons[index]));
        EXPECT_TRUE(PumpUntil([&] { return group.GetCheckedIndex() == index; }, 2000)) << index;
    }
    const struct { int index; bool accepted; const char* checked; } cases[] = {
        {0, true, "100"}, {1, true, "010"}, {-1, false, "010"}, {3, false, "010"}, {INT_MAX, false, "010"}};
    for (const auto& c : cases) {
        EXPECT_EQ(group.SetCheckedIndex(c.index), c.accepted) << c.index;
        EXPECT_EQ(Checked(), c.checked) << c.index;
    }
    DestroyWindow(buttons[0]);  // keeps its place in the order, but cannot be checked
    EXPECT_FALSE(group.SetCheckedIndex(0));
    EXPECT_EQ(group.GetCheckedIndex(), 1);
}

}  // namespace
