// Library entry: registers the frame-window class "BASIC_WINDOW" while the library is loaded
// (tsumiki.dll, in the executable's module), or from the first window creation to the exit
// (the static library, in the module it is linked into, which has no load of its own).
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
    windowClass.hInstance = tsumiki::detail::FrameWindowModule();
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
    UnregisterClassW(L"BASIC_WINDOW", tsumiki::detail::FrameWindowModule());
}

}  // namespace

#if defined(TSUMIKI_STATIC)

HINSTANCE tsumiki::detail::FrameWindowModule()
{
    // The executable, or a DLL built on the static library: wherever this code lives.
    static const HINSTANCE module = [] {
        HMODULE own = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&RegisterFrameWindowClass), &own);
        return own ? own : GetModuleHandleW(nullptr);
    }();
    return module;
}

void tsumiki::detail::EnsureFrameWindowClass()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        // A class left by a window still open at the exit stays with the process. In a
        // DLL built on the static library the exit is the DLL's unload.
        if (RegisterFrameWindowClass()) {
            std::atexit(UnregisterFrameWindowClass);
        }
    });
}

#else

HINSTANCE tsumiki::detail::FrameWindowModule()
{
    // Programs written for the DLL make windows of the class with their own module handle.
    return GetModuleHandleW(nullptr);
}

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
