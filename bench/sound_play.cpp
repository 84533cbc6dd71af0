// Sound effect plays: 1,000 plays of a 16-voice effect, one every 2 ms, timing each call of
// Play, and counting the voices sounding at once to show that they overlap. The reference
// is the plain MCI way (one device a voice; status, seek and play each answered before the
// next), 100 plays, in the same run. Ratio: the reference's median / the library's median.
// Targets under Wine: median at most 50 us, worst at most 1 ms.
#include <tsumiki.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

const int kVoices = 16;

// Half a second of a quiet 440 Hz tone, 16-bit mono at 22,050 Hz.
bool WriteTone(const std::wstring& path)
{
    const uint32_t rate = 22050, samples = rate / 2, bytes = samples * 2;
    std::vector<int16_t> tone(samples);
    for (uint32_t i = 0; i < samples; ++i) {
        tone[i] = static_cast<int16_t>((i * 440 * 2 / rate) % 2 ? 2000 : -2000);
    }
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) {
        return false;
    }
    const uint32_t header[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746D66, 16, 0x00010001, rate, rate * 2,
                               0x00100002, 0x61746164, bytes};
    std::fwrite(header, sizeof header, 1, file);
    std::fwrite(tone.data(), 2, samples, file);
    return std::fclose(file) == 0;
}

struct Figures {
    double median, worst;  // microseconds
};

Figures Summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2] * 1e6, times.back() * 1e6};
}

void Wait(double seconds)
{
    for (double end = Seconds() + seconds; Seconds() < end;) {
        Sleep(0);
    }
}

// The plain MCI effect: one device a voice, the first idle one found by asking each.
Figures PlainMci(const std::wstring& path, int plays)
{
    std::vector<MCIDEVICEID> devices;
    for (int i = 0; i < kVoices; ++i) {
        std::wstring alias = L"bench_voice_" + std::to_wstring(i);
        MCI_OPEN_PARMSW open = {};
        open.lpstrDeviceType = L"WaveAudio";
        open.lpstrElementName = path.c_str();
        open.lpstrAlias = alias.c_str();
        if (mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS,
                            reinterpret_cast<DWORD_PTR>(&open)) == 0) {
            devices.push_back(open.wDeviceID);
        }
    }
    std::vector<double> times;
    for (int play = 0; play < plays && !devices.empty(); ++play) {
        double start = Seconds();
        MCIDEVICEID chosen = devices[static_cast<size_t>(play) % devices.size()];
        for (MCIDEVICEID device : devices) {
            MCI_STATUS_PARMS status = {};
            status.dwItem = MCI_STATUS_MODE;
            mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
            if (status.dwReturn != MCI_MODE_PLAY) {
                chosen = device;
                break;
            }
        }
        MCI_GENERIC_PARMS nothing = {};
        mciSendCommandW(chosen, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&nothing));
        mciSendCommandW(chosen, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&nothing));
        times.push_back(Seconds() - start);
        Wait(0.002);
    }
    for (MCIDEVICEID device : devices) {
        MCI_GENERIC_PARMS nothing = {};
        mciSendCommandW(device, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&nothing));
    }
    return times.empty() ? Figures{0, 0} : Summarise(times);
}

}  // namespace

int main()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tsumiki_bench_tone.wav";
    if (!WriteTone(path)) {
        std::printf("sound play: the wave file could not be written\n");
        return 1;
    }
    CSoundEffect effect;
    if (!effect.Load(path.c_str(), kVoices)) {
        std::printf("sound play: the effect did not load\n");
        return 1;
    }
    const bool xaudio = effect.GetDeviceID(0) == 0;
    std::vector<double> times;
    int mostAtOnce = 0;
    for (int play = 0; play < 1000; ++play) {
        double start = Seconds();
        effect.Play(0.5f, (play % 9 - 4) / 4.0f);
        times.push_back(Seconds() - start);
        if (play % 50 == 49) {
            mostAtOnce = std::max(mostAtOnce, effect.GetPlayingCount());
        }
        Wait(0.002);
    }
    Figures library = Summarise(times);
    effect.Stop();
    Figures plain = PlainMci(path, 100);
    DeleteFileW(path.c_str());
    std::printf("sound play, 1000 plays of a %d-voice effect (%s voices): median %.1f us, worst %.1f us; "
                "most voices sounding at once %d of %d\n",
                kVoices, xaudio ? "XAudio2" : "MCI", library.median, library.worst, mostAtOnce, kVoices);
    std::printf("  plain MCI, 100 plays: median %.1f us, worst %.1f us\n", plain.median, plain.worst);
    PrintRatio("sound play (median us)", library.median, plain.median, "us",
               library.median > 0 ? plain.median / library.median : 0, "median <= 50 us, worst <= 1000 us");
    return 0;
}
