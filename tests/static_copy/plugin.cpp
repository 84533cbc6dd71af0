// A DLL built on the static library, which a program using tsumiki.dll loads and frees as a
// plug-in: its frame windows must reach its own objects.
#include <tsumiki.h>

namespace {

class Probe : public CWindowBase {
public:
    int OnCreate(HWND, CREATESTRUCTW*) override { created = true; return 1; }
    void OnCommand(HWND, int id, HWND, UINT) override { command = id; }
    void OnDestroy(HWND) override {}
    bool created = false;
    int command = 0;
};

}  // namespace

// Makes a window, sends it a command and destroys it; true when both reached the object.
// classModule receives the module its class was registered in.
extern "C" __declspec(dllexport) bool ProbeWindow(HINSTANCE* classModule)
{
    Probe probe;
    if (!probe.CreateWnd(L"plug-in", 120, 90, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                         WS_OVERLAPPEDWINDOW, 0)) {
        return false;
    }
    SendMessageW(probe.GetWndHandle(), WM_COMMAND, 7, 0);
    *classModule = reinterpret_cast<HINSTANCE>(GetClassLongPtrW(probe.GetWndHandle(), GCLP_HMODULE));
    DestroyWindow(probe.GetWndHandle());
    return probe.created && probe.command == 7;
}
