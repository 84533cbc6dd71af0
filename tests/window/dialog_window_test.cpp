#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>

#include "window/dialog_probe.h"
#include "support/frame_window.h"
#include "support/pump.h"

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT OuterRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

TEST(ModelessDialog, WithoutParentItIsAVisibleTopLevelWindowWhoseClosingEndsTheLoop)
{
    DialogProbe dialog;
    dialog.postQuit = true;
    ASSERT_TRUE(dialog.CreateDiag(L"Tools", 300, 200, 10, 20, false, nullptr));
    HWND window = dialog.GetWndHandle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(dialog.initWindow, window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowTitle(window), L"Tools");
    EXPECT_TRUE(SameRect(OuterRect(window), RECT{10, 20, 310, 220}));
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(dialog.GetParentWndHandle(), nullptr);

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_TRUE(TakeQuitMessage());
}

TEST(ModelessDialog, WithAParentItIsOwnedPlacedOnTheScreenAndClosesWithoutEndingTheLoop)
{
    DialogProbe dialog;
    dialog.postQuit = true;
    TestFrame parent;
    ASSERT_TRUE(parent.Create(400, 300, 100, 100));
    ASSERT_TRUE(dialog.CreateDiag(L"Tools", 300, 200, 10, 20, false, parent.GetWndHandle()));
    HWND window = dialog.GetWndHandle();
    EXPECT_EQ(GetWindow(window, GW_OWNER), parent.GetWndHandle());
    EXPECT_EQ(dialog.GetParentWndHandle(), parent.GetWndHandle());
    // Screen coordinates, not the parent's: the dialog is a top-level window.
    EXPECT_TRUE(SameRect(OuterRect(window), RECT{10, 20, 310, 220}));

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_FALSE(TakeQuitMessage());
    EXPECT_TRUE(IsWindow(parent.GetWndHandle()));
}

TEST(ModelessDialog, ASecondCreateWhileOpenIsRefusedAndChangesNothing)
{
    DialogProbe dialog;
    TestFrame parent;
    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(dialog.CreateDiag(L"First", 300, 200, 10, 20, false, parent.GetWndHandle()));
    HWND first = dialog.GetWndHandle();
    unsigned char before[CDialogBase::kTemplateSize];
    std::memcpy(before, dialog.TemplateBytes(), sizeof(before));

    EXPECT_FALSE(dialog.CreateDiag(L"Second", 120, 90, 50, 60, true, nullptr));
    EXPECT_EQ(dialog.GetWndHandle(), first);
    EXPECT_EQ(std::memcmp(before, dialog.TemplateBytes(), sizeof(before)), 0);
    EXPECT_FALSE(dialog.Modal());
    EXPECT_TRUE(SameRect(dialog.Geometry(), RECT{10, 20, 310, 220}));
    EXPECT_EQ(dialog.GetParentWndHandle(), parent.GetWndHandle());
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(WindowTitle(first), L"First");

    // Once the first dialog is closed, the object makes a new one.
    SendMessageW(first, WM_CLOSE, 0, 0);
    ASSERT_TRUE(dialog.CreateDiag(L"Again", 120, 90, 50, 60, false, parent.GetWndHandle()));
    EXPECT_TRUE(IsWindow(dialog.GetWndHandle()));
    EXPECT_EQ(WindowTitle(dialog.GetWndHandle()), L"Again");
    EXPECT_EQ(dialog.inits, 2);
}

TEST(Dialog, APlatformRefusalIsReportedAndLeavesNothingPending)
{
    TestFrame gone;
    ASSERT_TRUE(gone.Create());
    HWND deadParent = gone.GetWndHandle();
    DestroyWindow(deadParent);

    DialogProbe modeless;
    EXPECT_FALSE(modeless.CreateDiag(L"x", 100, 100, 0, 0, false, deadParent));
    EXPECT_EQ(modeless.GetWndHandle(), nullptr);
    DialogProbe modal;
    EXPECT_FALSE(modal.CreateDiag(L"x", 100, 100, 0, 0, true, deadParent));
    EXPECT_EQ(modeless.inits + modal.inits, 0);

    // Neither object waits for the next window to attach itself to.
    HWND plain = CreateWindowExW(0, L"BASIC_WINDOW", L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(plain, GWLP_USERDATA), 0);
    DestroyWindow(plain);
}

// A modal dialog that looks at itself from a timer once its modal loop runs, then closes.
class ModalProbe : public DialogProbe {
public:
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM value) override
    {
        DialogProbe::OnInitDialog(hwnd, focus, value);
        // The framework gives a dialog no OnTimer: the timer calls its own procedure.
        SetTimer(hwnd, 1, 100, &ModalProbe::LookAndClose);
        return 1;
    }

    static void CALLBACK LookAndClose(HWND hwnd, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(hwnd, id);
        auto* self = static_cast<ModalProbe*>(
            reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        self->styleWhileOpen = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        self->exStyleWhileOpen = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
        self->visibleWhileOpen = IsWindowVisible(hwnd) != FALSE;
        self->handleWhileOpen = self->GetWndHandle();
        HWND parent = self->GetParentWndHandle();
        self->parentEnabledWhileOpen = parent && IsWindowEnabled(parent);
        self->closedAt = GetTickCount();
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
    }

    DWORD styleWhileOpen = 0;
    DWORD exStyleWhileOpen = 0;
    bool visibleWhileOpen = false;
    bool parentEnabledWhileOpen = true;
    HWND handleWhileOpen = reinterpret_cast<HWND>(1);
    DWORD closedAt = 0;
};

TEST(ModalDialog, CreateReturnsOnlyOnceTheDialogHasEndedWithItsParentDisabledMeanwhile)
{
    ModalProbe dialog;
    dialog.postQuit = true;
    TestFrame parent;
    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(dialog.CreateDiag(L"About", 300, 200, 10, 20, true, parent.GetWndHandle()));
    DWORD returnedAt = GetTickCount();

    ASSERT_NE(dialog.closedAt, 0u);
    EXPECT_GE(returnedAt, dialog.closedAt);
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_FALSE(IsWindow(dialog.initWindow));
    EXPECT_TRUE(dialog.visibleWhileOpen);
    EXPECT_EQ(dialog.styleWhileOpen & DS_SYSMODAL, static_cast<DWORD>(DS_SYSMODAL));
    if (!RunsOnWine()) {
        EXPECT_TRUE(dialog.exStyleWhileOpen & WS_EX_TOPMOST);
    }
    EXPECT_FALSE(dialog.parentEnabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(parent.GetWndHandle()));
    EXPECT_EQ(dialog.handleWhileOpen, dialog.initWindow);
    EXPECT_EQ(dialog.GetWndHandle(), nullptr);
    EXPECT_FALSE(TakeQuitMessage());
}

TEST(ModalDialog, WithoutParentItsEndEndsTheLoop)
{
    ModalProbe dialog;
    dialog.postQuit = true;
    ASSERT_TRUE(dialog.CreateDiag(L"About", 300, 200, 10, 20, true, nullptr));
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_TRUE(TakeQuitMessage());
    // The object is free for another modal run.
    ASSERT_TRUE(dialog.CreateDiag(L"About", 300, 200, 10, 20, true, nullptr));
    EXPECT_EQ(dialog.inits, 2);
    EXPECT_TRUE(TakeQuitMessage());
}

}  // namespace
