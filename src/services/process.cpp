#include "tsumiki/services.h"

#include <vector>

namespace tsumiki {

// One launch: the process handle is owned here and closed when the last CProcess sharing
// the launch dies. The thread handle is closed right after the launch, as nothing uses it.
struct CProcess::Launch {
    Launch() = default;
    ~Launch()
    {
        if (info.hProcess) {
            CloseHandle(info.hProcess);
        }
    }
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    PROCESS_INFORMATION info = {};
    STARTUPINFOW startup = {};
};

namespace {

BOOL CALLBACK KeepFirstUnownedWindow(HWND window, LPARAM found)
{
    // GetParent gives the owner of a pop-up too, so null means neither child nor owned.
    if (GetParent(window)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

CProcess::CProcess() = default;

CProcess::CProcess(const CProcess& other) = default;

CProcess& CProcess::operator=(const CProcess& other) = default;

CProcess::~CProcess() = default;

bool CProcess::Create(const wchar_t* application, const wchar_t* commandLine, bool hide)
{
    // With neither there is no program to start; the platform may crash looking for one.
    if (!application && !commandLine) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    auto launch = std::make_shared<Launch>();
    // The child inherits this process's desktop and title, but only the show state of
    // its flags; the run-time's private handle table is not passed on, since no handle is.
    GetStartupInfoW(&launch->startup);
    launch->startup.cb = sizeof(launch->startup);
    launch->startup.dwFlags = STARTF_USESHOWWINDOW;
    launch->startup.wShowWindow = static_cast<WORD>(hide ? SW_HIDE : SW_SHOWDEFAULT);
    launch->startup.cbReserved2 = 0;
    launch->startup.lpReserved2 = nullptr;

    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line;
    if (commandLine) {
        line.assign(commandLine, commandLine + wcslen(commandLine) + 1);
    }
    if (!CreateProcessW(application, line.empty() ? nullptr : line.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &launch->startup, &launch->info)) {
        return false;
    }
    CloseHandle(launch->info.hThread);
    launch->info.hThread = nullptr;
    m_Launch = launch;
    return true;
}

unsigned long CProcess::WaitForEnd(unsigned long milliseconds)
{
    return WaitForSingleObject(m_Launch ? m_Launch->info.hProcess : nullptr, milliseconds);
}

unsigned long CProcess::WaitForInit(unsigned long milliseconds)
{
    return WaitForInputIdle(m_Launch ? m_Launch->info.hProcess : nullptr, milliseconds);
}

HWND CProcess::GetProcessRootWnd()
{
    HWND found = nullptr;
    if (m_Launch) {
        EnumThreadWindows(m_Launch->info.dwThreadId, KeepFirstUnownedWindow,
                          reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

DWORD CProcess::GetProcessID() const
{
    return m_Launch ? m_Launch->info.dwProcessId : 0;
}

}  // namespace tsumiki
