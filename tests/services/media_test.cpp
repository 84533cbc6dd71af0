#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <utility>

#include "support/frame_window.h"
#include "support/message_box_catcher.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

class NotifyCounter : public TestFrame {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == MM_MCINOTIFY) {
            ++(wParam == MCI_NOTIFY_SUCCESSFUL ? successes : others);
        }
        return CWindowBase::WndProc(hwnd, message, wParam, lParam);
    }
    int successes = 0;
    int others = 0;
};

// The answer of MCI_STATUS for an item: the error code and the value.
std::pair<MCIERROR, DWORD> Status(MCIDEVICEID device, DWORD item)
{
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    MCIERROR error = mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
    return {error, static_cast<DWORD>(status.dwReturn)};
}

bool IsOpen(MCIDEVICEID device)
{
    return device != 0 && Status(device, MCI_STATUS_MODE).first == 0;
}

bool IsPlaying(MCIDEVICEID device)
{
    return Status(device, MCI_STATUS_MODE).second == MCI_MODE_PLAY;
}

// One note on a single track: a standard MIDI file of format 0.
bool WriteShortMidi(const std::wstring& path)
{
    const unsigned char bytes[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                   'M', 'T', 'r', 'k', 0, 0, 0, 13,
                                   0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00, 0x00};
    return WriteBytes(path, bytes, sizeof(bytes) - 1);
}

class Media : public ::testing::Test {
protected:
    void SetUp() override
    {
        wave = folder.File(L"tone.wav");
        longWave = folder.File(L"long.wav");
        ASSERT_TRUE(WriteSilentWave(wave, 150));
        ASSERT_TRUE(WriteSilentWave(longWave, 20000));
        ASSERT_TRUE(frame.Create());
    }
    bool CanPlay() const { return waveOutGetNumDevs() > 0; }

    TempFolder folder;
    std::wstring wave;
    std::wstring longWave;
    NotifyCounter frame;
};

TEST_F(Media, PlayWithNotifyRepeatsOnALibraryWindowUntilStopped)
{
    if (!CanPlay()) {
        GTEST_SKIP() << "no wave output device on this machine";
    }
    CMCI media;
    ASSERT_TRUE(media.Open(wave.c_str(), MEDIA_WAVE));
    media.Play(true, frame.GetWndHandle());
    EXPECT_TRUE(PumpUntil([&] { return frame.successes >= 3; }, 15000)) << frame.successes;
    media.Stop();
    PumpFor(100);
    int afterStop = frame.successes;
    PumpFor(600);
    EXPECT_EQ(frame.successes, afterStop) << "the aborted play must not start again";
    EXPECT_GE(frame.others, 1) << "Stop cuts the play short with a notification";
    EXPECT_FALSE(IsPlaying(media.GetDeviceID()));
}

TEST_F(Media, PlayContinuesFromWhereItStandsAndRewindGoesBackToTheStart)
{
    if (!CanPlay()) {
        GTEST_SKIP() << "no wave output device on this machine";
    }
    CMCI media;
    ASSERT_TRUE(media.Open(longWave.c_str(), MEDIA_WAVE));
    MCIDEVICEID id = media.GetDeviceID();
    media.Play(false, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Status(id, MCI_STATUS_POSITION).second >= 300; }, 5000));

    struct Case {
        const char* name;
        void (CMCI::*halt)();
        void (CMCI::*before)();
        bool fromStart;
    };
    const Case cases[] = {
        {"Pause then Play", &CMCI::Pause, nullptr, false},
        {"Stop then Play", &CMCI::Stop, nullptr, false},
        {"Pause then Resume", &CMCI::Pause, &CMCI::Resume, false},
        {"Stop, Rewind, then Play", &CMCI::Stop, &CMCI::Rewind, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (media.*c.halt)();
        DWORD halted = Status(id, MCI_STATUS_POSITION).second;
        if (c.before) {
            (media.*c.before)();
        }
        DWORD ready = Status(id, MCI_STATUS_POSITION).second;
        if (c.before != &CMCI::Resume) {
            media.Play(false, nullptr);
        }
        DWORD resumed = Status(id, MCI_STATUS_POSITION).second;
        EXPECT_TRUE(IsPlaying(id));
        if (c.fromStart) {
            EXPECT_EQ(ready, 0u);
            EXPECT_LT(resumed, halted);
        } else {
            EXPECT_GE(ready, halted);
            EXPECT_GE(resumed, halted);
            EXPECT_GT(resumed, 0u);
        }
        PumpFor(100);
    }
    media.Stop();
}

