// The messages frame windows and dialogs crack alike: WM_DESTROY, WM_CLOSE, WM_COPYDATA,
// WM_NOTIFY, WM_COMMAND, WM_HSCROLL and WM_VSCROLL.
#pragma once

#include "tsumiki/framework.h"

// Calls the object's handler for one of those messages and stores what goes back to the
// platform in result; false, touching nothing, for any other message.
bool DispatchSharedMessage(CWindowBase& object, HWND hwnd, UINT message, WPARAM wParam,
                           LPARAM lParam, LRESULT& result);
