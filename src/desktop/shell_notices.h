// The shell's notices to top-level windows, handed to the desktop features that watch them.
#pragma once

#include <windows.h>

namespace tsumiki {

// Has the window objects pass their shell notices here; safe to call any number of times.
void WatchShellNotices();
// "TaskbarCreated", broadcast when the taskbar (re)starts.
UINT TaskbarCreatedMessage();

// The features' parts, each defined with its feature.
// The taskbar restarted: the owner's tray icons are added again.
void AddTrayIconsAgain(HWND owner);
// A setting changed; area is the name WM_SETTINGCHANGE gave (may be null).
void FollowSystemTheme(const wchar_t* area);

}  // namespace tsumiki
