// tsumiki little window: the smallest program of the library, a frame window that paints a
// line of text through its back buffer. The showcase starts it as a child process.
// Shows: CWindowBase with CreateWnd on "BASIC_WINDOW", OnPaint with CGraphics, MessageLoop.
#include <tsumiki.h>

namespace {

class LittleWindow : public CWindowBase {
public:
    bool Create()
    {
        // WS_VISIBLE is left out: the window shows as its starter asked (ShowWindow below).
        return CreateWnd(L"tsumiki little window", 320, 120, 100, 100, nullptr, nullptr,
                         L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW, 0);
    }

    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFFFFFFFF);
        m_Graphics.DrawString(L"a little tsumiki window", 16, 24, 14, Gdiplus::Color(0xFF203060), L"Arial");
        m_Graphics.Present(hwnd);
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    LittleWindow window;
    if (!window.Create()) {
        return 1;
    }
    ShowWindow(window.GetWndHandle(), showCommand);
    MessageLoop(nullptr, nullptr, nullptr);
    return 0;
}
