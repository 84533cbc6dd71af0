#include <gtest/gtest.h>

#include <tsumiki.h>

#include <shellapi.h>

#include "support/frame_window.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

class TrayOwner : public TestFrame {
public:
    void OnTrayIcon(HWND, UINT mouseMessage, int x, int y) override
    {
        events.push_back({mouseMessage, x, y});
    }
    struct Event { UINT message; int x; int y; };
    std::vector<Event> events;
};

// Whether the shell knows an icon of the owner by that number.
bool InTray(HWND owner, UINT id)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST(TrayIcon, IsAddedChangedAndRemovedAndItsMessagesReachTheOwner)
{
    TrayOwner owner;
    ASSERT_TRUE(owner.Create());
    HWND hwnd = owner.GetWndHandle();
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    CTrayIcon tray;
    EXPECT_FALSE(tray.SetTip(L"not yet"));
    ASSERT_TRUE(tray.Add(hwnd, icon, L"tsumiki"));
    EXPECT_TRUE(InTray(hwnd, tray.GetID()));
    EXPECT_TRUE(tray.SetTip(L"a tip of more than one hundred and twenty-seven characters, cut to fit the "
                            L"shell's field without splitting 😀 a pair of surrogates in two halves"));
    EXPECT_TRUE(tray.SetIcon(LoadIconW(nullptr, IDI_INFORMATION)));
    EXPECT_TRUE(tray.ShowBalloon(L"tsumiki", L"Hello from the tray."));
    EXPECT_FALSE(tray.ShowBalloon(L"tsumiki", L""));

    PostMessageW(hwnd, tray.GetCallbackMessage(), MAKEWPARAM(-5, 700), MAKELPARAM(WM_CONTEXTMENU, tray.GetID()));
    ASSERT_TRUE(PumpUntil([&] { return !owner.events.empty(); }));
    EXPECT_EQ(owner.events[0].message, static_cast<UINT>(WM_CONTEXTMENU));
    EXPECT_EQ(owner.events[0].x, -5);
    EXPECT_EQ(owner.events[0].y, 700);

    // A real right-click on the icon, which Wine shows in a window of its own when no
    // tray is docked: the events come in the fourth version's form.
    HWND shown = FindWindowExW(FindWindowW(nullptr, L"Wine System Tray"), nullptr, L"__winex11_tray_icon", nullptr);
    ASSERT_TRUE(shown);
    POINT centre = CentreOf(shown);
    SendInputs({MouseInput(centre, MOUSEEVENTF_RIGHTDOWN), MouseInput(centre, MOUSEEVENTF_RIGHTUP)});
    ASSERT_TRUE(PumpUntil([&] { return owner.events.back().message == WM_CONTEXTMENU; }));
    EXPECT_EQ(owner.events.back().x, centre.x);
    EXPECT_EQ(owner.events.back().y, centre.y);

    // The taskbar restarted and lost the icon: it is added again.
    NOTIFYICONDATAW lost = {};
    lost.cbSize = sizeof(lost);
    lost.hWnd = hwnd;
    lost.uID = tray.GetID();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &lost));
    SendMessageW(hwnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(InTray(hwnd, tray.GetID()));

    EXPECT_TRUE(tray.Remove());
    EXPECT_FALSE(InTray(hwnd, tray.GetID()));
    EXPECT_FALSE(tray.Remove());
    EXPECT_FALSE(tray.SetIcon(icon));

    // Removed when the last copy dies.
    UINT id = 0;
    {
        CTrayIcon copy;
        {
            CTrayIcon first;
            ASSERT_TRUE(first.Add(hwnd, icon, L"shared"));
            copy = first;
        }
        id = copy.GetID();
        EXPECT_TRUE(InTray(hwnd, id));
    }
    EXPECT_FALSE(InTray(hwnd, id));
}

}  // namespace
