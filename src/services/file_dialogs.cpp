#include "tsumiki/services.h"

#include <commdlg.h>

#include "text/library_text.h"

#include <cwchar>
#include <vector>

namespace tsumiki {

namespace {

// What one file function keeps between its calls: the path chosen last pre-fills the
// name box of the next dialog.
struct FileBuffers {
    wchar_t path[MAX_PATH];
    wchar_t name[MAX_PATH];
};

FileBuffers g_OpenBuffers = {};
FileBuffers g_SaveBuffers = {};

// Keeps the process's current directory across a dialog that may browse elsewhere. The
// directory may be longer than MAX_PATH, so the buffer is as large as the platform asks;
// when it cannot be read there is nothing to restore, and nothing is.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper()
    {
        DWORD needed = GetCurrentDirectoryW(0, nullptr);
        while (needed > 0) {
            m_Saved.assign(needed, L'\0');
            DWORD written = GetCurrentDirectoryW(needed, m_Saved.data());
            if (written == 0) {
                m_Saved.clear();
                break;
            }
            if (written < needed) {
                break;
            }
            // It changed in between and grew: ask again with the new size.
            needed = written;
        }
    }
    ~CurrentDirectoryKeeper()
    {
        if (!m_Saved.empty()) {
            SetCurrentDirectoryW(m_Saved.data());
        }
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    std::vector<wchar_t> m_Saved;
};

// True when the user chose a file; its path is then in result (when there is one).
bool RunFileDialog(BOOL (WINAPI *dialog)(OPENFILENAMEW*), FileBuffers& buffers, wchar_t* result,
                   const wchar_t* filter, const wchar_t* defaultExtension, HWND owner,
                   const wchar_t* title, DWORD flags)
{
    OPENFILENAMEW record = {};
    // The record's size on this target: the 32-bit size is refused on 64-bit.
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.lpstrFilter = filter;
    record.lpstrFile = buffers.path;
    record.nMaxFile = MAX_PATH;
    record.lpstrFileTitle = buffers.name;
    record.nMaxFileTitle = MAX_PATH;
    record.lpstrTitle = title;
    record.Flags = flags;
    record.lpstrDefExt = defaultExtension;
    BOOL chosen;
    {
        CurrentDirectoryKeeper keeper;
        chosen = dialog(&record);
    }
    if (chosen && result) {
        std::wcscpy(result, buffers.path);
    }
    return chosen != FALSE;
}

constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT;

const wchar_t* OrDefault(const wchar_t* text, detail::Text fallback)
{
    return text ? text : detail::LibraryText(fallback);
}

}  // namespace

void OpenFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner)
{
    RunFileDialog(GetOpenFileNameW, g_OpenBuffers, result, OrDefault(filter, detail::Text::AllFilesFilter),
                  defaultExtension, owner, detail::LibraryText(detail::Text::OpenDialogTitle), kOpenFlags);
}

void SaveFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner)
{
    RunFileDialog(GetSaveFileNameW, g_SaveBuffers, result, filter, defaultExtension, owner,
                  detail::LibraryText(detail::Text::SaveDialogTitle), kSaveFlags);
}

bool OpenFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner, const wchar_t* title)
{
    // With nowhere to put the path, a choice could only be lost: no dialog is shown.
    return result && RunFileDialog(GetOpenFileNameW, g_OpenBuffers, result,
                                   OrDefault(filter, detail::Text::AllFilesFilter), defaultExtension,
                                   owner, OrDefault(title, detail::Text::OpenDialogTitle), kOpenFlags);
}

bool SaveFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner, const wchar_t* title)
{
    return result && RunFileDialog(GetSaveFileNameW, g_SaveBuffers, result,
                                   OrDefault(filter, detail::Text::AllFilesFilter), defaultExtension,
                                   owner, OrDefault(title, detail::Text::SaveDialogTitle), kSaveFlags);
}

bool SaveFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner, const wchar_t* title, const wchar_t* suggestedName)
{
    if (!suggestedName) {
        return SaveFileNameDialog(result, filter, defaultExtension, owner, title);
    }
    if (!result || wcsnlen(suggestedName, MAX_PATH) >= MAX_PATH) {
        return false;
    }
    // The suggestion fills buffers of this call's own: a cancel must not make it the path
    // the next dialog starts from.
    FileBuffers buffers = {};
    std::wcscpy(buffers.path, suggestedName);
    const bool chosen = RunFileDialog(GetSaveFileNameW, buffers, result,
                                      OrDefault(filter, detail::Text::AllFilesFilter), defaultExtension,
                                      owner, OrDefault(title, detail::Text::SaveDialogTitle), kSaveFlags);
    if (chosen) {
        g_SaveBuffers = buffers;
    }
    return chosen;
}

}  // namespace tsumiki
