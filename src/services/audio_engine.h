// The process's one XAudio2 engine (version 2.9, loaded at run time), shared by the voices
// of every sound effect. It is made at the first effect's Load and let go with the last
// effect that uses it. When the audio device is lost, a new engine is made in the
// background as soon as a device is there again; the generation number tells voices made
// on the old one, which died with it.
#pragma once

#include <windows.h>
#include <xaudio2.h>

#include <memory>
#include <vector>

#include "tsumiki/export.h"

namespace tsumiki {
namespace detail {

class AudioEngine {
public:
    // The engine, shared; null where XAudio2 cannot be made: no xaudio2_9.dll, no default
    // audio endpoint (Wine's XAudio2 then crashes in CreateMasteringVoice instead of
    // failing, so the endpoint is looked for first), or the engine refused. Slow the first
    // time (it starts the engine's thread and the device); may be called on any thread.
    static std::shared_ptr<AudioEngine> Acquire();
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // While a session lives the engine is not replaced, so the voices of its generation
    // stay valid. Cheap (a shared lock): taken by every play.
    class Session {
    public:
        explicit Session(AudioEngine& engine);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

        // Null while the device is lost and no new engine has been made yet.
        IXAudio2* XAudio() const { return m_Engine.m_XAudio; }
        IXAudio2MasteringVoice* Master() const { return m_Engine.m_Master; }
        UINT32 OutputChannels() const { return m_Engine.m_OutputChannels; }
        unsigned Generation() const { return m_Engine.m_Generation; }

    private:
        AudioEngine& m_Engine;
    };

    // A source voice on the session's engine, or null (no engine now, or XAudio2 refused).
    // Only voices made here are valid in later sessions of the same generation.
    IXAudio2SourceVoice* MakeVoice(const Session& session, const WAVEFORMATEX& format);
    // Destroys a voice MakeVoice made in this session's generation.
    void DestroyVoice(const Session& session, IXAudio2SourceVoice* voice);

    // What XAudio2's critical error (a lost device) starts: the engine and all its voices
    // are let go of, and a new engine is made once a default endpoint is there.
    void DeviceLost();

private:
    class Callback;
    AudioEngine();
    // The engine's own thread: it holds COM for the engine, makes it, and makes it again
    // after a loss. False when the first engine could not be made.
    bool Start();
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    bool Build();
    void TearDown();

    SRWLOCK m_Lock = SRWLOCK_INIT;
    IXAudio2* m_XAudio = nullptr;
    IXAudio2MasteringVoice* m_Master = nullptr;
    UINT32 m_OutputChannels = 0;
    unsigned m_Generation = 1;
    std::unique_ptr<Callback> m_Callback;
    // The source voices of the engine of now. Wine's XAudio2 leaves its audio thread
    // running on freed memory when the engine is released with voices left on it, so the
    // engine destroys them itself before a release.
    SRWLOCK m_VoicesLock = SRWLOCK_INIT;
    std::vector<IXAudio2SourceVoice*> m_Voices;
    HANDLE m_Stop = nullptr;
    HANDLE m_Lost = nullptr;
    HANDLE m_Ready = nullptr;
    HANDLE m_Thread = nullptr;
};

// Tells the process's engine, if there is one, that its device was lost, as XAudio2 does
// when the device goes away. Exported for the tests, which have no device to unplug.
TSUMIKI_API void ReportAudioDeviceLost();

}  // namespace detail
}  // namespace tsumiki
