// A child program for the process tests: a main window and a pop-up owned by it, made after
// an optional delay. It writes the show state and flags it was started with into the file
// named by its first argument, and ends when its main window is closed, or by itself after
// half a minute, so a failing test leaves nothing running.
// Usage: tsumiki_test_child.exe <report file> [delay before the first window, ms]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    STARTUPINFOW startup = {};
    GetStartupInfoW(&startup);
    if (count > 1) {
        FILE* report = _wfopen(arguments[1], L"w");
        if (report) {
            std::fprintf(report, "%u %lu\n", startup.wShowWindow, startup.dwFlags);
            std::fclose(report);
        }
    }
    if (count > 2) {
        Sleep(static_cast<DWORD>(std::wcstoul(arguments[2], nullptr, 10)));
    }
    LocalFree(arguments);

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TsumikiTestChild";
    RegisterClassExW(&windowClass);
    HWND main = CreateWindowExW(0, L"TsumikiTestChild", L"test child main", WS_OVERLAPPEDWINDOW, 60, 60,
                                240, 160, nullptr, nullptr, instance, nullptr);
    // Made after the main window, so it comes first in the thread's window order.
    CreateWindowExW(0, L"TsumikiTestChild", L"test child pop-up", WS_POPUP | WS_CAPTION, 80, 80, 160, 90,
                    main, nullptr, instance, nullptr);
    ShowWindow(main, showCommand);
    SetTimer(main, 1, 30000, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
