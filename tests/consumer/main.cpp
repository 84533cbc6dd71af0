#include <tsumiki.h>

class MainWindow : public CWindowBase {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override
    {
        m_Timer.Create(hwnd, 16, nullptr);          // ~60 frames a second, ticks reach OnTimer
        return 1;
    }
    void OnTimer(HWND hwnd, UINT) override
    {
        ++m_Frame;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFF202830);               // ARGB
        m_Graphics.DrawString(L"hello", 20.0f + m_Frame % 200, 40.0f, 24.0f,
                              Gdiplus::Color(0xFFFFFFFF), L"Arial");
        m_Graphics.Present(hwnd);                   // one BitBlt to the window
    }

private:
    unsigned m_Frame = 0;
};

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    MainWindow window;
    window.CreateWnd(L"hello", 640, 480, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                     L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW, 0);
    MessageLoop();                                  // returns when the window is closed
    return 0;
}
