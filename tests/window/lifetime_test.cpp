#include <gtest/gtest.h>

#include <tsumiki.h>

#include <memory>
#include <vector>

#include "window/dialog_probe.h"
#include "support/frame_window.h"
#include "support/handle_reuse.h"

namespace {

// A frame that records the commands it hears and leaves its window alone when it dies.
class CommandFrame : public CWindowBase {
public:
    bool Create()
    {
        return CreateWnd(L"lifetime", 200, 150, 20, 20, nullptr, nullptr, L"BASIC_WINDOW",
                         WS_OVERLAPPEDWINDOW, 0);
    }
    void OnCommand(HWND, int id, HWND, UINT) override { commands.push_back(id); }
    void OnDestroy(HWND) override {}
    std::vector<int> commands;
};

TEST(WindowLifetime, ADestroyedWindowsHandleReusedByAnotherWindowNeverReachesTheOldObject)
{
    struct Case {
        const char* name;
        // The new window is a library frame with an object of its own, or a plain window
        // of the same class that no object waits for.
        bool withObject;
    };
    const Case cases[] = {{"a library frame", true}, {"a plain window of the class", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto old = std::make_unique<CommandFrame>();
        ASSERT_TRUE(old->Create());
        HWND handle = old->GetWndHandle();
        // Looked up now, so that a remembered lookup would point at the old object.
        SendMessageW(handle, WM_COMMAND, 100, 0);
        ASSERT_EQ(old->commands, std::vector<int>{100});
        DestroyWindow(handle);
        ASSERT_FALSE(IsWindow(handle));

        if (!ArrangeReuseOf(handle)) {
            GTEST_SKIP() << "the platform did not hand the window's handle out again";
        }
        CommandFrame fresh;
        HWND reused = nullptr;
        if (c.withObject) {
            ASSERT_TRUE(fresh.Create());
            reused = fresh.GetWndHandle();
        } else {
            reused = CreateWindowExW(0, L"BASIC_WINDOW", L"plain", WS_OVERLAPPEDWINDOW, 20, 20,
                                     200, 150, nullptr, nullptr, GetModuleHandleW(nullptr),
                                     nullptr);
        }
        if (reused != handle) {
            DestroyWindow(reused);
            GTEST_SKIP() << "another object took the handle first";
        }

        SendMessageW(handle, WM_COMMAND, 200, 0);
        EXPECT_EQ(old->commands, std::vector<int>{100});
        EXPECT_EQ(fresh.commands, c.withObject ? std::vector<int>{200} : std::vector<int>{});
        auto linked = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
        EXPECT_EQ(linked, c.withObject ? &fresh : nullptr);

        // The old object dying leaves the new window and its link alone.
        old.reset();
        EXPECT_TRUE(IsWindow(handle));
        SendMessageW(handle, WM_COMMAND, 300, 0);
        EXPECT_EQ(fresh.commands.size(), c.withObject ? 2u : 0u);
        DestroyWindow(handle);
    }
}

class SelfDestroyingDialog : public DialogProbe {
public:
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM parameter) override
    {
        DialogProbe::OnInitDialog(hwnd, focus, parameter);
        if (destroyInInit) {
            DestroyWindow(hwnd);
        }
        return 1;
    }
    bool destroyInInit = true;
};

TEST(WindowLifetime, AModelessDialogThatDestroysItselfWhileStartingIsReportedAsNotMade)
{
    TestFrame parent;
    ASSERT_TRUE(parent.Create());
    SelfDestroyingDialog dialog;
    EXPECT_FALSE(dialog.CreateDiag(L"gone", 200, 120, 30, 30, false, parent.GetWndHandle()));
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_EQ(dialog.GetWndHandle(), nullptr);

    // The object stays usable for a dialog that does start.
    dialog.destroyInInit = false;
    ASSERT_TRUE(dialog.CreateDiag(L"kept", 200, 120, 30, 30, false, parent.GetWndHandle()));
    EXPECT_TRUE(IsWindow(dialog.GetWndHandle()));
    DestroyWindow(dialog.GetWndHandle());
}

// WM_TIMER messages without a window: the ticks of a thread timer.
int ThreadTimerTicks(DWORD milliseconds)
{
    int ticks = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER && !message.hwnd) {
                ++ticks;
            } else {
                DispatchMessageW(&message);
            }
        }
        Sleep(5);
    }
    return ticks;
}

TEST(WindowLifetime, ATimerWithoutALiveWindowIsRefusedAndTheOldOneKept)
{
    struct Case {
        const char* name;
        bool destroyedWindow;
    };
    const Case cases[] = {{"a null window", false}, {"a destroyed window", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFrame frame;
        ASSERT_TRUE(frame.Create());
        HWND target = nullptr;
        if (c.destroyedWindow) {
            TestFrame gone;
            ASSERT_TRUE(gone.Create());
            target = gone.GetWndHandle();
        }
        CTimer timer;
        timer.Create(frame.GetWndHandle(), 1000);
        int id = timer.GetID();
        int counterBefore = CWindowBase::CreateResourceID();
        timer.Create(target, 10);
        EXPECT_EQ(timer.GetID(), id);
        EXPECT_EQ(CWindowBase::CreateResourceID(), counterBefore + 1);
        EXPECT_EQ(ThreadTimerTicks(100), 0);
        // The timer kept is still the object's: it dies with it.
        EXPECT_TRUE(KillTimer(frame.GetWndHandle(), static_cast<UINT_PTR>(id)));
    }
}

}  // namespace
