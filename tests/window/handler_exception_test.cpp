#include <gtest/gtest.h>

#include <tsumiki.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "window/dialog_probe.h"
#include "support/frame_window.h"

namespace {

// Throws from the handler named in `throwIn`, with that name as the message.
class Thrower : public TestFrame {
public:
    void OnCommand(HWND, int id, HWND, UINT) override
    {
        commands.push_back(id);
        Throw("command");
    }
    void OnPaint(HWND hwnd) override
    {
        Throw("paint");
        CWindowBase::OnPaint(hwnd);
    }
    void OnTimer(HWND, UINT) override { Throw("timer"); }
    void Throw(const std::string& handler) const
    {
        if (throwIn == handler) {
            throw std::runtime_error(handler);
        }
    }

    std::string throwIn;
    std::vector<int> commands;
};

void ThrowFromIdle(void* thrower)
{
    static_cast<Thrower*>(thrower)->Throw("idle");
}

// The message of what MessageLoop (or run) threw; empty when it returned normally.
template <typename Run>
std::string ThrownBy(Run run)
{
    try {
        run();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

TEST(HandlerException, AFrameWindowsHandlerThrowsOutOfMessageLoopAndTheWindowKeepsWorking)
{
    struct Case {
        const char* handler;
        void (*trigger)(Thrower& frame);
    };
    const Case cases[] = {
        {"command", [](Thrower& f) { PostMessageW(f.GetWndHandle(), WM_COMMAND, 7, 0); }},
        {"paint", [](Thrower& f) { InvalidateRect(f.GetWndHandle(), nullptr, FALSE); }},
        {"timer", [](Thrower& f) { f.Timer().Create(f.GetWndHandle(), 10, nullptr); }},
        {"idle", [](Thrower&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handler);
        Thrower frame;
        ASSERT_TRUE(frame.Create());
        HWND hwnd = frame.GetWndHandle();
        UpdateWindow(hwnd);
        frame.throwIn = c.handler;
        c.trigger(frame);
        EXPECT_EQ(ThrownBy([&] { MessageLoop(ThrowFromIdle, &frame, nullptr); }), c.handler);

        // The window survived, was validated, and its next messages reach the object.
        ASSERT_TRUE(IsWindow(hwnd));
        EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
        frame.throwIn.clear();
        frame.commands.clear();
        PostMessageW(hwnd, WM_COMMAND, 8, 0);
        PostQuitMessage(0);
        EXPECT_EQ(ThrownBy([] { MessageLoop(); }), "");
        EXPECT_EQ(frame.commands, std::vector<int>{8});
    }
}

// A modal dialog whose OnInitDialog or OnCommand throws, or whose owner's timer does.
class ThrowingDialog : public DialogProbe {
public:
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM parameter) override
    {
        DialogProbe::OnInitDialog(hwnd, focus, parameter);
        owner->Throw("init");
        PostMessageW(hwnd, WM_COMMAND, 9, 0);
        return 1;
    }
    void OnCommand(HWND, int, HWND, UINT) override { owner->Throw("dialog command"); }
    Thrower* owner = nullptr;
};

TEST(HandlerException, AModalDialogEndsItsOwnerIsEnabledAndCreateDiagThrows)
{
    const char* handlers[] = {"init", "dialog command", "timer"};
    for (const char* handler : handlers) {
        SCOPED_TRACE(handler);
        Thrower owner;
        ASSERT_TRUE(owner.Create(300, 200, 40, 40));
        owner.throwIn = handler;
        if (owner.throwIn == "timer") {
            owner.Timer().Create(owner.GetWndHandle(), 10, nullptr);
        }
        ThrowingDialog dialog;
        dialog.owner = &owner;
        EXPECT_EQ(ThrownBy([&] {
                      dialog.CreateDiag(L"modal", 200, 150, 60, 60, true, owner.GetWndHandle());
                  }),
                  handler);
        EXPECT_EQ(dialog.inits, 1);
        EXPECT_FALSE(IsWindow(dialog.initWindow));
        EXPECT_TRUE(IsWindowEnabled(owner.GetWndHandle()));
        EXPECT_EQ(dialog.destroys, 1);
        owner.Timer() = CTimer();
    }
    // Nothing is left over for the next loop.
    PostQuitMessage(0);
    EXPECT_EQ(ThrownBy([] { MessageLoop(); }), "");
}

}  // namespace
