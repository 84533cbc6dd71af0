#include <gtest/gtest.h>

#include <tsumiki.h>

#include <memory>
#include <string>

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

// MCI_STATUS of an item; a closed device answers 0xFFFFFFFF.
DWORD Status(MCIDEVICEID device, DWORD item)
{
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    if (mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0) {
        return 0xFFFFFFFF;
    }
    return static_cast<DWORD>(status.dwReturn);
}

class Media : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteSilentWave(wave, 150) && WriteSilentWave(longWave, 20000) && frame.Create());
        if (waveOutGetNumDevs() == 0) {
            GTEST_SKIP() << "no wave output device on this machine";
        }
    }
    TempFolder folder;
    std::wstring wave = folder.File(L"tone.wav");
    std::wstring longWave = folder.File(L"long.wav");
    NotifyCounter frame;
};

TEST_F(Media, PlayWithNotifyRepeatsOnALibraryWindowUntilStopped)
{
    CMCI media;
    ASSERT_TRUE(media.Open(wave.c_str(), MEDIA_WAVE));
    media.Play(true, frame.GetWndHandle());
    EXPECT_TRUE(PumpUntil([&] { return frame.successes >= 3; }, 15000)) << frame.successes;
    media.Stop();
    PumpFor(100);
    int afterStop = frame.successes;
    PumpFor(600);
    EXPECT_EQ(frame.successes, afterStop) << "the aborted play must not start again";
    EXPECT_GE(frame.others, 1);
    EXPECT_NE(Status(media.GetDeviceID(), MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY));
}

TEST_F(Media, PlayGoesOnFromWhereTheDeviceStandsAndRewindGoesBackToTheStart)
{
    CMCI media;
    ASSERT_TRUE(media.Open(longWave.c_str(), MEDIA_WAVE));
    const MCIDEVICEID id = media.GetDeviceID();
    media.Play(false, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Status(id, MCI_STATUS_POSITION) >= 300; }, 5000));
    const struct { void (CMCI::*halt)(); void (CMCI::*go)(); bool rewind; } cases[] = {
        {&CMCI::Pause, nullptr, false}, {&CMCI::Stop, nullptr, false},
        {&CMCI::Pause, &CMCI::Resume, false}, {&CMCI::Stop, nullptr, true},
    };
    for (const auto& c : cases) {
        (media.*c.halt)();
        DWORD halted = Status(id, MCI_STATUS_POSITION);
        if (c.rewind) {
            media.Rewind();
            EXPECT_EQ(Status(id, MCI_STATUS_POSITION), 0u);
        }
        c.go ? (media.*c.go)() : media.Play(false, nullptr);
        EXPECT_EQ(Status(id, MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY));
        DWORD position = Status(id, MCI_STATUS_POSITION);
        EXPECT_TRUE(c.rewind ? position < halted : position >= halted) << halted << " " << position;
        PumpFor(100);
    }
}

TEST_F(Media, AFileThatDoesNotOpenIsNamedInAMessageAndTheHeldDeviceStays)
{
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'x') + L".wav";
    const struct { std::wstring path; int kind; std::wstring text; } cases[] = {
        {L"C:\\nowhere\\missing.wav", MEDIA_WAVE, L"C:\\nowhere\\missing.wavが開けませんでした"},
        {L"C:\\100%s %d %n\\a.wav", MEDIA_WAVE, L"C:\\100%s %d %n\\a.wavが開けませんでした"},
        {longPath, MEDIA_WAVE, longPath.substr(0, 259)},
        // Kinds outside the enumeration open with no device type, which MCI refuses.
        {wave, 5, wave + L"が開けませんでした"},
        {wave, -1, wave + L"が開けませんでした"},
    };
    CMCI media;
    ASSERT_TRUE(media.Open(wave.c_str(), MEDIA_WAVE));
    const MCIDEVICEID held = media.GetDeviceID();
    for (const auto& c : cases) {
        MessageBoxCatcher catcher;
        EXPECT_FALSE(media.Open(c.path.c_str(), static_cast<EMEDIA>(c.kind)));
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].text, c.text);
        EXPECT_EQ(catcher.Boxes()[0].caption, L"Error");
        EXPECT_EQ(media.GetDeviceID(), held);
    }
    // What this machine offers: a MIDI sequence opens; MPEG, AVI and CD audio may not.
    std::wstring midi = folder.File(L"note.mid");
    const unsigned char song[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 12,
                                  0, 0x90, 60, 64, 0x60, 0x80, 60, 64, 0, 0xFF, 0x2F, 0};
    ASSERT_TRUE(WriteBytes(midi, song, sizeof(song)));
    EXPECT_TRUE(CMCI().Open(midi.c_str(), MEDIA_MIDI));
    for (EMEDIA kind : {MEDIA_MPEG, MEDIA_AVI, MEDIA_CDAUDIO}) {
        MessageBoxCatcher catcher;
        CMCI other;
        bool opened = other.Open(kind == MEDIA_CDAUDIO ? L"D:" : wave.c_str(), kind);
        EXPECT_EQ(catcher.Count(), opened ? 0u : 1u);
        RecordProperty("kind" + std::to_string(kind), opened ? "opens" : "does not open");
    }
}

TEST_F(Media, ADeviceIsClosedOnceByTheLastObjectHoldingIt)
{
    auto original = std::make_unique<CMCI>();
    ASSERT_TRUE(original->Open(longWave.c_str(), MEDIA_WAVE));
    const MCIDEVICEID first = original->GetDeviceID();
    original->Play(false, nullptr);
    {
        CMCI copy(*original);
        CMCI assigned;
        assigned = copy;
        EXPECT_EQ(assigned.GetDeviceID(), first);
    }
    EXPECT_EQ(Status(first, MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY)) << "a copy's end stopped it";

    // Another Open lets go of the old device: closed with its last holder, not before.
    CMCI keeper(*original);
    ASSERT_TRUE(original->Open(wave.c_str(), MEDIA_WAVE));
    const MCIDEVICEID second = original->GetDeviceID();
    EXPECT_EQ(Status(first, MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_PLAY));
    keeper = CMCI();
    EXPECT_EQ(Status(first, MCI_STATUS_MODE), 0xFFFFFFFFu);

    CMCI other(*original);
    original->Close();
    original.reset();
    EXPECT_EQ(Status(second, MCI_STATUS_MODE), static_cast<DWORD>(MCI_MODE_STOP));
    other.Close();
    EXPECT_EQ(Status(second, MCI_STATUS_MODE), 0xFFFFFFFFu);
    EXPECT_EQ(other.GetDeviceID(), 0u);
}

}  // namespace
