#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "command_recorder.h"
#include "support/pixels.h"
#include "support/pump.h"

namespace {

using ControlFont = ControlsOnParent;

HFONT FontOf(HWND control)
{
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// The lowest client row of the control that holds a dark (text) pixel, or -1.
int LowestInkRow(HWND control)
{
    RECT client = {};
    GetClientRect(control, &client);
    for (int y = client.bottom - 1; y >= 0; --y) {
        for (int x = 0; x < client.right; ++x) {
            if ((ClientPixel(control, x, y) & 0xFF) < 0x60) {
                return y;
            }
        }
    }
    return -1;
}

// A button, a static and an edit, in a column: every control is made the same way.
struct Column {
    bool Create(HWND parent, int x)
    {
        return button.Create(parent, x, 0, 140, 30, L"Ab") && label.Create(parent, x, 40, 140, 70, L"Ab") &&
               edit.Create(parent, x, 120, 140, 30, L"Ab");
    }
    std::vector<HWND> Windows() const
    {
        return {button.GetWndHandle(), label.GetWndHandle(), edit.GetWndHandle()};
    }
    CButton button;
    CStatic label;
    CEdit edit;
};

TEST_F(ControlFont, ANamedFontReachesEveryControlMadeAfterItAndNullRestoresTheDefault)
{
    HFONT big = CreateFontW(48, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    ASSERT_NE(big, nullptr);
    Column before, named, after;
    ASSERT_TRUE(before.Create(hwnd, 0));
    SetControlFont(big);
    ASSERT_TRUE(named.Create(hwnd, 150));
    SetControlFont(nullptr);
    ASSERT_TRUE(after.Create(hwnd, 300));

    struct Case {
        const Column& column;
        HFONT font;
    };
    const Case cases[] = {{before, nullptr}, {named, big}, {after, nullptr}};
    for (const Case& c : cases) {
        for (HWND control : c.column.Windows()) {
            EXPECT_EQ(FontOf(control), c.font) << &c - cases;
        }
    }

    // What the user sees: the static's text in the 48-pixel font reaches far below the
    // system font's, which ends within the first 20 rows.
    PumpFor(200);
    int ownFont = LowestInkRow(before.label.GetWndHandle());
    int bigFont = LowestInkRow(named.label.GetWndHandle());
    EXPECT_GE(ownFont, 0);
    EXPECT_LT(ownFont, 20);
    EXPECT_GT(bigFont, 28);

    // The controls only refer to the font: it is still the caller's to delete.
    DestroyWindow(hwnd);
    EXPECT_TRUE(DeleteObject(big));
}

}  // namespace
