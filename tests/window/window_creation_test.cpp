#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class CreateProbe : public TestFrame {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW* create) override
    {
        ++creates;
        handleDuringCreate = GetWndHandle();
        windowDuringCreate = hwnd;
        titleDuringCreate = create ? create->lpszName : nullptr;
        return createResult;
    }
    int createResult = 1;
    int creates = 0;
    HWND handleDuringCreate = reinterpret_cast<HWND>(1);
    HWND windowDuringCreate = nullptr;
    const wchar_t* titleDuringCreate = nullptr;
};

TEST(WindowCreation, OnCreateSeesTheNewWindowAsTheObjectsHandle)
{
    CreateProbe probe;
    ASSERT_TRUE(probe.Create());
    EXPECT_EQ(probe.creates, 1);
    EXPECT_EQ(probe.handleDuringCreate, probe.GetWndHandle());
    EXPECT_EQ(probe.windowDuringCreate, probe.GetWndHandle());
    EXPECT_TRUE(IsWindowVisible(probe.GetWndHandle()));
}

TEST(WindowCreation, RefusingOnCreateStillCreatesButLaterCreateAnswersMinusOne)
{
    CreateProbe probe;
    probe.createResult = 0;
    ASSERT_TRUE(probe.Create());
    EXPECT_TRUE(IsWindow(probe.GetWndHandle()));
    EXPECT_EQ(SendMessageW(probe.GetWndHandle(), WM_CREATE, 0, 0), -1);
    probe.createResult = 1;
    EXPECT_EQ(SendMessageW(probe.GetWndHandle(), WM_CREATE, 0, 0), 0);
    EXPECT_EQ(probe.creates, 3);
}

class Nester : public TestFrame {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override
    {
        innerCreated = inner.Create(50, 40, 5, 5, hwnd, WS_VISIBLE);
        return 1;
    }
    CreateProbe inner;
    bool innerCreated = false;
};

