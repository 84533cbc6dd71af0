// The voices of a sound effect, shared by the effect and its copies: XAudio2 source voices
// where the process's engine can be made, MCI devices of the file otherwise.
#pragma once

#include "tsumiki/services.h"

#include "services/wave_file.h"

#include <memory>

namespace tsumiki {

struct CSoundEffect::Voices {
    virtual ~Voices() = default;

    virtual int Count() const = 0;
    // Plays the sound from its start on the voice (0 to Count() - 1), cutting off what it
    // played. Volume above 0 to 1 and pan -1 to 1 (MCI voices play at full volume, centred).
    virtual void Start(int voice, float volume, float pan) = 0;
    virtual void StopAll() = 0;
    // How many voices are sounding now.
    virtual int CountPlaying() const = 0;
    // The MCI device of a voice; 0 for an XAudio2 voice.
    virtual MCIDEVICEID DeviceId(int voice) const = 0;

    // The voice the next play takes. All voices play the same sound, so the one started
    // longest ago is idle whenever any is, and is the one to restart when none is: plays
    // take the voices in turn, with no question to the device.
    int next = 0;
};

namespace detail {

// Null where the engine or its voices cannot be made.
std::shared_ptr<CSoundEffect::Voices> MakeXAudioVoices(WaveSound sound, int count);
// Opens the file as count MCI devices; null when one does not open.
std::shared_ptr<CSoundEffect::Voices> MakeMciVoices(const wchar_t* path, int count);

}  // namespace detail
}  // namespace tsumiki
