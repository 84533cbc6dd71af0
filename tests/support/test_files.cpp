#include "support/test_files.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned serial = 0;
    for (;;) {
        m_Path = std::wstring(base) + L"tsumiki-" + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++serial);
        if (CreateDirectoryW(m_Path.c_str(), nullptr)) {
            break;
        }
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(m_Path);
}

bool WriteBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return ok && written == size;
}

bool WriteSilentWave(const std::wstring& path, unsigned milliseconds)
{
    const uint32_t rate = 8000;
    const uint32_t dataSize = rate * milliseconds / 1000 * 2;
    // Written in place: GCC's undefined-behaviour build misreads a growing vector as overflowing.
    std::vector<uint8_t> bytes(44 + dataSize, 0);
    std::size_t at = 0;
    auto put = [&](uint32_t v, int size) { for (int i = 0; i < size; ++i) bytes[at++] = uint8_t(v >> (8 * i)); };
    auto tag = [&](const char* t) { for (int i = 0; i < 4; ++i) bytes[at++] = uint8_t(t[i]); };
    tag("RIFF"); put(36 + dataSize, 4); tag("WAVE");
    tag("fmt "); put(16, 4); put(1, 2); put(1, 2); put(rate, 4); put(rate * 2, 4); put(2, 2); put(16, 2);
    tag("data"); put(dataSize, 4);
    return WriteBytes(path, bytes.data(), bytes.size());
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
