#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>

#include "support/message_box_catcher.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

DWORD Status(MCIDEVICEID device, DWORD item)
{
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
    return static_cast<DWORD>(status.dwReturn);
}

TEST(SoundEffect, VoicesPlayAtOnceAndAFourthPlayRestartsTheEarliest)
{
    TempFolder folder;
    std::wstring wave = folder.File(L"long.wav");
    ASSERT_TRUE(WriteSilentWave(wave, 20000));
    if (waveOutGetNumDevs() == 0) {
        GTEST_SKIP() << "no wave output device on this machine";
    }
    CSoundEffect effect;
    ASSERT_TRUE(effect.Load(wave.c_str(), 3));
    ASSERT_EQ(effect.GetVoiceCount(), 3);
    if (effect.GetDeviceID(0) == 0) {
        GTEST_SKIP() << "XAudio2 voices; the MCI voices are tested with xaudio2_9 switched off";
    }
    for (int play = 0; play < 3; ++play) {
        effect.Play();
        PumpFor(150);
    }
    for (int voice = 0; voice < 3; ++voice) {
        EXPECT_EQ(Status(effect.GetDeviceID(voice), MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY)) << voice;
    }
    effect.Play();
    EXPECT_LT(Status(effect.GetDeviceID(0), MCI_STATUS_POSITION), Status(effect.GetDeviceID(2), MCI_STATUS_POSITION));

    // A copy keeps the voices playing after the original lets go; a missing file changes nothing.
    CSoundEffect copy = effect;
    effect = CSoundEffect();
    EXPECT_EQ(Status(copy.GetDeviceID(1), MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY));
    MessageBoxCatcher catcher;
    EXPECT_FALSE(copy.Load(folder.File(L"missing.wav").c_str(), 2));
    EXPECT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(copy.GetVoiceCount(), 3);
    copy.Stop();
    EXPECT_NE(Status(copy.GetDeviceID(1), MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY));
}

}  // namespace
