// The sound effects' wave reading and XAudio2 voices. tools/test and ctest also run these
// with xaudio2_9 switched off (MCI voices) and with no audio device at all.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/message_box_catcher.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace tsumiki {
namespace detail {
TSUMIKI_API void ReportAudioDeviceLost();
}
}  // namespace tsumiki

namespace {

// A PCM wave file of silence; the header's fields sit at their usual offsets.
std::vector<uint8_t> Wave(int bits, int channels, int rate, int milliseconds)
{
    const uint32_t align = channels * bits / 8;
    const uint32_t data = static_cast<uint32_t>(rate) * milliseconds / 1000 * align;
    std::vector<uint8_t> bytes(44 + data, bits == 8 ? 128 : 0);
    std::memcpy(&bytes[0], "RIFF....WAVEfmt ", 16);
    std::memcpy(&bytes[36], "data", 4);
    const uint32_t fields[][3] = {{4, 36 + data, 4}, {16, 16, 4}, {20, 1, 2},  {22, uint32_t(channels), 2},
                                  {24, uint32_t(rate), 4}, {28, rate * align, 4}, {32, align, 2},
                                  {34, uint32_t(bits), 2}, {40, data, 4}};
    for (const auto& field : fields) {
        for (uint32_t i = 0; i < field[2]; ++i) {
            bytes[field[0] + i] = static_cast<uint8_t>(field[1] >> (8 * i));
        }
    }
    return bytes;
}

bool Write(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}

TEST(SoundEffectWave, EveryPcmLayoutLoadsAndDamagedFilesAreRefused)
{
    TempFolder folder;
    int files = 0;
    // A new file each time: MCI voices keep theirs open.
    auto next = [&] { return folder.File(std::to_wstring(++files) + L".wav"); };
    CSoundEffect effect;
    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            for (int rate : {11025, 22050, 44100, 48000}) {
                const std::wstring path = next();
                ASSERT_TRUE(Write(path, Wave(bits, channels, rate, 50)));
                EXPECT_TRUE(effect.Load(path.c_str(), 2)) << bits << " bits, " << channels << " channels, " << rate;
            }
        }
    }
    const std::vector<std::function<void(std::vector<uint8_t>&)>> damages = {
        [](std::vector<uint8_t>& b) { b.resize(b.size() - 100); },  // cut short
        [](std::vector<uint8_t>& b) { b[7] = 0x7F; },                 // the RIFF size lies
        [](std::vector<uint8_t>& b) { b[43] = 0x7F; },                // the data size lies
        [](std::vector<uint8_t>& b) { b[17] = 0x7F; },                // the format size lies
        [](std::vector<uint8_t>& b) { b[32] = 3; },                   // the frame size lies
        [](std::vector<uint8_t>& b) { std::memcpy(&b[36], "junk", 4); },  // no data
        [](std::vector<uint8_t>& b) { b.resize(12); },
        [](std::vector<uint8_t>& b) { b.clear(); },
    };
    MessageBoxCatcher catcher;
    for (size_t i = 0; i < damages.size(); ++i) {
        std::vector<uint8_t> bytes = Wave(16, 2, 22050, 50);
        damages[i](bytes);
        const std::wstring path = next();
        ASSERT_TRUE(Write(path, bytes));
        EXPECT_FALSE(effect.Load(path.c_str(), 3)) << i;
    }
    EXPECT_EQ(catcher.Count(), damages.size());
    EXPECT_EQ(effect.GetVoiceCount(), 2) << "a failed Load keeps the voices held before";
}

// Whether this process's effects got XAudio2 voices (which have no MCI device).
bool LoadsXAudio(CSoundEffect& effect, const std::wstring& path, int voices)
{
    return effect.Load(path.c_str(), voices) && effect.GetDeviceID(0) == 0;
}

TEST(SoundEffectXAudio, PlaysOverlapAndEndInRealTimeAndSilentPlaysTakeNoVoice)
{
    TempFolder folder;
    ASSERT_TRUE(Write(folder.File(L"long.wav"), Wave(16, 1, 22050, 3000)));
    ASSERT_TRUE(Write(folder.File(L"short.wav"), Wave(8, 2, 44100, 100)));
    CSoundEffect effect;
    if (!LoadsXAudio(effect, folder.File(L"long.wav"), 3)) {
        GTEST_SKIP() << "MCI voices: XAudio2 is switched off or there is no device";
    }
    effect.Play();
    effect.Play(0.5f, -1.0f);
    effect.Play(1.0f, 1.0f);
    EXPECT_EQ(effect.GetPlayingCount(), 3);
    effect.Play();  // restarts the earliest
    EXPECT_EQ(effect.GetPlayingCount(), 3);
    effect.Stop();
    // The stopped buffers are let go of at the engine's next pass.
    EXPECT_TRUE(PumpUntil([&] { return effect.GetPlayingCount() == 0; }, 1000));
    effect.Play(0.0f, 0.0f);
    effect.SetVolume(0.0f);
    effect.Play();
    EXPECT_EQ(effect.GetPlayingCount(), 0);

    CSoundEffect shortSound;
    ASSERT_TRUE(LoadsXAudio(shortSound, folder.File(L"short.wav"), 1));
    shortSound.Play();
    EXPECT_EQ(shortSound.GetPlayingCount(), 1);
    EXPECT_TRUE(PumpUntil([&] { return shortSound.GetPlayingCount() == 0; }, 2000));
}

TEST(SoundEffectXAudio, PlaysSoundAgainAfterTheDeviceIsLostAndComesBack)
{
    TempFolder folder;
    ASSERT_TRUE(Write(folder.File(L"long.wav"), Wave(16, 2, 48000, 3000)));
    CSoundEffect effect;
    if (!LoadsXAudio(effect, folder.File(L"long.wav"), 2)) {
        GTEST_SKIP() << "MCI voices: XAudio2 is switched off or there is no device";
    }
    CSoundEffect copy = effect;
    effect.Play();
    ASSERT_EQ(effect.GetPlayingCount(), 1);
    tsumiki::detail::ReportAudioDeviceLost();
    // The engine goes with its voices; the device is still there, so a new one is made.
    EXPECT_TRUE(PumpUntil([&] { return effect.GetPlayingCount() == 0; }));
    EXPECT_TRUE(PumpUntil([&] {
        copy.Play();
        return copy.GetPlayingCount() > 0;
    }));
}

TEST(SoundEffect, WithoutAnAudioDeviceLoadAndPlayStillWork)
{
    TempFolder folder;
    ASSERT_TRUE(Write(folder.File(L"short.wav"), Wave(16, 1, 11025, 100)));
    CSoundEffect effect;
    ASSERT_TRUE(effect.Load(folder.File(L"short.wav").c_str(), 2));
    effect.Play();
    effect.Play(0.5f, 0.5f);
    effect.Stop();
    if (waveOutGetNumDevs() == 0) {
        // No endpoint: no XAudio2 engine was made (Wine's would crash), the MCI voices play nothing.
        EXPECT_NE(effect.GetDeviceID(0), 0u);
        EXPECT_EQ(effect.GetPlayingCount(), 0);
    }
}

}  // namespace
