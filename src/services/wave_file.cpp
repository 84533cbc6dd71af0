#include "services/wave_file.h"

#include <cstring>

namespace tsumiki {
namespace detail {

namespace {

// Larger files are left to MCI, which streams them; an effect is a short sound.
constexpr size_t kLargestFile = 256u << 20;
constexpr WORD kExtensible = 0xFFFE;

DWORD Read32(const BYTE* at)
{
    return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 | static_cast<DWORD>(at[2]) << 16 |
           static_cast<DWORD>(at[3]) << 24;
}

WORD Read16(const BYTE* at)
{
    return static_cast<WORD>(at[0] | at[1] << 8);
}

// The tag of a "fmt " chunk; an extensible format's is the first two bytes of its sub-format.
WORD FormatTag(const BYTE* fmt, DWORD size)
{
    WORD tag = Read16(fmt);
    if (tag == kExtensible && size >= 40) {
        tag = Read16(fmt + 24);
    }
    return tag;
}

}  // namespace

WaveRead ParseWave(const BYTE* bytes, size_t size, WaveSound& sound)
{
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return WaveRead::Damaged;
    }
    // Every size is checked against what is really there before it is used.
    const size_t end = 8 + static_cast<size_t>(Read32(bytes + 4));
    if (end > size || end < 12) {
        return WaveRead::Damaged;
    }
    const BYTE* fmt = nullptr;
    DWORD fmtSize = 0;
    const BYTE* data = nullptr;
    DWORD dataSize = 0;
    for (size_t at = 12; at + 8 <= end;) {
        const DWORD chunkSize = Read32(bytes + at + 4);
        if (chunkSize > end - at - 8) {
            return WaveRead::Damaged;
        }
        if (std::memcmp(bytes + at, "fmt ", 4) == 0 && !fmt) {
            fmt = bytes + at + 8;
            fmtSize = chunkSize;
        } else if (std::memcmp(bytes + at, "data", 4) == 0 && !data) {
            data = bytes + at + 8;
            dataSize = chunkSize;
        }
        // Chunks start on even offsets.
        at += 8 + static_cast<size_t>(chunkSize) + (chunkSize & 1);
    }
    if (!fmt || fmtSize < 16 || !data) {
        return WaveRead::Damaged;
    }
    const WORD channels = Read16(fmt + 2);
    const DWORD rate = Read32(fmt + 4);
    const WORD blockAlign = Read16(fmt + 12);
    const WORD bits = Read16(fmt + 14);
    if (channels == 0 || rate == 0 || blockAlign == 0) {
        return WaveRead::Damaged;
    }
    if (FormatTag(fmt, fmtSize) != WAVE_FORMAT_PCM || (bits != 8 && bits != 16) || channels > 2 ||
        rate < 1000 || rate > 200000) {
        return WaveRead::Unsupported;
    }
    if (blockAlign != channels * bits / 8 || dataSize < blockAlign) {
        return WaveRead::Damaged;
    }
    sound.format = WAVEFORMATEX();
    sound.format.wFormatTag = WAVE_FORMAT_PCM;
    sound.format.nChannels = channels;
    sound.format.nSamplesPerSec = rate;
    sound.format.nBlockAlign = blockAlign;
    sound.format.nAvgBytesPerSec = rate * blockAlign;
    sound.format.wBitsPerSample = bits;
    sound.samples.assign(data, data + dataSize / blockAlign * blockAlign);
    return WaveRead::Pcm;
}

WaveRead ReadWaveFile(const wchar_t* path, WaveSound& sound)
{
    if (!path) {
        return WaveRead::Damaged;
    }
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return WaveRead::Damaged;
    }
    LARGE_INTEGER length = {};
    WaveRead result = WaveRead::Damaged;
    if (GetFileSizeEx(file, &length) && static_cast<ULONGLONG>(length.QuadPart) > kLargestFile) {
        result = WaveRead::Unsupported;
    } else if (length.QuadPart > 0) {
        std::vector<BYTE> bytes(static_cast<size_t>(length.QuadPart));
        DWORD got = 0;
        if (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
            result = ParseWave(bytes.data(), got, sound);
        }
    }
    CloseHandle(file);
    return result;
}

}  // namespace detail
}  // namespace tsumiki
