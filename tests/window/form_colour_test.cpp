#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

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

// What an editable edit shows: the window colour, as 0x00RRGGBB.
unsigned WindowColour()
{
    const COLORREF colour = GetSysColor(COLOR_WINDOW);
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

TEST(ClearColour, TheDefaultPaintAndTheWindowsStaticsTakeItUnlessTheProgramAnswers)
{
    const unsigned face = SystemFormColor() & 0xFFFFFF, white = WindowColour();
    const COLORREF system = GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(SystemFormColor(), 0xFF000000u | (GetRValue(system) << 16) | (GetGValue(system) << 8) |
                                     GetBValue(system));
    // Edits to type into keep the static colours of old until a clear colour makes the
    // window a form, and then stand out in the window colour whatever the statics do.
    const struct {
        bool ownColours;
        unsigned long clear;  // 0: never set
        unsigned window, label, edit;
    } cases[] = {{false, 0, 0xFFFFFF, face, face}, {false, 0xFF336699, 0x336699, 0x336699, white},
                 {false, SystemFormColor(), face, face, white}, {true, 0xFF336699, 0x336699, 0x008000, white}};
    for (const auto& c : cases) {
        OwnColours own;
        TestFrame plain;
        TestFrame& frame = c.ownColours ? own : plain;
        ASSERT_TRUE(frame.Create(300, 200));
        CStatic text;
        ASSERT_TRUE(text.Create(frame.GetWndHandle(), 10, 10, 120, 40, L"Ab"));
        CEdit edit;
        CEditReadOnly readOnly;
        ASSERT_TRUE(edit.Create(frame.GetWndHandle(), 10, 60, 120, 24, L"Ab"));
        ASSERT_TRUE(readOnly.Create(frame.GetWndHandle(), 10, 100, 120, 24, L"Ab"));
        if (c.clear) {
            frame.SetClearColor(c.clear);
        }
        PumpFor(150);
        EXPECT_EQ(ClientPixel(frame.GetWndHandle(), 200, 100), c.window) << &c - cases;
        EXPECT_EQ(ClientPixel(text.GetWndHandle(), 110, 35), c.label) << &c - cases;
        EXPECT_EQ(ClientPixel(edit.GetWndHandle(), 100, 12), c.edit) << &c - cases;
        // A read-only edit asks as static text does.
        EXPECT_EQ(ClientPixel(readOnly.GetWndHandle(), 100, 12), c.label) << &c - cases;
    }
}

TEST(Move, PlacesAChildInItsParentAndATopLevelWindowOnTheScreen)
{
    TestFrame frame;
    CButton button, none;
    ASSERT_TRUE(frame.Create(300, 200, 50, 60));
    ASSERT_TRUE(button.Create(frame.GetWndHandle(), 0, 0, 10, 10, L"b"));
    auto place = [](const CWindowBase& window) {
        return std::vector<int>{window.GetX(), window.GetY(), window.GetWidth(), window.GetHeight()};
    };
    EXPECT_TRUE(button.Move(20, 30, 100, 40));
    EXPECT_EQ(place(button), (std::vector<int>{20, 30, 100, 40}));
    EXPECT_TRUE(frame.Move(70, 80, 320, 240));
    EXPECT_EQ(place(frame), (std::vector<int>{70, 80, 320, 240}));
    EXPECT_FALSE(none.Move(0, 0, 10, 10));
}

}  // namespace
