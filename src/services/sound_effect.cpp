// A sound that plays over itself: one MCI device per voice, since a device plays one
// thing at a time.
#include "tsumiki/services.h"

#include "services/media_open_failure.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace tsumiki {

namespace {

// Every command gets a zero-filled parameter record (some drivers refuse a null one).
MCIERROR Send(MCIDEVICEID id, UINT command, DWORD_PTR flags, void* parameters = nullptr)
{
    MCI_GENERIC_PARMS nothing = {};
    return mciSendCommandW(id, command, flags,
                           reinterpret_cast<DWORD_PTR>(parameters ? parameters : &nothing));
}

// One open device of the effect's file, closed with the object.
class Voice {
public:
    explicit Voice(MCIDEVICEID id) : m_Id(id) {}
    ~Voice()
    {
        Send(m_Id, MCI_STOP, 0);
        Send(m_Id, MCI_CLOSE, 0);
    }
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    MCIDEVICEID Id() const { return m_Id; }
    bool IsPlaying() const
    {
        MCI_STATUS_PARMS status = {};
        status.dwItem = MCI_STATUS_MODE;
        return Send(m_Id, MCI_STATUS, MCI_STATUS_ITEM, &status) == 0 && status.dwReturn == MCI_MODE_PLAY;
    }
    void PlayFromStart() const
    {
        Send(m_Id, MCI_SEEK, MCI_SEEK_TO_START);
        Send(m_Id, MCI_PLAY, 0);
    }

private:
    const MCIDEVICEID m_Id;
};

// Opens the file as a new device. MCI names a device after its file unless given an alias,
// and refuses a second device of the same name: each voice gets an alias of its own.
std::unique_ptr<Voice> OpenVoice(const wchar_t* path)
{
    static std::atomic<unsigned> s_Voices{0};
    std::wstring alias = L"tsumiki_effect_" + std::to_wstring(++s_Voices);
    MCI_OPEN_PARMSW open = {};
    open.lpstrDeviceType = L"WaveAudio";
    open.lpstrElementName = path;
    open.lpstrAlias = alias.c_str();
    if (Send(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS, &open) != 0) {
        return nullptr;
    }
    return std::make_unique<Voice>(open.wDeviceID);
}

}  // namespace

struct CSoundEffect::Voices {
    std::vector<std::unique_ptr<Voice>> players;
    // When each voice last started, as a count of plays: the smallest started earliest.
    std::vector<unsigned long long> started;
    unsigned long long plays = 0;
};

CSoundEffect::CSoundEffect() = default;

CSoundEffect::CSoundEffect(const CSoundEffect& other) = default;

CSoundEffect& CSoundEffect::operator=(const CSoundEffect& other) = default;

CSoundEffect::~CSoundEffect() = default;

bool CSoundEffect::Load(const wchar_t* path, int voices)
{
    auto loaded = std::make_shared<Voices>();
    const int count = std::clamp(voices, 1, 16);
    loaded->started.assign(count, 0);
    for (int i = 0; i < count; ++i) {
        // The first failure ends the load: its message is shown once, and the voices
        // opened so far close with `loaded`.
        std::unique_ptr<Voice> voice = path ? OpenVoice(path) : nullptr;
        if (!voice) {
            detail::ShowMediaOpenFailure(path);
            return false;
        }
        loaded->players.push_back(std::move(voice));
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
        if (!voices.players[i]->IsPlaying()) {
            chosen = i;
            break;
        }
        if (voices.started[i] < voices.started[chosen]) {
            chosen = i;
        }
    }
    voices.started[chosen] = ++voices.plays;
    voices.players[chosen]->PlayFromStart();
}

void CSoundEffect::Stop()
{
    if (!m_Voices) {
        return;
    }
    for (const auto& player : m_Voices->players) {
        Send(player->Id(), MCI_STOP, 0);
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
    return m_Voices->players[static_cast<size_t>(voice)]->Id();
}

}  // namespace tsumiki
