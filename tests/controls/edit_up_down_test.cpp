#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstdlib>
#include <string>

#include "command_recorder.h"
#include "creation_spy.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

using EditUpDown = ControlsOnParent;

std::wstring TextOf(const CEdit& edit)
{
    wchar_t text[32] = {};
    edit.GetText(text, 32);
    return text;
}

TEST_F(EditUpDown, TheEditShowsTheGivenNumberAndTheArrowsWriteItBackWithinTheLimits)
{
    struct Case {
        int limit1;
        int limit2;
        int pos;
        const wchar_t* shown;
        int min;
        int max;
    };
    const Case cases[] = {
        {0, 10, 20, L"10", 0, 10},
        {10, 0, -5, L"0", 0, 10},
        {0, 10, 7, L"7", 0, 10},
        {-10, 10, -3, L"-3", -10, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pos);
        CreationSpy spy;
        CEditUpDown number;
        int next = CWindowBase::CreateResourceID() + 1;
        ASSERT_TRUE(number.Create(hwnd, 20, 20, 120, 24, c.limit1, c.limit2, c.pos));
        HWND arrows = number.GetUpDown().GetWndHandle();
        ASSERT_NE(arrows, nullptr);
        // The edit is made first, with the number as given, then the arrows.
        EXPECT_EQ(number.GetID(), next);
        EXPECT_EQ(GetDlgCtrlID(arrows), next + 1);
        EXPECT_EQ(spy.Of(number.GetWndHandle()).text, std::to_wstring(c.pos));
        EXPECT_EQ(spy.Of(number.GetWndHandle()).style, 0x50800080u);
        EXPECT_EQ(spy.Of(arrows).style & 0xFFFF, 0x26u);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)),
                  number.GetWndHandle());
        EXPECT_EQ(TextOf(number), c.shown);
        EXPECT_EQ(number.GetUpDown().GetMin(), c.min);
        EXPECT_EQ(number.GetUpDown().GetMax(), c.max);
        // The arrows stand against the edit's right edge (over its border), and the
        // edit was narrowed to make room for them.
        RECT edit = {}, spin = {};
        GetWindowRect(number.GetWndHandle(), &edit);
        GetWindowRect(arrows, &spin);
        EXPECT_LE(std::abs(spin.left - edit.right), 2);
        EXPECT_LT(edit.right - edit.left, 120);
        DestroyWindow(arrows);
        DestroyWindow(number.GetWndHandle());
    }
}

TEST_F(EditUpDown, TheUpKeyInTheEditRaisesTheNumberUntilTheUpperLimit)
{
    CEditUpDown number;
    ASSERT_TRUE(number.Create(hwnd, 20, 20, 120, 24, 3, 0, 1));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    SetFocus(number.GetWndHandle());
    const wchar_t* afterEachUp[] = {L"2", L"3", L"3"};
    for (const wchar_t* expected : afterEachUp) {
        PressKey(VK_UP);
        EXPECT_EQ(TextOf(number), expected);
    }
    PressKey(VK_DOWN);
    EXPECT_EQ(TextOf(number), L"2");
    EXPECT_EQ(number.GetUpDown().GetPos(), 2);
}

TEST_F(EditUpDown, WithoutAParentNothingIsMadeAndCopiesLeaveTheControls)
{
    CEditUpDown orphan;
    int next = CWindowBase::CreateResourceID() + 1;
    EXPECT_FALSE(orphan.Create(nullptr, 0, 0, 80, 24, 0, 10, 5));
    EXPECT_EQ(orphan.GetUpDown().GetWndHandle(), nullptr);
    // Only the edit's identifier was taken.
    EXPECT_EQ(CWindowBase::CreateResourceID(), next + 1);

    CEditUpDown number;
    ASSERT_TRUE(number.Create(hwnd, 20, 20, 120, 24, 0, 10, 5));
    {
        CEditUpDown copy(number);
        CEditUpDown assigned;
        assigned = number;
        EXPECT_EQ(copy.GetUpDown().GetWndHandle(), number.GetUpDown().GetWndHandle());
        assigned.SetText(L"8");
    }
    EXPECT_TRUE(IsWindow(number.GetWndHandle()));
    EXPECT_TRUE(IsWindow(number.GetUpDown().GetWndHandle()));
    EXPECT_EQ(number.GetUpDown().GetPos(), 8);
}

}  // namespace
