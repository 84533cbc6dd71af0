// A frame window for tests: a CWindowBase on "BASIC_WINDOW" that does not end the
// message loop of the test program when it is destroyed.
#pragma once

#include <tsumiki.h>

class TestFrame : public CWindowBase {
public:
    bool Create(int width = 200, int height = 150, int x = 20, int y = 20, HWND parent = nullptr,
                DWORD style = WS_OVERLAPPEDWINDOW)
    {
        return CreateWnd(L"test", width, height, x, y, parent, nullptr, L"BASIC_WINDOW", style, 0);
    }
    ~TestFrame() override
    {
        if (m_hWnd && IsWindow(m_hWnd)) {
            DestroyWindow(m_hWnd);
        }
    }
    void OnDestroy(HWND) override { ++destroyed; }

    CGraphics& Graphics() { return m_Graphics; }
    CTimer& Timer() { return m_Timer; }

    int destroyed = 0;
};
