#include "services/audio_engine.h"

#include <mmdeviceapi.h>

#include <algorithm>
#include <initializer_list>
#include <mutex>

namespace tsumiki {
namespace detail {

namespace {

using CreateFunction = HRESULT(WINAPI*)(IXAudio2**, UINT32, XAUDIO2_PROCESSOR);

// XAudio2Create of xaudio2_9.dll, null where there is none. The module stays loaded for
// the life of the process: engines come and go, and a module freed under a dying engine's
// thread would take its code away.
CreateFunction LoadXAudio()
{
    static const CreateFunction create = [] {
        HMODULE module = LoadLibraryExW(L"xaudio2_9.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
            // A system without the safe search flags.
            module = LoadLibraryW(L"xaudio2_9.dll");
        }
        FARPROC function = module ? GetProcAddress(module, "XAudio2Create") : nullptr;
        return reinterpret_cast<CreateFunction>(reinterpret_cast<void (*)()>(function));
    }();
    return create;
}

// Whether the system has a default device to play to. Needs COM on the calling thread.
bool HasDefaultEndpoint()
{
    IMMDeviceEnumerator* devices = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&devices)))) {
        return false;
    }
    IMMDevice* device = nullptr;
    bool found = SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &device)) && device;
    if (device) {
        device->Release();
    }
    devices->Release();
    return found;
}

// How long the engine's thread waits between looks for a device after a loss.
constexpr DWORD kRetryMilliseconds = 1000;

std::mutex s_EngineMutex;
std::weak_ptr<AudioEngine> s_Engine;

}  // namespace

class AudioEngine::Callback final : public IXAudio2EngineCallback {
public:
    explicit Callback(AudioEngine& engine) : m_Engine(engine) {}
    void STDMETHODCALLTYPE OnProcessingPassStart() override {}
    void STDMETHODCALLTYPE OnProcessingPassEnd() override {}
    // Runs on XAudio2's thread, where the engine may not be released: its own thread does that.
    void STDMETHODCALLTYPE OnCriticalError(HRESULT) override { m_Engine.DeviceLost(); }

private:
    AudioEngine& m_Engine;
};

AudioEngine::Session::Session(AudioEngine& engine) : m_Engine(engine)
{
    AcquireSRWLockShared(&m_Engine.m_Lock);
}

AudioEngine::Session::~Session()
{
    ReleaseSRWLockShared(&m_Engine.m_Lock);
}

