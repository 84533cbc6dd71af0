#include "sound.h"

#include "temp_file.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979;

// A 16-bit mono PCM wave file.
bool WriteWave(const std::wstring& path, const std::vector<int16_t>& samples)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) {
        return false;
    }
    auto put32 = [file](uint32_t v) { std::fwrite(&v, 4, 1, file); };
    auto put16 = [file](uint16_t v) { std::fwrite(&v, 2, 1, file); };
    uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, file);
    put32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, file);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    std::fwrite("data", 1, 4, file);
    put32(bytes);
    std::fwrite(samples.data(), 2, samples.size(), file);
    return std::fclose(file) == 0;
}

int16_t Clip(double value)
{
    return static_cast<int16_t>(std::fmax(-1.0, std::fmin(1.0, value)) * 32000);
}

// Four bars of a minor arpeggio over a soft bass, about four seconds.
std::vector<int16_t> Music()
{
    const double notes[] = {220.0, 261.6, 329.6, 392.0, 329.6, 261.6, 196.0, 246.9,
                            293.7, 349.2, 293.7, 246.9, 174.6, 220.0, 261.6, 329.6};
    const double bass[] = {110.0, 98.0, 87.3, 82.4};
    const int noteLength = kRate / 4;
    std::vector<int16_t> samples;
    for (int n = 0; n < 16; ++n) {
        for (int i = 0; i < noteLength; ++i) {
            double t = static_cast<double>(i) / kRate;
            double envelope = std::exp(-6.0 * t);
            double tone = 0.35 * envelope * (std::sin(2 * kPi * notes[n] * t) > 0 ? 1.0 : -1.0);
            double low = 0.25 * std::sin(2 * kPi * bass[n / 4] * (n % 4 * noteLength + i) / kRate);
            samples.push_back(Clip(0.5 * (tone + low)));
        }
    }
    return samples;
}

std::vector<int16_t> ShotSound()
{
    std::vector<int16_t> samples;
    double phase = 0;
    for (int i = 0; i < kRate / 12; ++i) {
        double t = static_cast<double>(i) / kRate;
        phase += 2 * kPi * (1400.0 - 9000.0 * t) / kRate;
        samples.push_back(Clip(0.3 * std::exp(-30.0 * t) * std::sin(phase)));
    }
    return samples;
}

std::vector<int16_t> BoomSound()
{
    std::vector<int16_t> samples;
    uint32_t seed = 1;
    double low = 0;
    for (int i = 0; i < kRate * 3 / 10; ++i) {
        double t = static_cast<double>(i) / kRate;
        seed = seed * 1664525u + 1013904223u;
        double noise = static_cast<double>(seed >> 8) / (1 << 24) * 2 - 1;
        low += 0.15 * (noise - low);  // a low-pass, for a rumble rather than a hiss
        samples.push_back(Clip(1.6 * std::exp(-9.0 * t) * low));
    }
    return samples;
}

}  // namespace

Sound::~Sound()
{
    m_Music.Close();
    m_Shot = CSoundEffect();
    m_Boom = CSoundEffect();
    for (const std::wstring& file : m_Files) {
        DeleteFileW(file.c_str());
    }
}

void Sound::Start(HWND window)
{
    m_Window = window;
    // Voices: as many shots, and bursts, as can sound at once.
    struct Effect {
        const wchar_t* name;
        std::vector<int16_t> samples;
        CSoundEffect& effect;
        int voices;
    };
    Effect effects[] = {{L"shot.wav", ShotSound(), m_Shot, 6}, {L"boom.wav", BoomSound(), m_Boom, 4}};
    for (Effect& made : effects) {
        std::wstring path = TempFile(made.name);
        if (WriteWave(path, made.samples)) {
            m_Files.push_back(path);
            made.effect.Load(path.c_str(), made.voices);
        }
    }
    std::wstring music = TempFile(L"music.wav");
    if (WriteWave(music, Music())) {
        m_Files.push_back(music);
        m_MusicOpen = m_Music.Open(music.c_str(), MEDIA_WAVE);
    }
    if (m_MusicOpen && !m_Muted) {
        m_Music.Play(true, m_Window);
    }
}

void Sound::Shot(float pan)
{
    PlayEffect(m_Shot, 0.7f, pan);
}

void Sound::Boom()
{
    PlayEffect(m_Boom, 1.0f, 0.0f);
}

void Sound::PlayEffect(CSoundEffect& effect, float volume, float pan)
{
    // An effect whose file did not load holds no voice and plays nothing.
    if (!m_Muted) {
        effect.Play(volume, pan);
    }
}

void Sound::SetMuted(bool muted)
{
    if (muted == m_Muted) {
        return;
    }
    m_Muted = muted;
    if (!m_MusicOpen) {
        return;
    }
    if (muted) {
        m_Music.Stop();
    } else {
        m_Music.Rewind();
        m_Music.Play(true, m_Window);
    }
}
