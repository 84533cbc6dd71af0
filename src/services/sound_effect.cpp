// A sound that plays over itself: its voices come from XAudio2 where the engine can be
// made, from MCI otherwise; a play takes the next voice in turn.
#include "tsumiki/services.h"

#include "services/effect_voices.h"
#include "services/media_open_failure.h"

#include <algorithm>
#include <cmath>

namespace tsumiki {

CSoundEffect::CSoundEffect() = default;

CSoundEffect::CSoundEffect(const CSoundEffect& other) = default;

CSoundEffect& CSoundEffect::operator=(const CSoundEffect& other) = default;

CSoundEffect::~CSoundEffect() = default;

bool CSoundEffect::Load(const wchar_t* path, int voices)
{
    const int count = std::clamp(voices, 1, 16);
    detail::WaveSound sound;
    const detail::WaveRead read = detail::ReadWaveFile(path, sound);
    std::shared_ptr<Voices> loaded;
    if (read == detail::WaveRead::Pcm) {
        loaded = detail::MakeXAudioVoices(std::move(sound), count);
    }
    // A damaged file is refused by both: MCI would play what it could read of it.
    if (!loaded && read != detail::WaveRead::Damaged) {
        loaded = detail::MakeMciVoices(path, count);
    }
    if (!loaded) {
        detail::ShowMediaOpenFailure(path);
        return false;
    }
    m_Voices = std::move(loaded);
    return true;
}

void CSoundEffect::Play()
{
    Play(1.0f, 0.0f);
}

void CSoundEffect::Play(float volume, float pan)
{
    // Written so that NaN plays nothing and pans nowhere.
    const float level = std::min(volume, 1.0f) * m_Volume;
    if (!m_Voices || !(level > 0)) {
        return;
    }
    Voices& voices = *m_Voices;
    const int voice = voices.next;
    voices.next = (voice + 1) % voices.Count();
    voices.Start(voice, level, std::isnan(pan) ? 0.0f : std::clamp(pan, -1.0f, 1.0f));
}

void CSoundEffect::SetVolume(float volume)
{
    m_Volume = volume > 0 ? std::min(volume, 1.0f) : 0.0f;
}

void CSoundEffect::Stop()
{
    if (m_Voices) {
        m_Voices->StopAll();
    }
}

int CSoundEffect::GetVoiceCount() const
{
    return m_Voices ? m_Voices->Count() : 0;
}

int CSoundEffect::GetPlayingCount() const
{
    return m_Voices ? m_Voices->CountPlaying() : 0;
}

MCIDEVICEID CSoundEffect::GetDeviceID(int voice) const
{
    if (!m_Voices || voice < 0 || voice >= GetVoiceCount()) {
        return 0;
    }
    return m_Voices->DeviceId(voice);
}

}  // namespace tsumiki
