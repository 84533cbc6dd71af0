#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/import_patch.h"

namespace {

void* g_RealInit = nullptr;
int g_UpDownInits = 0;

BOOL WINAPI CountingInit(const INITCOMMONCONTROLSEX* init)
{
    g_UpDownInits += (init->dwICC & ICC_UPDOWN_CLASS) != 0;
    return reinterpret_cast<decltype(&InitCommonControlsEx)>(g_RealInit)(init);
}

TEST(UpDown, TheClassIsRegisteredOnceHoweverManyObjectsAreMade)
{
    g_RealInit = PatchImport("InitCommonControlsEx", reinterpret_cast<void*>(&CountingInit));
    ASSERT_NE(g_RealInit, nullptr);
    CUpDown::m_bOnce = false;  // as when the process started
    TestFrame parent;
    ASSERT_TRUE(parent.Create(300, 200, 40, 40));
    CEditUpDown numbers[3];
    CUpDown arrows;
    for (CEditUpDown& number : numbers) {
        EXPECT_TRUE(number.Create(parent.GetWndHandle(), 10, 10, 80, 24, 0, 5, 1));
    }
    EXPECT_TRUE(arrows.CreateUpDown(parent.GetWndHandle(), numbers[0].GetWndHandle(), 0, 0, 0, 0, 0, 5, 1));
    PatchImport("InitCommonControlsEx", g_RealInit);
    EXPECT_EQ(g_UpDownInits, 1);
    EXPECT_TRUE(CUpDown::m_bOnce);
}

TEST(UpDown, LimitsInEitherOrderClampThePositionAndNegativesReadBackSigned)
{
    TestFrame parent;
    CEdit buddy;
    ASSERT_TRUE(parent.Create(300, 200, 40, 40));
    ASSERT_TRUE(buddy.Create(parent.GetWndHandle(), 10, 10, 120, 24, L""));
    const struct {
        int limit1, limit2, pos, min, max, readPos;
    } cases[] = {
        {10, 0, 5, 0, 10, 5},         {0, 10, 20, 0, 10, 10},          {0, 10, -5, 0, 10, 0},
        {-10, 10, -5, -10, 10, -5},   {-20, -30, 0, -30, -20, -20},
        // Beyond 16 bits: the nearest 16-bit value, not a wrapped one.
        {0, 40000, 35000, 0, 32767, 32767}, {-50000, 0, -40000, -32768, 0, -32768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.limit1 << " " << c.limit2 << " " << c.pos);
        CUpDown arrows;
        int next = CWindowBase::CreateResourceID() + 1;
        ASSERT_TRUE(arrows.CreateUpDown(parent.GetWndHandle(), buddy.GetWndHandle(), 0, 0, 0, 0,
                                        c.limit1, c.limit2, c.pos));
        EXPECT_TRUE(CUpDown::m_bOnce);
        EXPECT_EQ(arrows.GetID(), next);
        EXPECT_EQ(GetWindowLongPtrW(arrows.GetWndHandle(), GWLP_HINSTANCE),
                  GetWindowLongPtrW(parent.GetWndHandle(), GWLP_HINSTANCE));
        EXPECT_EQ(arrows.GetMin(), c.min);
        EXPECT_EQ(arrows.GetMax(), c.max);
        EXPECT_EQ(arrows.GetPos(), c.readPos);
        DestroyWindow(arrows.GetWndHandle());
    }
    // A buddy text that is no number reads as the platform's error, above every position.
    CUpDown arrows;
    ASSERT_TRUE(arrows.CreateUpDown(parent.GetWndHandle(), buddy.GetWndHandle(), 0, 0, 0, 0, -100, 100, -7));
    wchar_t text[8] = {};
    buddy.GetText(text, 8);
    EXPECT_STREQ(text, L"-7");
    buddy.SetText(L"seven");
    EXPECT_GT(arrows.GetPos(), 65535);
}

}  // namespace
