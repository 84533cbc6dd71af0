// Runs in a process of its own: it takes the identifier counter past the 16 bits that
// WM_COMMAND carries, then clicks a button and chooses a menu item made after that.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class Recorder : public TestFrame {
public:
    void OnCommand(HWND, int id, HWND, UINT) override { commands.push_back(id); }
    std::vector<int> commands;
};

void Send(INPUT input)
{
    SendInput(1, &input, sizeof(INPUT));
}

void ClickCentreOf(HWND window)
{
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    INPUT mouse = {};
    mouse.type = INPUT_MOUSE;
    mouse.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(mouse);
    mouse.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(mouse);
}

void PressKey(WORD key)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    Send(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
}

TEST(IdentifierWrap, AfterTheLast16BitIdentifierClicksAndMenuChoicesAreStillRecognised)
{
    Recorder frame;
    ASSERT_TRUE(frame.Create(300, 200, 50, 50));
    HWND hwnd = frame.GetWndHandle();
    CButton early;
    ASSERT_TRUE(early.Create(hwnd, 10, 10, 100, 30, L"early"));
    ASSERT_EQ(early.GetID(), 32769);

    int last = 0;
    while (last < 65535) {
        last = CWindowBase::CreateResourceID();
    }
    ASSERT_EQ(last, 65535);
    // The counter starts again at 32769, which the live button still carries.
    CButton late;
    ASSERT_TRUE(late.Create(hwnd, 10, 60, 100, 30, L"late"));
    EXPECT_EQ(late.GetID(), 32770);
    CMenu menu;
    menu.AddMenu(L"File", 1, L"Open");
    menu.Set(hwnd);
    EXPECT_EQ(menu.GetID(L"Open"), 32771);

    SetForegroundWindow(hwnd);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    ClickCentreOf(late.GetWndHandle());
    ASSERT_TRUE(PumpUntil([&] { return frame.commands.size() == 1; }));
    EXPECT_TRUE(late.IsPush(frame.commands[0]));
    EXPECT_FALSE(early.IsPush(frame.commands[0]));

    SetFocus(hwnd);
    PressKey(VK_F10);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return frame.commands.size() == 2; }));
    EXPECT_TRUE(menu.IsSelect(L"Open", frame.commands[1]));
    EXPECT_FALSE(late.IsPush(frame.commands[1]));
}

}  // namespace
