// The game's music and effects, played through the library's media player. The sounds are
// synthesised as wave files in the temp folder when the game starts and deleted when it
// ends. Where the system has no sound device the game plays on in silence.
#pragma once

#include <tsumiki.h>

#include <string>
#include <vector>

class Sound {
public:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    ~Sound();

    // Writes and opens the sounds; the music then loops for as long as the window lives,
    // since a library window starts a finished play again when it is told of the end.
    void Start(HWND window);
    void Shot();
    void Boom();
    // Stops or restarts the music and silences or allows the effects.
    void SetMuted(bool muted);
    bool IsMuted() const { return m_Muted; }

private:
    void PlayEffect(CMCI& effect, bool& opened);

    HWND m_Window = nullptr;
    bool m_Muted = false;
    bool m_MusicOpen = false;
    bool m_ShotOpen = false;
    bool m_BoomOpen = false;
    // Declared before the players, so the files outlive the devices that read them.
    std::vector<std::wstring> m_Files;
    CMCI m_Music;
    CMCI m_Shot;
    CMCI m_Boom;
};
