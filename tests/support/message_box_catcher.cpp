#include "support/message_box_catcher.h"

#include <algorithm>

MessageBoxCatcher* MessageBoxCatcher::s_Current = nullptr;

MessageBoxCatcher::MessageBoxCatcher()
{
    s_Current = this;
    m_Hook = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    UnhookWindowsHookEx(m_Hook);
    s_Current = nullptr;
}

namespace {

bool IsDialogBox(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770";
}

std::wstring TextOf(HWND box)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

}  // namespace

LRESULT CALLBACK MessageBoxCatcher::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    MessageBoxCatcher* self = s_Current;
    auto window = reinterpret_cast<HWND>(wParam);
    if (self && code == HCBT_ACTIVATE && IsDialogBox(window) &&
        std::find(self->m_Open.begin(), self->m_Open.end(), window) == self->m_Open.end() &&
        GetDlgItem(window, 0xFFFF)) {
        wchar_t caption[256] = {};
        GetWindowTextW(window, caption, 256);
        self->m_Boxes.push_back({TextOf(window), caption});
        self->m_Open.push_back(window);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    } else if (self && code == HCBT_DESTROYWND) {
        auto open = std::find(self->m_Open.begin(), self->m_Open.end(), window);
        if (open != self->m_Open.end()) {
            // The text may still be empty at activation; it is always there by now.
            std::wstring text = TextOf(window);
            size_t index = static_cast<size_t>(open - self->m_Open.begin());
            size_t boxIndex = self->m_Boxes.size() - self->m_Open.size() + index;
            if (!text.empty()) {
                self->m_Boxes[boxIndex].text = text;
            }
            self->m_Open.erase(open);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
