// Catches the message boxes shown on this thread while it lives: records each box's text
// and caption and presses OK, so code that shows a modal box can run in a test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CaughtMessageBox {
    std::wstring text;
    std::wstring caption;
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& Boxes() const { return m_Boxes; }
    size_t Count() const { return m_Boxes.size(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_Hook;
    std::vector<CaughtMessageBox> m_Boxes;
    std::vector<HWND> m_Open;
    static MessageBoxCatcher* s_Current;
};
