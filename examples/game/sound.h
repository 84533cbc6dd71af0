// The game's music and effects: the music through the library's media player, the effects
// as sound effects with several voices, so that shots and bursts overlap; a play never
// holds up the frame. The sounds are
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
    // A shot, heard from pan -1 (left) to 1 (right).
    void Shot(float pan);
    void Boom();
    // Stops or restarts the music and silences or allows the effects.
    void SetMuted(bool muted);
    bool IsMuted() const { return m_Muted; }

private:
    void PlayEffect(CSoundEffect& effect, float volume, float pan);

    HWND m_Window = nullptr;
    bool m_Muted = false;
    bool m_MusicOpen = false;
    // Declared before the players, so the files outlive the devices that read them.
    std::vector<std::wstring> m_Files;
    CMCI m_Music;
    CSoundEffect m_Shot;
    CSoundEffect m_Boom;
};
