#include "tsumiki/services.h"

#include "text/library_text.h"
#include "text/library_message.h"
#include "services/media_open_failure.h"
#include "window/media_notify.h"

#include <string>

namespace tsumiki {

namespace {

// Every command gets a zero-filled parameter record: some drivers (Wine's wave driver
// among them) refuse a null one with MCIERR_NULL_PARAMETER_BLOCK.
MCIERROR Send(MCIDEVICEID id, UINT command, DWORD_PTR flags)
{
    MCI_GENERIC_PARMS nothing = {};
    return mciSendCommandW(id, command, flags, reinterpret_cast<DWORD_PTR>(&nothing));
}

// The MCI device type for a kind; null for a value outside the enumeration, negative
// values included.
const wchar_t* DeviceType(EMEDIA kind)
{
    static const wchar_t* const types[] = {L"WaveAudio", L"Sequencer", L"MPEGVideo", L"CDAudio",
                                           L"avivideo"};
    auto index = static_cast<unsigned>(kind);
    return index < sizeof(types) / sizeof(types[0]) ? types[index] : nullptr;
}

// The open-failure text. The path is data, never a format, so a "%" in it shows as it is.
// The Japanese text is cut to MAX_PATH - 1 characters, as it always was; the English one
// names the whole path.
std::wstring OpenFailureText(const wchar_t* path)
{
    std::wstring text = detail::LibraryTextNaming(detail::Text::MediaNotOpened, path);
    if (GetLibraryLanguage() == LANGUAGE_JAPANESE && text.size() > MAX_PATH - 1) {
        text.resize(MAX_PATH - 1);
    }
    return text;
}

// Repeats media played with notification to a window object: a device that ended
// normally starts again from the beginning.
void ReplayFromStart(HWND hwnd, WPARAM outcome, LPARAM device)
{
    if (outcome != MCI_NOTIFY_SUCCESSFUL) {
        return;
    }
    auto id = static_cast<MCIDEVICEID>(device);
    // A parameter block is required: some drivers refuse a seek without one.
    MCI_SEEK_PARMS seek = {};
    mciSendCommandW(id, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(hwnd);
    mciSendCommandW(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

// Loaded with the DLL, so window objects keep repeating media a program plays through MCI
// itself; the static library links this file only with CMCI, whose Play installs it.
struct InstallAtLoad {
    InstallAtLoad() { detail::SetMediaNotifyHandler(ReplayFromStart); }
} g_InstallAtLoad;

}  // namespace

// One open device, stopped and closed when the last CMCI holding it lets go.
struct CMCI::Device {
    explicit Device(MCIDEVICEID deviceId) : id(deviceId) {}
    ~Device()
    {
        Send(id, MCI_STOP, 0);
        Send(id, MCI_CLOSE, 0);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const MCIDEVICEID id;
};

CMCI::CMCI() = default;

CMCI::CMCI(const CMCI& other) = default;

CMCI& CMCI::operator=(const CMCI& other) = default;

CMCI::~CMCI() = default;

bool CMCI::Open(const wchar_t* path, EMEDIA kind)
{
    MCI_OPEN_PARMSW open = {};
    open.lpstrDeviceType = DeviceType(kind);
    open.lpstrElementName = path;
    if (mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                        reinterpret_cast<DWORD_PTR>(&open)) != 0) {
        detail::ShowLibraryMessage(OpenFailureText(path).c_str(), nullptr);
        return false;
    }
    // The old device (if this was its last holder) closes only now that the new one is
    // open, so a failed Open keeps it.
    m_Device = std::make_shared<Device>(open.wDeviceID);
    MCI_SET_PARMS format = {};
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandW(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&format));
    return true;
}

void CMCI::Play(bool notify, HWND window)
{
    MCI_PLAY_PARMS play = {};
    if (notify) {
        // The window object plays the device again when it ends: that is the repeat.
        detail::SetMediaNotifyHandler(ReplayFromStart);
        play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    }
    mciSendCommandW(GetDeviceID(), MCI_PLAY, notify ? MCI_NOTIFY : 0, reinterpret_cast<DWORD_PTR>(&play));
}

void CMCI::Stop()
{
    Send(GetDeviceID(), MCI_STOP, 0);
}

void CMCI::Rewind()
{
    MCI_SEEK_PARMS seek = {};
    mciSendCommandW(GetDeviceID(), MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
}

void CMCI::Pause()
{
    Send(GetDeviceID(), MCI_PAUSE, 0);
}

void CMCI::Resume()
{
    Send(GetDeviceID(), MCI_RESUME, 0);
}

void CMCI::Close()
{
    m_Device.reset();
}

MCIDEVICEID CMCI::GetDeviceID() const
{
    return m_Device ? m_Device->id : 0;
}

}  // namespace tsumiki

namespace tsumiki {

void detail::ShowMediaOpenFailure(const wchar_t* path)
{
    ShowLibraryMessage(OpenFailureText(path).c_str(), nullptr);
}

}  // namespace tsumiki
