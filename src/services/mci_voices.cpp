// The effect's voices where XAudio2 cannot be had: one MCI device per voice, since a device
// plays one thing at a time. Each command is answered before it returns.
#include "services/effect_voices.h"

#include <atomic>
#include <string>
#include <vector>

namespace tsumiki {
namespace detail {

namespace {

// Every command gets a zero-filled parameter record (some drivers refuse a null one).
MCIERROR Send(MCIDEVICEID id, UINT command, DWORD_PTR flags, void* parameters = nullptr)
{
    MCI_GENERIC_PARMS nothing = {};
    return mciSendCommandW(id, command, flags, reinterpret_cast<DWORD_PTR>(parameters ? parameters : &nothing));
}

// One open device of the effect's file, closed with the object.
class Device {
public:
    explicit Device(MCIDEVICEID id) : m_Id(id) {}
    ~Device()
    {
        Send(m_Id, MCI_STOP, 0);
        Send(m_Id, MCI_CLOSE, 0);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    MCIDEVICEID Id() const { return m_Id; }

private:
    const MCIDEVICEID m_Id;
};

// Opens the file as a new device. MCI names a device after its file unless given an alias,
// and refuses a second device of the same name: each voice gets an alias of its own.
std::unique_ptr<Device> OpenDevice(const wchar_t* path)
{
    static std::atomic<unsigned> s_Devices{0};
    std::wstring alias = L"tsumiki_effect_" + std::to_wstring(++s_Devices);
    MCI_OPEN_PARMSW open = {};
    open.lpstrDeviceType = L"WaveAudio";
    open.lpstrElementName = path;
    open.lpstrAlias = alias.c_str();
    if (Send(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS, &open) != 0) {
        return nullptr;
    }
    return std::make_unique<Device>(open.wDeviceID);
}

class MciVoices final : public CSoundEffect::Voices {
public:
    int Count() const override { return static_cast<int>(m_Devices.size()); }
    void Start(int voice, float, float) override
    {
        MCIDEVICEID id = m_Devices[static_cast<size_t>(voice)]->Id();
        Send(id, MCI_SEEK, MCI_SEEK_TO_START);
        Send(id, MCI_PLAY, 0);
    }
    void StopAll() override
    {
        for (const auto& device : m_Devices) {
            Send(device->Id(), MCI_STOP, 0);
        }
    }
    int CountPlaying() const override
    {
        int playing = 0;
        for (const auto& device : m_Devices) {
            MCI_STATUS_PARMS status = {};
            status.dwItem = MCI_STATUS_MODE;
            if (Send(device->Id(), MCI_STATUS, MCI_STATUS_ITEM, &status) == 0 && status.dwReturn == MCI_MODE_PLAY) {
                ++playing;
            }
        }
        return playing;
    }
    MCIDEVICEID DeviceId(int voice) const override { return m_Devices[static_cast<size_t>(voice)]->Id(); }

    std::vector<std::unique_ptr<Device>> m_Devices;
};

}  // namespace

std::shared_ptr<CSoundEffect::Voices> MakeMciVoices(const wchar_t* path, int count)
{
    auto voices = std::make_shared<MciVoices>();
    for (int i = 0; i < count; ++i) {
        // The devices opened so far close with `voices`.
        std::unique_ptr<Device> device = path ? OpenDevice(path) : nullptr;
        if (!device) {
            return nullptr;
        }
        voices->m_Devices.push_back(std::move(device));
    }
    return voices;
}

}  // namespace detail
}  // namespace tsumiki
