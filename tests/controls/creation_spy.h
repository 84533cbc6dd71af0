// Watches window creation on this thread: the style each window was created with, before
// a control adjusts its own style (an edit may take WS_BORDER out and draw it itself).
#pragma once

#include <windows.h>

#include <map>
#include <string>

class CreationSpy {
public:
    CreationSpy();
    ~CreationSpy();
    CreationSpy(const CreationSpy&) = delete;
    CreationSpy& operator=(const CreationSpy&) = delete;

    struct Styles {
        DWORD style = 0;
        DWORD exStyle = 0;
        std::wstring text;
    };
    // The styles and text passed at creation; empty for a window created before the spy.
    Styles Of(HWND window) const;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_Hook;
    std::map<HWND, Styles> m_Created;
};
