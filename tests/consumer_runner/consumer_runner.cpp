// Runs the README's program (built by tools/test as a consumer builds it, with only what the
// README shows) and checks what a user would see: its window comes up, paints its dark
// background, animates its text, closes on request and the program ends with 0.
// Usage: consumer_runner <path of hello.exe>
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[16] = {};
    GetWindowTextW(window, title, 16);
    if (owner == search->process && IsWindowVisible(window) && lstrcmpW(title, L"hello") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The client-area pixels of a strip of the window, read from the screen as the user sees them.
std::vector<COLORREF> Strip(HWND window, int top, int height, int width)
{
    std::vector<COLORREF> pixels;
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    for (int y = top; y < top + height; y += 2) {
        for (int x = 0; x < width; x += 2) {
            pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
        }
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool WaitFor(bool (*condition)(void*), void* argument, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (!condition(argument)) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

int Fail(const char* what, HANDLE process)
{
    std::printf("consumer: %s\n", what);
    TerminateProcess(process, 2);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::printf("usage: consumer_runner <program>\n");
        return 1;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> commandLine(argv[1], argv[1] + lstrlenW(argv[1]) + 1);
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::printf("consumer: the program does not start (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(info.hThread);

    Search search = {info.dwProcessId, nullptr};
    auto windowShown = [](void* s) {
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(s));
        return static_cast<Search*>(s)->found != nullptr;
    };
    if (!WaitFor(windowShown, &search, 20000)) {
        return Fail("no window titled hello", info.hProcess);
    }
    HWND window = search.found;

    // The background its OnPaint clears to: 0xFF202830 as ARGB.
    auto painted = [](void* w) {
        return Strip(static_cast<HWND>(w), 2, 2, 4)[0] == RGB(0x20, 0x28, 0x30);
    };
    if (!WaitFor(painted, window, 10000)) {
        return Fail("the window never shows its painted background", info.hProcess);
    }
    // The text moves one pixel a frame: the strip it runs through changes.
    std::vector<COLORREF> before = Strip(window, 40, 30, 300);
    Sleep(400);
    if (Strip(window, 40, 30, 300) == before) {
        return Fail("the text does not move", info.hProcess);
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
        return Fail("the program does not end when its window is closed", info.hProcess);
    }
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    std::printf("consumer: window shown, painted, animated and closed; exit code %lu\n", code);
    return code == 0 ? 0 : 1;
}
