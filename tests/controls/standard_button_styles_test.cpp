#include <gtest/gtest.h>

#include <tsumiki.h>

#include "command_recorder.h"
#include "support/real_input.h"

namespace {

class StandardButtonStyles : public ControlsOnParent {
protected:
    void TearDown() override { UseStandardButtonStyles(false); }
};

TEST_F(StandardButtonStyles, PutTheTextOnTheRightAndLetAClickCheckTheBoxForControlsMadeAfter)
{
    const struct {
        bool on;
        UINT boxStyle, radioStyle;
        bool clickChecks;
    } cases[] = {{true, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON, true},
                 {false, BS_CHECKBOX | BS_LEFTTEXT, BS_AUTORADIOBUTTON | BS_LEFTTEXT, false}};
    int y = 10;
    for (const auto& c : cases) {
        UseStandardButtonStyles(c.on);
        CCheckBox box;
        CRadioButton radios;
        ASSERT_TRUE(box.Create(hwnd, 20, y, 160, 24, L"Remember"));
        ASSERT_TRUE(radios.Create(hwnd, 20, y + 30, 160, 24, L"One"));
        ASSERT_TRUE(radios.Create(hwnd, 20, y + 60, 160, 24, L"Two"));
        y += 100;
        auto style = [](const CWindowBase& control) {
            return static_cast<UINT>(GetWindowLongPtrW(control.GetWndHandle(), GWL_STYLE)) &
                   (BS_TYPEMASK | BS_LEFTTEXT);
        };
        EXPECT_EQ(style(box), c.boxStyle);
        EXPECT_EQ(style(radios), c.radioStyle);
        ClickAt(CentreOf(box.GetWndHandle()));
        EXPECT_EQ(box.IsCheck(), c.clickChecks);
        // Each button of the group by its place; the newest is the current one.
        EXPECT_EQ(radios.GetButton(1), radios.GetWndHandle());
        EXPECT_EQ(GetParent(radios.GetButton(0)), hwnd);
        EXPECT_NE(radios.GetButton(0), radios.GetButton(1));
        EXPECT_EQ(radios.GetButton(2), nullptr);
        EXPECT_EQ(radios.GetButton(-1), nullptr);
    }
    EXPECT_EQ(CRadioButton().GetButton(0), nullptr);
}

}  // namespace
