#include "desktop/shell_notices.h"

#include "window/shell_hook.h"

namespace tsumiki {

namespace {

void OnShellNotice(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE) {
        FollowSystemTheme(reinterpret_cast<const wchar_t*>(lParam));
    } else if (message == TaskbarCreatedMessage()) {
        AddTrayIconsAgain(hwnd);
    }
}

}  // namespace

void WatchShellNotices()
{
    detail::SetShellMessageHandler(&OnShellNotice);
}

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace tsumiki
