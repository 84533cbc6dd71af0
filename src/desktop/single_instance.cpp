// One instance of a program per user session: the first claims a name, later ones find it.
#include "tsumiki/desktop.h"

#include <map>
#include <mutex>
#include <string>

namespace tsumiki {

namespace {

// How long a later instance waits for the first one's window to appear or answer.
constexpr DWORD kPatienceMilliseconds = 5000;
constexpr DWORD kRetryMilliseconds = 50;

// The session's object for the name: "Local\" keeps it to the user's session; a backslash
// is the one character a kernel object's name may not hold.
std::wstring ObjectName(const wchar_t* name, const wchar_t* part)
{
    std::wstring object = std::wstring(L"Local\\tsumiki.instance.") + part + L".";
    for (const wchar_t* c = name; *c; ++c) {
        object += *c == L'\\' ? L'/' : *c;
    }
    return object;
}

// Names this process claimed. Their mutex and the record of the process id are held
// open for the life of the process, which they mark (the system closes them at its end).
struct Claim {
    HANDLE mutex;
    HANDLE record;
};
std::mutex g_ClaimsLock;
std::map<std::wstring, Claim> g_Claims;

// Records the calling process's id under the name, for ActivateFirstInstance; the
// record, null when it could not be made.
HANDLE PublishProcessId(const wchar_t* name)
{
    HANDLE record = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(DWORD), ObjectName(name, L"process").c_str());
    auto* id = record ? static_cast<DWORD*>(MapViewOfFile(record, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)))
                      : nullptr;
    if (id) {
        *id = GetCurrentProcessId();
        UnmapViewOfFile(id);
    }
    return record;
}

// The process id the first instance recorded; 0 when there is none yet.
DWORD FirstProcessId(const wchar_t* name)
{
    HANDLE record = OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectName(name, L"process").c_str());
    if (!record) {
        return 0;
    }
    DWORD process = 0;
    if (auto* id = static_cast<const DWORD*>(MapViewOfFile(record, FILE_MAP_READ, 0, 0, sizeof(DWORD)))) {
        process = *id;
        UnmapViewOfFile(id);
    }
    CloseHandle(record);
    return process;
}

struct MainWindowSearch {
    DWORD process;
    HWND visible;
    HWND hidden;
};

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM search)
{
    auto* found = reinterpret_cast<MainWindowSearch*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != found->process || GetWindow(window, GW_OWNER)) {
        return TRUE;
    }
    if (IsWindowVisible(window)) {
        // Windows come front to back: the first visible one is the frontmost.
        found->visible = window;
        return FALSE;
    }
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (!found->hidden && std::wstring(className) == L"BASIC_WINDOW") {
        found->hidden = window;
    }
    return TRUE;
}

HWND FindMainWindow(DWORD process)
{
    MainWindowSearch search = {process, nullptr, nullptr};
    EnumWindows(&ConsiderWindow, reinterpret_cast<LPARAM>(&search));
    return search.visible ? search.visible : search.hidden;
}

}  // namespace

bool IsFirstInstance(const wchar_t* name)
{
    if (!name || !*name) {
        return true;
    }
    std::wstring mutexName = ObjectName(name, L"mutex");
    std::lock_guard<std::mutex> lock(g_ClaimsLock);
    if (g_Claims.count(mutexName)) {
        return true;
    }
    HANDLE claim = CreateMutexW(nullptr, FALSE, mutexName.c_str());
    if (!claim) {
        // Refused access: the name exists, made by a process of other rights (elevated).
        return GetLastError() != ERROR_ACCESS_DENIED;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(claim);
        return false;
    }
    g_Claims[mutexName] = Claim{claim, PublishProcessId(name)};
    return true;
}

bool ActivateFirstInstance(const wchar_t* name, const wchar_t* commandLine)
{
    if (!name || !*name) {
        return false;
    }
    std::wstring text = commandLine ? commandLine : L"";
    COPYDATASTRUCT data = {};
    data.dwData = kCommandLineCopyData;
    data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    data.lpData = &text[0];
    // The first instance may be starting still: its record or its window may come later.
    DWORD start = GetTickCount();
    for (;;) {
        DWORD process = FirstProcessId(name);
        HWND window = process ? FindMainWindow(process) : nullptr;
        if (window) {
            // Lets the first instance bring itself forward too, from its OnCopyData.
            AllowSetForegroundWindow(process);
            if (IsIconic(window)) {
                ShowWindowAsync(window, SW_RESTORE);
            }
            SetForegroundWindow(window);
            DWORD_PTR answer = 0;
            return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                       SMTO_ABORTIFHUNG, kPatienceMilliseconds, &answer) != 0;
        }
        if (GetTickCount() - start >= kPatienceMilliseconds) {
            return false;
        }
        Sleep(kRetryMilliseconds);
    }
}

}  // namespace tsumiki
