#include <gtest/gtest.h>

#include <tsumiki.h>

#include <mmsystem.h>

#include "support/frame_window.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

class NotifyCounter : public TestFrame {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == MM_MCINOTIFY && wParam == MCI_NOTIFY_SUCCESSFUL) {
            ++successes;
        }
        return CWindowBase::WndProc(hwnd, message, wParam, lParam);
    }
    int successes = 0;
};

class MediaRepeat : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteSilentWave(folder.File(L"beep.wav"), 150));
        ASSERT_TRUE(frame.Create());
        std::wstring path = folder.File(L"beep.wav");
        MCI_OPEN_PARMSW open = {};
        open.lpstrDeviceType = L"waveaudio";
        open.lpstrElementName = path.c_str();
        ASSERT_EQ(mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                  reinterpret_cast<DWORD_PTR>(&open)), 0u);
        device = open.wDeviceID;
    }
    void TearDown() override
    {
        if (device) {
            mciSendCommandW(device, MCI_CLOSE, 0, 0);
        }
    }
    DWORD Mode()
    {
        MCI_STATUS_PARMS status = {};
        status.dwItem = MCI_STATUS_MODE;
        mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
        return static_cast<DWORD>(status.dwReturn);
    }

    TempFolder folder;
    NotifyCounter frame;
    MCIDEVICEID device = 0;
};

TEST_F(MediaRepeat, ASuccessfulEndRestartsTheDevice)
{
    if (waveOutGetNumDevs() == 0) {
        GTEST_SKIP() << "no wave output device on this machine";
    }
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(frame.GetWndHandle());
    ASSERT_EQ(mciSendCommandW(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)), 0u);
    // A second successful end can only come from the framework playing it again.
    EXPECT_TRUE(PumpUntil([&] { return frame.successes >= 2; }, 10000));
    mciSendCommandW(device, MCI_STOP, 0, 0);
}

TEST_F(MediaRepeat, AnAbortedOrFailedEndDoesNotRestart)
{
    mciSendCommandW(device, MCI_STOP, 0, 0);
    SendMessageW(frame.GetWndHandle(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, device);
    SendMessageW(frame.GetWndHandle(), MM_MCINOTIFY, MCI_NOTIFY_FAILURE, device);
    PumpFor(100);
    EXPECT_NE(Mode(), static_cast<DWORD>(MCI_MODE_PLAY));
    EXPECT_EQ(frame.successes, 0);
}

TEST_F(MediaRepeat, ASuccessfulNotificationSentByHandPlaysTheDeviceAgain)
{
    if (waveOutGetNumDevs() == 0) {
        GTEST_SKIP() << "no wave output device on this machine";
    }
    EXPECT_EQ(SendMessageW(frame.GetWndHandle(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, device), 0);
    EXPECT_TRUE(PumpUntil([&] { return frame.successes >= 2; }, 10000));
    mciSendCommandW(device, MCI_STOP, 0, 0);
}

}  // namespace
