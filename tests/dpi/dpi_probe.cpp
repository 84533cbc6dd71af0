// A program without a manifest: it ends with the DPI its window reports as its exit code.
#include <tsumiki.h>

class ProbeWindow : public CWindowBase {
public:
    void OnDestroy(HWND) override {}
};

int main()
{
    ProbeWindow window;
    if (!window.CreateWnd(L"probe", 200, 100, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                          WS_OVERLAPPEDWINDOW, 0)) {
        return 1;
    }
    int dpi = window.GetDpi();
    DestroyWindow(window.GetWndHandle());
    return dpi;
}
