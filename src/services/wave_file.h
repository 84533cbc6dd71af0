// A wave file read whole into memory, for the sound effects' XAudio2 voices.
#pragma once

#include <windows.h>
#include <mmreg.h>

#include <vector>

namespace tsumiki {
namespace detail {

// What reading a wave file gave.
enum class WaveRead {
    Pcm,         // 8- or 16-bit PCM, mono or stereo: format and samples are filled in
    Unsupported,  // a sound this reader does not keep (another codec, too long): MCI may play it
    Damaged,      // missing, unreadable, cut short, or a header whose sizes do not add up
};

struct WaveSound {
    WAVEFORMATEX format = {};
    // Whole sample frames only: a partial frame at the end is dropped.
    std::vector<BYTE> samples;
};

// Reads the RIFF WAVE file at path into sound.
WaveRead ReadWaveFile(const wchar_t* path, WaveSound& sound);
// The same for a file's bytes already in memory.
WaveRead ParseWave(const BYTE* bytes, size_t size, WaveSound& sound);

}  // namespace detail
}  // namespace tsumiki
