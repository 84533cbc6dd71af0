// Files that tests write: a fresh folder per test, and generated media.
#pragma once

#include <string>

// A new empty folder under the system's temporary folder, removed with everything in it
// when the object dies.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_Path; }
    std::wstring File(const std::wstring& name) const { return m_Path + L"\\" + name; }

private:
    std::wstring m_Path;
};

// Writes a mono 8 kHz 16-bit PCM wave file of silence lasting the given time.
bool WriteSilentWave(const std::wstring& path, unsigned milliseconds);
// Writes raw bytes to a file; true on success.
bool WriteBytes(const std::wstring& path, const void* data, size_t size);
bool FileExists(const std::wstring& path);
