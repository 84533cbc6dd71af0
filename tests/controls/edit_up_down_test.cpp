#include <gtest/gtest.h>

#include <tsumiki.h>

#include <climits>
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

TEST_F(EditUpDown, TheEditIsMadeWithTheGivenNumberAndTheArrowsWriteItBackWithinTheLimits)
{
    const struct {
        int limit1, limit2, pos;
        const wchar_t* shown;
    } cases[] = {{0, 10, 20, L"10"}, {10, 0, -5, L"0"}, {-10, 10, -3, L"-3"}};
    for (const auto& c : cases) {
        CreationSpy spy;
        CEditUpDown number;
        int next = CWindowBase::CreateResourceID() + 1;
        ASSERT_TRUE(number.Create(hwnd, 20, 20, 120, 24, c.limit1, c.limit2, c.pos));
        HWND arrows = number.GetUpDown().GetWndHandle();
        EXPECT_EQ(number.GetID(), next);
        EXPECT_EQ(GetDlgCtrlID(arrows), next + 1);
        EXPECT_EQ(spy.Of(number.GetWndHandle()).text, std::to_wstring(c.pos));
        EXPECT_EQ(spy.Of(arrows).style, 0x50000026u);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), number.GetWndHandle());
        EXPECT_EQ(TextOf(number), c.shown);
        // Against the edit's right edge (over its border); the edit was narrowed for them.
        RECT edit = {}, spin = {};
        GetWindowRect(number.GetWndHandle(), &edit);
        GetWindowRect(arrows, &spin);
        EXPECT_LE(std::abs(spin.left - edit.right), 2);
        EXPECT_LT(edit.right - edit.left, 120);
        DestroyWindow(arrows);
        DestroyWindow(number.GetWndHandle());
    }
    CEditUpDown orphan;
    int next = CWindowBase::CreateResourceID() + 1;
    EXPECT_FALSE(orphan.Create(nullptr, 0, 0, 80, 24, 0, 10, 5));
    EXPECT_EQ(orphan.GetUpDown().GetWndHandle(), nullptr);
    EXPECT_EQ(CWindowBase::CreateResourceID(), next + 1) << "no identifier for arrows";
}

TEST_F(EditUpDown, TheUpKeyRaisesTheNumberUntilTheUpperLimitAndCopiesShareTheControls)
{
    CEditUpDown number;
    ASSERT_TRUE(number.Create(hwnd, 20, 20, 120, 24, 3, 0, 1));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    SetFocus(number.GetWndHandle());
    for (const wchar_t* expected : {L"2", L"3", L"3"}) {
        PressKey(VK_UP);
        EXPECT_EQ(TextOf(number), expected);
    }
    PressKey(VK_DOWN);
    {
        CEditUpDown copy(number);
        EXPECT_EQ(copy.GetUpDown().GetPos(), 2);
        copy.SetText(L"0");
    }
    EXPECT_TRUE(IsWindow(number.GetUpDown().GetWndHandle()));
    EXPECT_EQ(number.GetUpDown().GetPos(), 0);
}

TEST_F(EditUpDown, SetPosShowsTheNumberWithinTheLimitsAndMoveTakesTheArrowsAlong)
{
    CEditUpDown number;
    ASSERT_TRUE(number.Create(hwnd, 20, 20, 120, 24, -5, 50, 0));
    const struct { const wchar_t* typed; int set; const wchar_t* shown; int pos; } cases[] = {
        {nullptr, 7, L"7", 7}, {nullptr, 99, L"50", 50}, {nullptr, INT_MIN, L"-5", -5},
        {L"12", 0, L"12", 12}, {L"abc", 0, L"abc", 12}, {L"70", 0, L"70", 12}};
    for (const auto& c : cases) {
        c.typed ? number.SetText(c.typed) : number.SetPos(c.set);
        EXPECT_EQ(TextOf(number), c.shown);
        EXPECT_EQ(number.GetPos(), c.pos) << TextOf(number);
    }
    // In the parent's client coordinates the pair fills the rectangle given.
    number.Move(100, 200, 150, 30);
    RECT edit = {}, arrows = {};
    GetWindowRect(number.GetWndHandle(), &edit);
    GetWindowRect(number.GetUpDown().GetWndHandle(), &arrows);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&edit), 2);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&arrows), 2);
    EXPECT_TRUE(edit.left == 100 && edit.top == 200 && std::abs(arrows.left - edit.right) <= 2 &&
                std::abs(arrows.right - 250) <= 2 && std::abs(arrows.top - 200) <= 2);
}

}  // namespace
