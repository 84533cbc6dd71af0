// Library entry: registers the frame-window class "BASIC_WINDOW" in the executable's module.
#include "tsumiki/framework.h"

namespace {

bool RegisterFrameWindowClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = CWindowBase::WndProcManager;
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

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    // Thread notifications need nothing; the class is registered once, at process attach,
    // and a failed registration refuses the load.
    if (reason == DLL_PROCESS_ATTACH) {
        return RegisterFrameWindowClass() ? TRUE : FALSE;
    }
    return TRUE;
}
