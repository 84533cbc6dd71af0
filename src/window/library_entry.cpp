// Library entry: registers the frame-window class "BASIC_WINDOW" in the executable's module
// while the library is loaded (tsumiki.dll), or from the first window creation to the exit
// (the static library, which has no load of its own).
#include "window/library_entry.h"
#include "window/window_link.h"

#include "tsumiki/framework.h"

#include <cstdlib>
#include <mutex>

namespace {

bool RegisterFrameWindowClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = tsumiki::CWindowBase::WndProcManager;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    windowClass.hCursor = static_cast<HCURSOR>(
        LoadImageW(nullptr, IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"BASIC_WINDOW";
    return RegisterClassExW(&windowClass) != 0;
}

void UnregisterFrameWindowClass()
{
    UnregisterClassW(L"BASIC_WINDOW", GetModuleHandleW(nullptr));
}

}  // namespace

#if defined(TSUMIKI_STATIC)

void tsumiki::detail::EnsureFrameWindowClass()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        // A class left by a window still open at the exit stays with the process.
        if (RegisterFrameWindowClass()) {
            std::atexit(UnregisterFrameWindowClass);
        }
    });
}

#else

// Registered at load: a failed registration refused the load.
void tsumiki::detail::EnsureFrameWindowClass() {}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    // Thread notifications need nothing; the class is registered once, at process attach,
    // and a failed registration refuses the load.
    if (reason == DLL_PROCESS_ATTACH) {
        return RegisterFrameWindowClass() ? TRUE : FALSE;
    }
    // FreeLibrary (reserved is null; at process exit it is not): the class belongs to the
    // executable and would outlive the procedure it names, and the next load could not
    // register it again.
    if (reason == DLL_PROCESS_DETACH && !reserved) {
        UnregisterFrameWindowClass();
        tsumiki::window_link::ReleaseLookupSlots();
    }
    return TRUE;
}

#endif