TEST(WindowCreation, AWindowCanBeCreatedFromAnotherWindowsOnCreate)
{
    Nester outer;
    ASSERT_TRUE(outer.Create());
    ASSERT_TRUE(outer.innerCreated);
    EXPECT_EQ(outer.inner.creates, 1);
    EXPECT_EQ(GetParent(outer.inner.GetWndHandle()), outer.GetWndHandle());
    // Both windows reach their own objects afterwards.
    EXPECT_EQ(GetWindowLongPtrW(outer.GetWndHandle(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&outer));
    EXPECT_EQ(GetWindowLongPtrW(outer.inner.GetWndHandle(), GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(&outer.inner));
}

TEST(WindowCreation, ADirectlyCreatedFrameWindowWithoutObjectUsesDefaultProcessing)
{
    HWND window = CreateWindowExW(0, L"BASIC_WINDOW", L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 5);
    DestroyWindow(window);
}

TEST(WindowCreation, AFailedCreateDoesNotLeaveTheObjectPendingForTheNextWindow)
{
    {
        CreateProbe failing;
        EXPECT_FALSE(failing.CreateWnd(L"x", 10, 10, 0, 0, nullptr, nullptr, L"NO_SUCH_CLASS", 0, 0));
        EXPECT_EQ(failing.GetWndHandle(), nullptr);
    }
    HWND window = CreateWindowExW(0, L"BASIC_WINDOW", L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    DestroyWindow(window);
}

TEST(WindowCreation, StylesGetChildOrClipChildrenAndKeepTheCallersBits)
{
    TestFrame top;
    ASSERT_TRUE(top.Create(200, 150, 20, 20, nullptr, WS_OVERLAPPEDWINDOW));
    LONG_PTR topStyle = GetWindowLongPtrW(top.GetWndHandle(), GWL_STYLE);
    EXPECT_TRUE(topStyle & WS_CLIPCHILDREN);
    EXPECT_FALSE(topStyle & WS_CHILD);
    EXPECT_EQ(topStyle & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    TestFrame child;
    ASSERT_TRUE(child.Create(50, 40, 5, 6, top.GetWndHandle(), WS_BORDER));
    LONG_PTR childStyle = GetWindowLongPtrW(child.GetWndHandle(), GWL_STYLE);
    EXPECT_TRUE(childStyle & WS_CHILD);
    EXPECT_TRUE(childStyle & WS_BORDER);
    EXPECT_FALSE(childStyle & WS_CLIPCHILDREN);
    EXPECT_EQ(child.GetParentWndHandle(), top.GetWndHandle());
    EXPECT_EQ(top.GetParentWndHandle(), GetDesktopWindow());
}

TEST(WindowGeometry, PositionReadsBackAsSetForTopLevelAndChildWindows)
{
    TestFrame top;
    ASSERT_TRUE(top.Create(300, 200, 40, 30));
    top.SetPos(123, 77);
    EXPECT_EQ(top.GetX(), 123);
    EXPECT_EQ(top.GetY(), 77);

    TestFrame child;
    ASSERT_TRUE(child.Create(50, 40, 5, 6, top.GetWndHandle(), WS_BORDER));
    EXPECT_EQ(child.GetX(), 5);
    EXPECT_EQ(child.GetY(), 6);
    child.SetPos(31, 17);
    EXPECT_EQ(child.GetX(), 31);
    EXPECT_EQ(child.GetY(), 17);

    child.SetSize(70, 45);
    EXPECT_EQ(child.GetWidth(), 70);
    EXPECT_EQ(child.GetHeight(), 45);
    RECT client;
    GetClientRect(top.GetWndHandle(), &client);
    EXPECT_EQ(top.GetClientWidth(), client.right);
    EXPECT_EQ(top.GetClientHeight(), client.bottom);
    EXPECT_EQ(top.GetWidth(), 300);
}

TEST(WindowStyles, AlphaMakesTheWindowLayeredAndClickThrough)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    frame.Alpha(128, RGB(1, 2, 3));
    LONG_PTR exStyle = GetWindowLongPtrW(frame.GetWndHandle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TRANSPARENT);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(frame.GetWndHandle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST(WindowStyles, SetWindowStyleReplacesTheWholeStyle)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    frame.SetWindowStyle(WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(frame.GetWndHandle(), GWL_STYLE)) & ~WS_CLIPSIBLINGS,
              static_cast<DWORD>(WS_POPUP | WS_VISIBLE));
    frame.SetWindowExStyle(WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(frame.GetWndHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

class Counting : public TestFrame {
public:
    void OnCommand(HWND, int, HWND, UINT) override { ++commands; }
    int commands = 0;
};

// Leaves its window alive when it dies, as a careless client object would.
class Lingering : public CWindowBase {
public:
    void OnCommand(HWND, int, HWND, UINT) override { ++commands; }
    void OnDestroy(HWND) override {}
    int commands = 0;
};

TEST(WindowLifetime, AnObjectDyingBeforeItsWindowDetachesIt)
{
    auto* frame = new Lingering;
    ASSERT_TRUE(frame->CreateWnd(L"x", 100, 100, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                                 WS_OVERLAPPEDWINDOW, 0));
    HWND window = frame->GetWndHandle();
    SendMessageW(window, WM_COMMAND, 1, 0);
    EXPECT_EQ(frame->commands, 1);
    delete frame;

    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    SendMessageW(window, WM_COMMAND, 1, 0);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(window));
}

TEST(WindowLifetime, ACopyDyingLeavesItsSourceAttachedAndDrawing)
{
    Counting frame;
    ASSERT_TRUE(frame.Create());
    {
        CWindowBase copy(frame);
        EXPECT_EQ(copy.GetWndHandle(), frame.GetWndHandle());
    }
    {
        CWindowBase assigned;
        assigned = frame;
    }
    SendMessageW(frame.GetWndHandle(), WM_COMMAND, 1, 0);
    EXPECT_EQ(frame.commands, 1);
    EXPECT_TRUE(frame.Graphics().Clear(0xFF00FF00));
}

TEST(WindowLifetime, DestroyingAWindowClearsItsLinkToTheObject)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    HWND window = frame.GetWndHandle();
    DestroyWindow(window);
    EXPECT_EQ(frame.destroyed, 1);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
