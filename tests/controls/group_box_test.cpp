#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pixels.h"
#include "support/pump.h"

namespace {

// A group box with a radio button on it, on a frame window or a modeless dialog.
struct Boxed {
    void Make(HWND hwnd)
    {
        box.Create(hwnd, 10, 10, 220, 130, L"Group");
        radio.Create(hwnd, 20, 40, 160, 24, L"Radio");
    }
    CGroupBox box;
    CRadioButton radio;
};

class BoxFrame : public TestFrame {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override
    {
        SetClearColor(0xFF3366CC);
        boxed.Make(hwnd);
        return 1;
    }
    Boxed boxed;
};

class BoxDialog : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        boxed.Make(hwnd);
        return 1;
    }
    void OnDestroy(HWND) override {}
    Boxed boxed;
};

TEST(GroupBox, ItsInsideAndTheControlsOnItShowTheWindowsBackgroundThroughResizesAndRepaints)
{
    BoxFrame frame;
    ASSERT_TRUE(frame.Create(300, 220));
    BoxDialog dialog;
    ASSERT_TRUE(dialog.CreateDiag(L"box", 300, 220, 340, 20, false, nullptr));
    const struct {
        CWindowBase* window;
        Boxed* boxed;
        unsigned background;
    } cases[] = {{&frame, &frame.boxed, 0x3366CC},
                 {&dialog, &dialog.boxed, static_cast<unsigned>(SystemFormColor() & 0xFFFFFF)}};
    for (const auto& c : cases) {
        HWND window = c.window->GetWndHandle();
        for (int step = 0; step < 3; ++step) {
            if (step == 1) {
                c.window->SetSize(340, 260);
            } else if (step == 2) {
                InvalidateRect(window, nullptr, TRUE);
            }
            PumpFor(200);
            // Inside the box below the radio button, and the radio button's own background.
            EXPECT_EQ(ClientPixel(c.boxed->box.GetWndHandle(), 110, 100), c.background) << step;
            EXPECT_EQ(ClientPixel(c.boxed->radio.GetWndHandle(), 158, 2), c.background) << step;
        }
    }
    DestroyWindow(dialog.GetWndHandle());
}

}  // namespace
