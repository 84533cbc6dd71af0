#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pixels.h"
#include "support/pump.h"

namespace {

// A group box with a radio button on it; on a tab control when asked (put beneath them).
struct Boxed {
    void Make(HWND hwnd, bool onTab)
    {
        box.Create(hwnd, 10, 30, 220, 130, L"Group");
        radio.Create(hwnd, 20, 60, 160, 24, L"Radio");
        if (onTab && tab.Create(hwnd, L"Page", 0, 0, 300, 180)) {
            SetWindowPos(tab.GetWndHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
    CTab tab;
    CGroupBox box;
    CRadioButton radio;
};

class BoxFrame : public TestFrame {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override
    {
        SetClearColor(0xFF3366CC);
        boxed.Make(hwnd, onTab);
        return 1;
    }
    Boxed boxed;
    bool onTab = false;
};

class BoxDialog : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        boxed.Make(hwnd, false);
        return 1;
    }
    void OnDestroy(HWND) override {}
    Boxed boxed;
};

TEST(GroupBox, ItsInsideShowsWhatLiesBeneathItThroughResizesAndRepaints)
{
    BoxFrame frame, tabbed;
    tabbed.onTab = true;
    ASSERT_TRUE(frame.Create(300, 220) && tabbed.Create(320, 220, 20, 260));
    BoxDialog dialog;
    ASSERT_TRUE(dialog.CreateDiag(L"box", 300, 220, 340, 20, false, nullptr));
    const struct {
        CWindowBase* window;
        Boxed* boxed;
        unsigned background;  // 0: the tab control's page, read beside the box
    } cases[] = {{&frame, &frame.boxed, 0x3366CC},
                 {&dialog, &dialog.boxed, static_cast<unsigned>(SystemFormColor() & 0xFFFFFF)},
                 {&tabbed, &tabbed.boxed, 0}};
    for (const auto& c : cases) {
        for (int step = 0; step < 3; ++step) {
            if (step == 1) {
                c.window->SetSize(340, 260);
            } else if (step == 2) {
                InvalidateRect(c.window->GetWndHandle(), nullptr, TRUE);
            }
            PumpFor(200);
            const Boxed& boxed = *c.boxed;
            const unsigned beneath =
                c.background ? c.background : ClientPixel(boxed.tab.GetWndHandle(), 260, 120);
            // Inside the box below the radio button, and the radio button's own background
            // on a window that has a clear colour or a dialog's.
            EXPECT_EQ(ClientPixel(boxed.box.GetWndHandle(), 110, 100), beneath) << &c - cases << step;
            if (c.background) {
                EXPECT_EQ(ClientPixel(boxed.radio.GetWndHandle(), 158, 2), beneath) << step;
            }
        }
    }
    DestroyWindow(dialog.GetWndHandle());
}

}  // namespace
