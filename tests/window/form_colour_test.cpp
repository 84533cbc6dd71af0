#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pixels.h"
#include "support/pump.h"

namespace {

// A frame whose program answers the static colours itself, in green.
class OwnColours : public TestFrame {
public:
    HBRUSH OnCtlColorStatic(HWND, HDC dc, HWND, int) override
    {
        SetBkColor(dc, RGB(0, 128, 0));
        return green;
    }
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    ~OwnColours() override { DeleteObject(green); }
};

TEST(ClearColour, TheDefaultPaintAndTheWindowsStaticsTakeItUnlessTheProgramAnswers)
{
    const unsigned face = SystemFormColor() & 0xFFFFFF;
    const COLORREF system = GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(SystemFormColor(), 0xFF000000u | (GetRValue(system) << 16) | (GetGValue(system) << 8) |
                                     GetBValue(system));
    const struct {
        bool ownColours;
        unsigned long clear;  // 0: never set
        unsigned window, label;
    } cases[] = {{false, 0, 0xFFFFFF, face}, {false, 0xFF336699, 0x336699, 0x336699},
                 {false, SystemFormColor(), face, face}, {true, 0xFF336699, 0x336699, 0x008000}};
    for (const auto& c : cases) {
        OwnColours own;
        TestFrame plain;
        TestFrame& frame = c.ownColours ? own : plain;
        ASSERT_TRUE(frame.Create(300, 200));
        CStatic text;
        ASSERT_TRUE(text.Create(frame.GetWndHandle(), 10, 10, 120, 40, L"Ab"));
        if (c.clear) {
            frame.SetClearColor(c.clear);
        }
        PumpFor(150);
        EXPECT_EQ(ClientPixel(frame.GetWndHandle(), 200, 100), c.window) << &c - cases;
        EXPECT_EQ(ClientPixel(text.GetWndHandle(), 110, 35), c.label) << &c - cases;
    }
}

TEST(Move, PlacesAChildInItsParentAndATopLevelWindowOnTheScreen)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create(300, 200, 50, 60));
    CButton button;
    ASSERT_TRUE(button.Create(frame.GetWndHandle(), 0, 0, 10, 10, L"b"));
    EXPECT_TRUE(button.Move(20, 30, 100, 40));
    EXPECT_EQ(button.GetX(), 20);
    EXPECT_EQ(button.GetY(), 30);
    EXPECT_EQ(button.GetWidth(), 100);
    EXPECT_EQ(button.GetHeight(), 40);
    EXPECT_TRUE(frame.Move(70, 80, 320, 240));
    RECT outer = {};
    GetWindowRect(frame.GetWndHandle(), &outer);
    EXPECT_EQ(outer.left, 70);
    EXPECT_EQ(outer.top, 80);
    EXPECT_EQ(outer.right, 390);
    EXPECT_EQ(outer.bottom, 320);
    CButton none;
    EXPECT_FALSE(none.Move(0, 0, 10, 10));
}

}  // namespace
