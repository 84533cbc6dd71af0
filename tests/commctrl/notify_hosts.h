// Parents for the common-control tests: a library frame window or a library dialog, each
// handing every WM_NOTIFY to the test inside its own OnNotify, where a program asks its
// controls; and the input a user would give them.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "support/frame_window.h"

using NotifyHandler = std::function<void(int id, NMHDR* header)>;

class NotifyFrame : public TestFrame {
public:
    LRESULT OnNotify(HWND, int id, NMHDR* header) override
    {
        if (notified) {
            notified(id, header);
        }
        return 0;
    }
    NotifyHandler notified;
};

class NotifyDialog : public CDialogBase {
public:
    ~NotifyDialog() override
    {
        if (m_hWnd && IsWindow(m_hWnd)) {
            DestroyWindow(m_hWnd);
        }
    }
    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header) override
    {
        if (notified) {
            notified(id, header);
        }
        return CDialogBase::OnNotify(hwnd, id, header);
    }
    // Keeps the test program's message loop running.
    void OnDestroy(HWND) override {}
    NotifyHandler notified;
};

enum class Host { Frame, Dialog };

inline std::string HostName(const ::testing::TestParamInfo<Host>& info)
{
    return info.param == Host::Frame ? "FrameWindow" : "Dialog";
}

class OnEitherHost : public ::testing::TestWithParam<Host> {
protected:
    void SetUp() override
    {
        if (GetParam() == Host::Frame) {
            ASSERT_TRUE(frame.Create(480, 360, 40, 40));
            parent = frame.GetWndHandle();
        } else {
            ASSERT_TRUE(dialog.CreateDiag(L"test", 480, 360, 40, 40, false, nullptr));
            parent = dialog.GetWndHandle();
        }
        SetForegroundWindow(parent);
    }
    void OnNotify(const NotifyHandler& handler) { frame.notified = dialog.notified = handler; }

    NotifyFrame frame;
    NotifyDialog dialog;
    HWND parent = nullptr;
};

// A real left click at a point of the screen, as the mouse gives it.
inline void ClickAt(POINT point)
{
    SetCursorPos(point.x, point.y);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}

// The centre of a rectangle in the control's client coordinates, on the screen.
inline POINT ScreenCentre(HWND control, RECT rect)
{
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &centre);
    return centre;
}

// A notification header nobody may read: any read of it ends the test program.
inline LPARAM UnreadableHeader()
{
    static void* page = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    return reinterpret_cast<LPARAM>(page);
}

// Sends the parent a notification as the control would send it.
inline void SendNotify(HWND parent, HWND control, UINT code)
{
    NMHDR header = {control, static_cast<UINT_PTR>(GetDlgCtrlID(control)),
                    code};
    SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}
