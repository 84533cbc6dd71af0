#include "tsumiki/services.h"

#include <commdlg.h>

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

const wchar_t kAllFiles[] = L"All files(*.*)\0*.*\0";

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

void RunFileDialog(BOOL (WINAPI *dialog)(OPENFILENAMEW*), FileBuffers& buffers, wchar_t* result,
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
}

}  // namespace

void OpenFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner)
{
    RunFileDialog(GetOpenFileNameW, g_OpenBuffers, result, filter ? filter : kAllFiles, defaultExtension,
                  owner, L"ファイルを開く", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
}

void SaveFileNameDialog(wchar_t* result, const wchar_t* filter, const wchar_t* defaultExtension,
                        HWND owner)
{
    RunFileDialog(GetSaveFileNameW, g_SaveBuffers, result, filter, defaultExtension, owner,
                  L"名前を付けて保存", OFN_OVERWRITEPROMPT);
}

}  // namespace tsumiki
