// A program linked with the static library whose window, with a control in a font the
// library owns, is destroyed during the static destruction. It ends with 3 when the font
// was not given back (deleted) then, and with 0 otherwise.
#include <tsumiki.h>

namespace {

class LastWindow : public CWindowBase {
public:
    ~LastWindow() override
    {
        auto font = reinterpret_cast<HFONT>(SendMessageW(edit.GetWndHandle(), WM_GETFONT, 0, 0));
        DestroyWindow(m_hWnd);
        if (!font || GetObjectType(font) != 0) {
            ExitProcess(3);
        }
    }
    void OnDestroy(HWND) override {}
    CEdit edit;
};

// Made before the library's own statics, whatever the link order, so destroyed after them.
__attribute__((init_priority(101))) LastWindow g_LastWindow;

}  // namespace

int main()
{
    SetControlFontFace(L"Tahoma", 9);
    g_LastWindow.CreateWnd(L"last", 200, 100, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                           WS_OVERLAPPEDWINDOW, 0);
    g_LastWindow.edit.Create(g_LastWindow.GetWndHandle(), 10, 10, 150, 24, L"text");
    return 0;
}
