#include <gtest/gtest.h>

#include <tsumiki.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>

#include "support/frame_window.h"

namespace {

RECT PlaceOf(HWND control)
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

SIZE ClientOf(const CWindowBase& window)
{
    return {window.GetClientWidth(), window.GetClientHeight()};
}

// A real subclass of the control, counting the moves and resizes it is told of (a list
// view also tells itself of a frame change, which moves nothing).
LRESULT CALLBACK CountMoves(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR counter)
{
    if (message == WM_WINDOWPOSCHANGED &&
        (~reinterpret_cast<WINDOWPOS*>(lParam)->flags & (SWP_NOMOVE | SWP_NOSIZE))) {
        ++*reinterpret_cast<int*>(counter);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A 400 x 300 client area: a button anchored top right, an edit across the top, a list
// that grows to the bottom right, and a label anchored to nothing, its centre at (133, 270).
class AnchoredForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT outer = {0, 0, 400, 300};
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        ASSERT_TRUE(frame.Create(outer.right - outer.left, outer.bottom - outer.top));
        HWND hwnd = frame.GetWndHandle();
        ASSERT_TRUE(ok.Create(hwnd, 310, 10, 80, 28, L"OK"));
        ASSERT_TRUE(name.Create(hwnd, 10, 10, 290, 24, L""));
        ASSERT_TRUE(list.Create(hwnd, 10, 50, 300, 200));
        ASSERT_TRUE(label.Create(hwnd, 103, 260, 60, 20, L"label"));
        frame.Anchor(ok.GetWndHandle(), ANCHOR_TOP | ANCHOR_RIGHT);
        frame.Anchor(name.GetWndHandle(), ANCHOR_LEFT | ANCHOR_TOP | ANCHOR_RIGHT);
        frame.Anchor(list.GetWndHandle(), ANCHOR_ALL);
        frame.Anchor(label.GetWndHandle(), 0);
        int i = 0;
        for (HWND control : Controls()) {
            SetWindowSubclass(control, CountMoves, 1, reinterpret_cast<DWORD_PTR>(&moves[i++]));
        }
    }
    std::array<HWND, 4> Controls() const
    {
        return {ok.GetWndHandle(), name.GetWndHandle(), list.GetWndHandle(), label.GetWndHandle()};
    }

    TestFrame frame;
    CButton ok;
    CEdit name;
    CListView list;
    CStatic label;
    int moves[4] = {};
};

TEST_F(AnchoredForm, EveryControlKeepsItsEdgesOrItsShareAcrossTenSizesMovedOnceEach)
{
    for (int i = 0; i < 10; ++i) {
        std::fill(std::begin(moves), std::end(moves), 0);
        frame.SetSize(300 + 53 * i, 260 + 37 * i);
        const SIZE client = ClientOf(frame);
        const RECT button = PlaceOf(ok.GetWndHandle()), edit = PlaceOf(name.GetWndHandle());
        const RECT rows = PlaceOf(list.GetWndHandle()), text = PlaceOf(label.GetWndHandle());
        EXPECT_NEAR(client.cx - button.right, 10, 1) << i;
        EXPECT_EQ(button.top, 10) << i;
        EXPECT_EQ(edit.left, 10) << i;
        EXPECT_EQ(edit.right, client.cx - 100) << i;
        EXPECT_EQ(rows.right - rows.left, client.cx - 100) << i;
        EXPECT_EQ(rows.bottom - rows.top, client.cy - 100) << i;
        EXPECT_NEAR((text.left + text.right) / 2.0, client.cx * 133.0 / 400, 1) << i;
        EXPECT_NEAR((text.top + text.bottom) / 2.0, client.cy * 270.0 / 300, 1) << i;
        for (int k = 0; k < 4; ++k) {
            EXPECT_LE(moves[k], 1) << i << ", control " << k;
        }
    }
}

TEST_F(AnchoredForm, TheClientSizeStaysWithinItsLimitsScaledWithTheDpi)
{
    frame.SetMinClientSize(300, 200);
    frame.SetMaxClientSize(500, 0);
    const struct {
        int width, height;  // asked for, outer
        LONG clientWidth, clientHeight;
    } cases[] = {{100, 100, 300, 200}, {2000, 900, 500, -1}, {450, 400, -1, -1}};
    for (const auto& c : cases) {
        frame.SetSize(c.width, c.height);
        const SIZE client = ClientOf(frame);
        const LONG border = frame.GetWidth() - client.cx, caption = frame.GetHeight() - client.cy;
        EXPECT_EQ(client.cx, c.clientWidth >= 0 ? c.clientWidth : c.width - border) << c.width;
        EXPECT_EQ(client.cy, c.clientHeight >= 0 ? c.clientHeight : c.height - caption) << c.width;
    }
    // At 144 DPI the window's margins, sizes and limits are half as large again.
    RECT outer = {};
    GetWindowRect(frame.GetWndHandle(), &outer);
    const RECT larger = {outer.left, outer.top, outer.left + 700, outer.top + 500};
    SendMessageW(frame.GetWndHandle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&larger));
    const RECT button = PlaceOf(ok.GetWndHandle());
    EXPECT_NEAR(frame.GetClientWidth() - button.right, 15, 1);
    EXPECT_EQ(button.top, 15);
    EXPECT_EQ(button.right - button.left, 120);
    EXPECT_EQ(PlaceOf(name.GetWndHandle()).left, 15);
    frame.SetSize(100, 100);
    EXPECT_EQ(ClientOf(frame).cx, 450);
    EXPECT_EQ(ClientOf(frame).cy, 300);
}

// A resizable dialog with a button anchored bottom right, grown by 100 x 50 pixels from
// inside its own loop, modal or not.
class GrowingDialog : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        SetWindowStyle(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) | WS_THICKFRAME);
        button.Create(hwnd, 20, 20, 80, 28, L"Go");
        Anchor(button.GetWndHandle(), ANCHOR_RIGHT | ANCHOR_BOTTOM);
        gap = GetClientWidth() - PlaceOf(button.GetWndHandle()).right;
        PostMessageW(hwnd, WM_APP, 0, 0);
        return 1;
    }
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            const int before = PlaceOf(button.GetWndHandle()).left;
            SetSize(GetWidth() + 100, GetHeight() + 50);
            moved = PlaceOf(button.GetWndHandle()).left - before;
            gapAfter = GetClientWidth() - PlaceOf(button.GetWndHandle()).right;
            OnClose(hwnd);
            return 0;
        }
        return CDialogBase::WndProc(hwnd, message, wParam, lParam);
    }
    void OnDestroy(HWND) override {}

    CButton button;
    int gap = -1, gapAfter = -2, moved = 0;
};

TEST(AnchoredDialog, ModalAndModelessDialogsLayOutWhenResized)
{
    for (bool modal : {true, false}) {
        GrowingDialog dialog;
        ASSERT_TRUE(dialog.CreateDiag(L"grow", 300, 200, 40, 40, modal, nullptr));
        MSG message = {};
        for (DWORD end = GetTickCount() + 2000; dialog.moved == 0 && GetTickCount() < end;) {
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
        }
        EXPECT_EQ(dialog.moved, 100) << modal;
        EXPECT_EQ(dialog.gapAfter, dialog.gap) << modal;
    }
}

}  // namespace
