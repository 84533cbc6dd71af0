#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"

namespace {

class UpDownOnEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(300, 200, 40, 40));
        ASSERT_TRUE(buddy.Create(parent.GetWndHandle(), 10, 10, 120, 24, L""));
    }
    TestFrame parent;
    CEdit buddy;
};

TEST_F(UpDownOnEdit, LimitsComeInEitherOrderAndReadBackSignExtended)
{
    struct Case {
        int limit1;
        int limit2;
        int pos;
        int min;
        int max;
        int readPos;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {10, 0, 5, 0, 10, 5, L"5"},
        {0, 10, 20, 0, 10, 10, L"10"},
        {0, 10, -5, 0, 10, 0, L"0"},
        {-10, 10, -5, -10, 10, -5, L"-5"},
        {-20, -30, 0, -30, -20, -20, L"-20"},
        // Beyond 16 bits, limits and position go to the nearest 16-bit value, not wrap.
        {0, 40000, 35000, 0, 32767, 32767, nullptr},
        {-50000, 0, -40000, -32768, 0, -32768, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.limit1 << " " << c.limit2 << " " << c.pos);
        CUpDown arrows;
        int next = CWindowBase::CreateResourceID() + 1;
        ASSERT_TRUE(arrows.CreateUpDown(parent.GetWndHandle(), buddy.GetWndHandle(), 0, 0, 0,
                                        0, c.limit1, c.limit2, c.pos));
        EXPECT_TRUE(CUpDown::m_bOnce);
        EXPECT_EQ(arrows.GetID(), next);
        EXPECT_EQ(GetWindowLongPtrW(arrows.GetWndHandle(), GWLP_HINSTANCE),
                  GetWindowLongPtrW(parent.GetWndHandle(), GWLP_HINSTANCE));
        EXPECT_EQ(arrows.GetMin(), c.min);
        EXPECT_EQ(arrows.GetMax(), c.max);
        EXPECT_EQ(arrows.GetPos(), c.readPos);
        // Numbers of four digits and more are shown with the locale's thousands separator.
        if (c.shown) {
            wchar_t text[16] = {};
            buddy.GetText(text, 16);
            EXPECT_STREQ(text, c.shown);
        }
        DestroyWindow(arrows.GetWndHandle());
    }
}

TEST_F(UpDownOnEdit, ABuddyTextThatIsNoNumberReadsAsAnErrorAboveEveryPosition)
{
    CUpDown arrows;
    ASSERT_TRUE(arrows.CreateUpDown(parent.GetWndHandle(), buddy.GetWndHandle(), 0, 0, 0, 0,
                                    -100, 100, -7));
    EXPECT_EQ(arrows.GetPos(), -7);
    buddy.SetText(L"seven");
    EXPECT_GT(arrows.GetPos(), 65535);
    buddy.SetText(L"42");
    EXPECT_EQ(arrows.GetPos(), 42);
}

}  // namespace
