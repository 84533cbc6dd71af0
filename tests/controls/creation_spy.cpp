#include "creation_spy.h"

namespace {

CreationSpy* g_Spy = nullptr;

}  // namespace

CreationSpy::CreationSpy()
    : m_Hook(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId()))
{
    g_Spy = this;
}

CreationSpy::~CreationSpy()
{
    UnhookWindowsHookEx(m_Hook);
    g_Spy = nullptr;
}

CreationSpy::Styles CreationSpy::Of(HWND window) const
{
    auto found = m_Created.find(window);
    return found == m_Created.end() ? Styles{} : found->second;
}

LRESULT CALLBACK CreationSpy::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_Spy) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        Styles& styles = g_Spy->m_Created[reinterpret_cast<HWND>(wParam)];
        styles = Styles{static_cast<DWORD>(create->style), create->dwExStyle, std::wstring()};
        if (create->lpszName && !IS_INTRESOURCE(create->lpszName)) {
            styles.text = create->lpszName;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