std::shared_ptr<AudioEngine> AudioEngine::Acquire()
{
    if (!LoadXAudio()) {
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(s_EngineMutex);
    if (std::shared_ptr<AudioEngine> engine = s_Engine.lock()) {
        return engine;
    }
    std::shared_ptr<AudioEngine> engine(new AudioEngine());
    if (!engine->Start()) {
        return nullptr;
    }
    s_Engine = engine;
    return engine;
}

AudioEngine::AudioEngine()
    : m_Callback(std::make_unique<Callback>(*this)),
      m_Stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_Lost(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      m_Ready(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

AudioEngine::~AudioEngine()
{
    if (m_Thread) {
        SetEvent(m_Stop);
        WaitForSingleObject(m_Thread, INFINITE);
        CloseHandle(m_Thread);
    }
    for (HANDLE event : {m_Ready, m_Lost, m_Stop}) {
        if (event) {
            CloseHandle(event);
        }
    }
}

bool AudioEngine::Start()
{
    if (!m_Stop || !m_Lost || !m_Ready) {
        return false;
    }
    m_Thread = CreateThread(nullptr, 0, &AudioEngine::ThreadMain, this, 0, nullptr);
    if (!m_Thread) {
        return false;
    }
    // The thread tells when its first engine is made or refused; a refusal ends it.
    const HANDLE either[] = {m_Ready, m_Thread};
    WaitForMultipleObjects(2, either, FALSE, INFINITE);
    AcquireSRWLockShared(&m_Lock);
    bool made = m_XAudio != nullptr;
    ReleaseSRWLockShared(&m_Lock);
    return made;
}

DWORD WINAPI AudioEngine::ThreadMain(void* self)
{
    static_cast<AudioEngine*>(self)->Run();
    return 0;
}

void AudioEngine::Run()
{
    // COM for the endpoint check and for the engine's device, in an apartment of this
    // thread's own: the program's threads keep whatever COM they chose.
    bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    bool built = Build();
    SetEvent(m_Ready);
    if (built) {
        const HANDLE events[] = {m_Stop, m_Lost};
        DWORD wait = INFINITE;
        for (;;) {
            DWORD woken = WaitForMultipleObjects(2, events, FALSE, wait);
            if (woken == WAIT_OBJECT_0) {
                break;
            }
            if (woken == WAIT_OBJECT_0 + 1) {
                // A device just lost rarely comes back at once; the next look is a while away.
                TearDown();
                wait = kRetryMilliseconds;
            } else if (!m_XAudio) {
                wait = Build() ? INFINITE : kRetryMilliseconds;
            }
        }
        TearDown();
    }
    if (com) {
        CoUninitialize();
    }
}

bool AudioEngine::Build()
{
    CreateFunction create = LoadXAudio();
    IXAudio2* xaudio = nullptr;
    if (!create || !HasDefaultEndpoint() || FAILED(create(&xaudio, 0, XAUDIO2_DEFAULT_PROCESSOR)) || !xaudio) {
        return false;
    }
    IXAudio2MasteringVoice* master = nullptr;
    if (FAILED(xaudio->RegisterForCallbacks(m_Callback.get())) || FAILED(xaudio->CreateMasteringVoice(&master))) {
        xaudio->Release();
        return false;
    }
    XAUDIO2_VOICE_DETAILS details = {};
    master->GetVoiceDetails(&details);
    AcquireSRWLockExclusive(&m_Lock);
    m_XAudio = xaudio;
    m_Master = master;
    m_OutputChannels = details.InputChannels;
    ++m_Generation;
    ReleaseSRWLockExclusive(&m_Lock);
    return true;
}

void AudioEngine::TearDown()
{
    AcquireSRWLockExclusive(&m_Lock);
    IXAudio2* xaudio = m_XAudio;
    IXAudio2MasteringVoice* master = m_Master;
    m_XAudio = nullptr;
    m_Master = nullptr;
    m_OutputChannels = 0;
    ++m_Generation;
    ReleaseSRWLockExclusive(&m_Lock);
    AcquireSRWLockExclusive(&m_VoicesLock);
    std::vector<IXAudio2SourceVoice*> voices;
    voices.swap(m_Voices);
    ReleaseSRWLockExclusive(&m_VoicesLock);
    for (IXAudio2SourceVoice* voice : voices) {
        voice->DestroyVoice();
    }
    if (master) {
        master->DestroyVoice();
    }
    // No session can reach the old voices now (their generation is past).
    if (xaudio) {
        xaudio->UnregisterForCallbacks(m_Callback.get());
        xaudio->Release();
    }
}

IXAudio2SourceVoice* AudioEngine::MakeVoice(const Session& session, const WAVEFORMATEX& format)
{
    IXAudio2SourceVoice* voice = nullptr;
    if (!session.XAudio() || FAILED(session.XAudio()->CreateSourceVoice(&voice, &format, 0, 1.0f)) || !voice) {
        return nullptr;
    }
    AcquireSRWLockExclusive(&m_VoicesLock);
    m_Voices.push_back(voice);
    ReleaseSRWLockExclusive(&m_VoicesLock);
    return voice;
}

void AudioEngine::DestroyVoice(const Session&, IXAudio2SourceVoice* voice)
{
    AcquireSRWLockExclusive(&m_VoicesLock);
    m_Voices.erase(std::remove(m_Voices.begin(), m_Voices.end(), voice), m_Voices.end());
    ReleaseSRWLockExclusive(&m_VoicesLock);
    voice->DestroyVoice();
}

void AudioEngine::DeviceLost()
{
    SetEvent(m_Lost);
}

void ReportAudioDeviceLost()
{
    std::shared_ptr<AudioEngine> engine;
    {
        std::lock_guard<std::mutex> hold(s_EngineMutex);
        engine = s_Engine.lock();
    }
    if (engine) {
        engine->DeviceLost();
    }
}

}  // namespace detail
}  // namespace tsumiki
