// The effect's voices on the process's XAudio2 engine: a play hands the sound, held in
// memory, to a source voice and returns; nothing waits for the device.
#include "services/audio_engine.h"
#include "services/effect_voices.h"

#include <vector>

namespace tsumiki {
namespace detail {

namespace {

class XAudioVoices final : public CSoundEffect::Voices {
public:
    XAudioVoices(std::shared_ptr<AudioEngine> engine, WaveSound sound, int count)
        : m_Engine(std::move(engine)), m_Sound(std::move(sound)), m_Voices(static_cast<size_t>(count))
    {
    }

    ~XAudioVoices() override
    {
        // Destroyed before the samples they read are freed.
        AudioEngine::Session session(*m_Engine);
        for (Voice& voice : m_Voices) {
            if (IXAudio2SourceVoice* live = Live(session, voice)) {
                m_Engine->DestroyVoice(session, live);
            }
        }
    }

    // Makes every voice now, so that plays find them ready.
    bool MakeAll()
    {
        AudioEngine::Session session(*m_Engine);
        for (Voice& voice : m_Voices) {
            if (!Ready(session, voice)) {
                return false;
            }
        }
        return true;
    }

    int Count() const override { return static_cast<int>(m_Voices.size()); }

    void Start(int index, float volume, float pan) override
    {
        AudioEngine::Session session(*m_Engine);
        IXAudio2SourceVoice* voice = Ready(session, m_Voices[static_cast<size_t>(index)]);
        if (!voice) {
            return;
        }
        // Stopped first, so that the flush also takes the buffer it was playing.
        voice->Stop(0);
        voice->FlushSourceBuffers();
        voice->SetVolume(volume);
        Pan(session, voice, pan);
        XAUDIO2_BUFFER buffer = {};
        buffer.Flags = XAUDIO2_END_OF_STREAM;
        buffer.AudioBytes = static_cast<UINT32>(m_Sound.samples.size());
        buffer.pAudioData = m_Sound.samples.data();
        if (SUCCEEDED(voice->SubmitSourceBuffer(&buffer))) {
            voice->Start(0);
        }
    }

    void StopAll() override
    {
        AudioEngine::Session session(*m_Engine);
        for (Voice& voice : m_Voices) {
            if (IXAudio2SourceVoice* live = Live(session, voice)) {
                live->Stop(0);
                live->FlushSourceBuffers();
            }
        }
    }

    int CountPlaying() const override
    {
        AudioEngine::Session session(*m_Engine);
        int playing = 0;
        for (const Voice& voice : m_Voices) {
            if (IXAudio2SourceVoice* live = Live(session, voice)) {
                XAUDIO2_VOICE_STATE state = {};
                live->GetState(&state, XAUDIO2_VOICE_NOSAMPLESPLAYED);
                playing += state.BuffersQueued > 0 ? 1 : 0;
            }
        }
        return playing;
    }

    MCIDEVICEID DeviceId(int) const override { return 0; }

private:
    struct Voice {
        IXAudio2SourceVoice* voice = nullptr;
        // The engine generation it was made on: an older one died with its engine.
        unsigned generation = 0;
    };

    static IXAudio2SourceVoice* Live(const AudioEngine::Session& session, const Voice& voice)
    {
        return voice.voice && voice.generation == session.Generation() ? voice.voice : nullptr;
    }

    // The voice on the engine of now, made anew after a device loss; null while there is none.
    IXAudio2SourceVoice* Ready(const AudioEngine::Session& session, Voice& voice)
    {
        if (IXAudio2SourceVoice* live = Live(session, voice)) {
            return live;
        }
        voice.voice = nullptr;
        IXAudio2SourceVoice* made = m_Engine->MakeVoice(session, m_Sound.format);
        if (!made) {
            return nullptr;
        }
        voice.voice = made;
        voice.generation = session.Generation();
        return made;
    }

    // Balance between the first two output channels (front left and right): the far side
    // is turned down, the near side stays whole, so a centred play sounds as a plain one.
    void Pan(const AudioEngine::Session& session, IXAudio2SourceVoice* voice, float pan) const
    {
        const UINT32 in = m_Sound.format.nChannels;
        const UINT32 out = session.OutputChannels();
        if (out == 0 || out > XAUDIO2_MAX_AUDIO_CHANNELS) {
            return;
        }
        float levels[2 * XAUDIO2_MAX_AUDIO_CHANNELS] = {};
        const float left = pan > 0 ? 1 - pan : 1;
        const float right = pan < 0 ? 1 + pan : 1;
        // The level of input channel i in output channel o is at o * in + i.
        if (out == 1) {
            for (UINT32 i = 0; i < in; ++i) {
                levels[i] = 1.0f / in;
            }
        } else {
            // Mono goes to both sides; stereo keeps each side on its own.
            levels[0] = left;
            levels[in == 1 ? 1 : in + 1] = right;
        }
        voice->SetOutputMatrix(session.Master(), in, out, levels);
    }

    // Declared first, so that the engine outlives the voices made on it.
    std::shared_ptr<AudioEngine> m_Engine;
    WaveSound m_Sound;
    std::vector<Voice> m_Voices;
};

}  // namespace

std::shared_ptr<CSoundEffect::Voices> MakeXAudioVoices(WaveSound sound, int count)
{
    std::shared_ptr<AudioEngine> engine = AudioEngine::Acquire();
    if (!engine) {
        return nullptr;
    }
    auto voices = std::make_shared<XAudioVoices>(std::move(engine), std::move(sound), count);
    return voices->MakeAll() ? voices : nullptr;
}

}  // namespace detail
}  // namespace tsumiki
