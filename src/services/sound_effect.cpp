// A sound that plays over itself: one MCI device per voice, since a device plays one
// thing at a time.
#include "tsumiki/services.h"

#include <algorithm>
#include <vector>

namespace tsumiki {

struct CSoundEffect::Voices {
    std::vector<CMCI> players;
    // When each voice last started, as a count of plays: the smallest started earliest.
    std::vector<unsigned long long> started;
    unsigned long long plays = 0;
};

namespace {

bool IsPlaying(const CMCI& player)
{
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    return mciSendCommandW(player.GetDeviceID(), MCI_STATUS, MCI_STATUS_ITEM,
                           reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
           status.dwReturn == MCI_MODE_PLAY;
}

}  // namespace

CSoundEffect::CSoundEffect() = default;

CSoundEffect::CSoundEffect(const CSoundEffect& other) = default;

CSoundEffect& CSoundEffect::operator=(const CSoundEffect& other) = default;

CSoundEffect::~CSoundEffect() = default;

bool CSoundEffect::Load(const wchar_t* path, int voices)
{
    auto loaded = std::make_shared<Voices>();
    const int count = std::clamp(voices, 1, 16);
    loaded->players.resize(count);
    loaded->started.assign(count, 0);
    for (CMCI& player : loaded->players) {
        // The first failure ends the load: its message is shown once, and the voices
        // opened so far close with `loaded`.
        if (!player.Open(path, MEDIA_WAVE)) {
            return false;
        }
    }
    m_Voices = std::move(loaded);
    return true;
}

void CSoundEffect::Play()
{
    if (!m_Voices) {
        return;
    }
    Voices& voices = *m_Voices;
    size_t chosen = 0;
    for (size_t i = 0; i < voices.players.size(); ++i) {
        if (!IsPlaying(voices.players[i])) {
            chosen = i;
            break;
        }
        if (voices.started[i] < voices.started[chosen]) {
            chosen = i;
        }
    }
    voices.started[chosen] = ++voices.plays;
    voices.players[chosen].Rewind();
    voices.players[chosen].Play(false, nullptr);
}

void CSoundEffect::Stop()
{
    if (!m_Voices) {
        return;
    }
    for (CMCI& player : m_Voices->players) {
        player.Stop();
    }
}

int CSoundEffect::GetVoiceCount() const
{
    return m_Voices ? static_cast<int>(m_Voices->players.size()) : 0;
}

MCIDEVICEID CSoundEffect::GetDeviceID(int voice) const
{
    if (!m_Voices || voice < 0 || voice >= GetVoiceCount()) {
        return 0;
    }
    return m_Voices->players[static_cast<size_t>(voice)].GetDeviceID();
}

}  // namespace tsumiki
