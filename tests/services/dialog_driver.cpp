#include "dialog_driver.h"

#include <algorithm>
#include <map>

DialogDriver* DialogDriver::s_Current = nullptr;

namespace {

// Thread timers waiting to run, by timer identifier.
std::map<UINT_PTR, std::function<void()>>& PendingSteps()
{
    static std::map<UINT_PTR, std::function<void()>> steps;
    return steps;
}

bool IsDialogBox(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770" && !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
}

}  // namespace

DialogDriver::DialogDriver(std::vector<Action> actions) : m_Actions(actions.begin(), actions.end())
{
    s_Current = this;
    m_Hook = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    UnhookWindowsHookEx(m_Hook);
    s_Current = nullptr;
    for (auto& pending : PendingSteps()) {
        KillTimer(nullptr, pending.first);
    }
    PendingSteps().clear();
}

void DialogDriver::Later(DWORD milliseconds, std::function<void()> step)
{
    UINT_PTR id = SetTimer(nullptr, 0, milliseconds, &DialogDriver::OnTimer);
    PendingSteps()[id] = std::move(step);
}

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto found = PendingSteps().find(id);
    if (found == PendingSteps().end()) {
        return;
    }
    std::function<void()> step = std::move(found->second);
    PendingSteps().erase(found);
    step();
}

LRESULT CALLBACK DialogDriver::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    DialogDriver* self = s_Current;
    auto window = reinterpret_cast<HWND>(wParam);
    if (self && code == HCBT_ACTIVATE && IsDialogBox(window) &&
        std::find(self->m_Known.begin(), self->m_Known.end(), window) == self->m_Known.end()) {
        self->m_Known.push_back(window);
        ++self->m_Seen;
        if (!self->m_Actions.empty()) {
            Action action = std::move(self->m_Actions.front());
            self->m_Actions.pop_front();
            Later(150, [window, action] {
                if (IsWindow(window)) {
                    action(window);
                }
            });
        }
        Later(20000, [window] {
            if (IsWindow(window)) {
                PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            }
        });
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

void TypeInto(HWND dialog, int id, const std::wstring& text)
{
    SetDlgItemTextW(dialog, id, text.c_str());
}

void Press(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::wstring> ComboItems(HWND dialog, int id)
{
    std::vector<std::wstring> items;
    auto count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(text.size() - 1);
        items.push_back(text);
    }
    return items;
}

bool SelectComboText(HWND dialog, int id, const std::wstring& text)
{
    auto index = SendDlgItemMessageW(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) {
        return false;
    }
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    return true;
}
