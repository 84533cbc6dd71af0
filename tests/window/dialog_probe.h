// Helpers for the dialog tests: a dialog that shows its template and records its calls.
#pragma once

#include <tsumiki.h>

#include <cstring>
#include <string>
#include <vector>

// A dialog whose template and geometry a test can read, which records the handler calls
// it receives, and which never ends the test program's message loop.
class DialogProbe : public CDialogBase {
public:
    const unsigned char* TemplateBytes() const { return m_Template; }
    bool Modal() const { return m_bModal; }
    RECT Geometry() const { return {m_X, m_Y, m_X + m_Width, m_Y + m_Height}; }

    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        ++inits;
        initWindow = hwnd;
        return 1;
    }
    void OnDestroy(HWND hwnd) override
    {
        ++destroys;
        if (postQuit) {
            CDialogBase::OnDestroy(hwnd);
        }
    }

    int inits = 0;
    int destroys = 0;
    HWND initWindow = nullptr;
    // Keeps the default: WM_QUIT when the dialog has no parent.
    bool postQuit = false;
};

// Takes a pending WM_QUIT off the thread's queue; true if there was one.
inline bool TakeQuitMessage()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

inline std::wstring WindowTitle(HWND window)
{
    std::vector<wchar_t> text(2048);
    int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<size_t>(length));
}

// Some behaviour (a system-modal dialog kept topmost) is Windows' own and not Wine's.
inline bool RunsOnWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
