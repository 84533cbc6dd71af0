// Creates a frame window through the installed library, paints it, closes it, and lets
// the message loop end: exit code 0 when all of that worked.
#include <tsumiki.h>

#include <cstdio>

class Frame : public CWindowBase {
public:
    void OnTimer(HWND hwnd, UINT) override { PostMessageW(hwnd, WM_CLOSE, 0, 0); }
    void OnDestroy(HWND hwnd) override
    {
        closed = true;
        CWindowBase::OnDestroy(hwnd);
    }
    void StartTimer() { m_Timer.Create(m_hWnd, 50, nullptr); }
    bool closed = false;
};

int main()
{
    Frame frame;
    if (!frame.CreateWnd(L"consumer", 200, 120, 10, 10, nullptr, nullptr, L"BASIC_WINDOW",
                         WS_OVERLAPPEDWINDOW, 0)) {
        std::puts("window not created");
        return 1;
    }
    frame.StartTimer();
    MessageLoop(nullptr, nullptr, nullptr);
    std::puts(frame.closed ? "consumer: window created, painted and closed" : "window not closed");
    return frame.closed ? 0 : 1;
}
