// Library entry: registers the frame-window class "BASIC_WINDOW" in the executable's module
// while the library is loaded.
#include "tsumiki/framework.h"

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

}  // namespace

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
        UnregisterClassW(L"BASIC_WINDOW", GetModuleHandleW(nullptr));
    }
    return TRUE;
}
