#include "tsumiki/program_folder.h"

#include <windows.h>

#include <algorithm>

namespace tsumiki {

namespace {

// The longest path the system has: 32,767 characters.
constexpr DWORD kLongestPath = 32768;

bool IsWhole(const std::wstring& path)
{
    const bool drive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    const bool share = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
    return drive || share;
}

}  // namespace

std::wstring GetProgramFolder()
{
    // GetModuleFileNameW cuts a path that does not fit without saying how long it is: the
    // buffer grows until the answer is shorter than it.
    std::wstring path;
    for (DWORD size = MAX_PATH;; size = std::min(size * 2, kLongestPath)) {
        path.resize(size);
        DWORD length = GetModuleFileNameW(nullptr, &path[0], size);
        if (length == 0) {
            return std::wstring();
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        if (size == kLongestPath) {
            return std::wstring();
        }
    }
    size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        return std::wstring();
    }
    // A drive's root keeps its backslash: "C:" alone would mean that drive's current folder.
    path.resize(slash > 0 && path[slash - 1] == L':' ? slash + 1 : slash);
    return path;
}

std::wstring ProgramPath(const wchar_t* relative)
{
    std::wstring tail = relative ? relative : L"";
    std::replace(tail.begin(), tail.end(), L'/', L'\\');
    if (IsWhole(tail)) {
        return tail;
    }
    std::wstring path = GetProgramFolder();
    if (path.empty()) {
        return path;
    }
    size_t start = tail.find_first_not_of(L'\\');
    if (start == std::wstring::npos) {
        return path;
    }
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path + tail.substr(start);
}

}  // namespace tsumiki