TEST_F(Media, AFileThatDoesNotOpenIsNamedInAMessageAndKeepsTheDeviceHeld)
{
    std::wstring longPath = L"C:\\" + std::wstring(400, L'x') + L".wav";
    struct Case {
        std::wstring path;
        EMEDIA kind;
        std::wstring text;
    };
    const Case cases[] = {
        {L"C:\\nowhere\\missing.wav", MEDIA_WAVE, L"C:\\nowhere\\missing.wavが開けませんでした"},
        {L"C:\\100%s %d %n\\a.wav", MEDIA_WAVE, L"C:\\100%s %d %n\\a.wavが開けませんでした"},
        {longPath, MEDIA_WAVE, longPath.substr(0, 259)},
        // Kinds outside the enumeration open with no device type, which MCI refuses.
        {wave, static_cast<EMEDIA>(5), wave + L"が開けませんでした"},
        {wave, static_cast<EMEDIA>(-1), wave + L"が開けませんでした"},
    };
    CMCI media;
    ASSERT_TRUE(media.Open(wave.c_str(), MEDIA_WAVE));
    MCIDEVICEID held = media.GetDeviceID();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path.substr(0, 40)));
        MessageBoxCatcher catcher;
        EXPECT_FALSE(media.Open(c.path.c_str(), c.kind));
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].text, c.text);
        EXPECT_EQ(catcher.Boxes()[0].caption, L"Error");
        EXPECT_EQ(media.GetDeviceID(), held);
        EXPECT_TRUE(IsOpen(held));
    }
}

TEST_F(Media, EachKindEitherOpensSilentlyOrFailsWithOneMessage)
{
    std::wstring midi = folder.File(L"note.mid");
    ASSERT_TRUE(WriteShortMidi(midi));
    struct Case {
        EMEDIA kind;
        std::wstring path;
        bool mustOpen;
    };
    // Wave audio and MIDI sequences open on every machine; MPEG, AVI and CD audio need
    // drivers (and a drive) that not every machine has.
    const Case cases[] = {
        {MEDIA_WAVE, wave, true},  {MEDIA_MIDI, midi, true},  {MEDIA_MPEG, wave, false},
        {MEDIA_AVI, wave, false},  {MEDIA_CDAUDIO, L"D:", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        MessageBoxCatcher catcher;
        CMCI media;
        bool opened = media.Open(c.path.c_str(), c.kind);
        EXPECT_EQ(catcher.Count(), opened ? 0u : 1u);
        EXPECT_EQ(media.GetDeviceID() != 0, opened);
        if (c.mustOpen) {
            EXPECT_TRUE(opened);
        }
        RecordProperty("kind" + std::to_string(static_cast<int>(c.kind)), opened ? "opens" : "fails");
    }
}

TEST_F(Media, ADeviceIsClosedOnceByTheLastObjectHoldingIt)
{
    if (!CanPlay()) {
        GTEST_SKIP() << "no wave output device on this machine";
    }
    // A copy that dies leaves the original playing.
    auto original = std::make_unique<CMCI>();
    ASSERT_TRUE(original->Open(longWave.c_str(), MEDIA_WAVE));
    MCIDEVICEID first = original->GetDeviceID();
    original->Play(false, nullptr);
    {
        CMCI copy(*original);
        CMCI assigned;
        assigned = *original;
        EXPECT_EQ(copy.GetDeviceID(), first);
        EXPECT_EQ(assigned.GetDeviceID(), first);
    }
    EXPECT_TRUE(IsPlaying(first));

    // Opening another file on a held device lets go of the old one: closed when no copy
    // holds it any more, and only then.
    CMCI keeper(*original);
    ASSERT_TRUE(original->Open(wave.c_str(), MEDIA_WAVE));
    MCIDEVICEID second = original->GetDeviceID();
    EXPECT_NE(second, first);
    EXPECT_TRUE(IsPlaying(first));
    keeper = CMCI();
    EXPECT_FALSE(IsOpen(first));
    EXPECT_EQ(keeper.GetDeviceID(), 0u);

    // Close and destruction: whoever is last closes, and nothing is closed twice.
    CMCI other(*original);
    original->Close();
    EXPECT_EQ(original->GetDeviceID(), 0u);
    EXPECT_TRUE(IsOpen(second));
    original.reset();
    EXPECT_TRUE(IsOpen(second));
    other.Close();
    EXPECT_FALSE(IsOpen(second));
}

}  // namespace
