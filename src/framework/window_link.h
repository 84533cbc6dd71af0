// The link from a window to the object it is attached to: the window's GWLP_USERDATA.
// Reading it is a noticeable part of every message's cost under some platforms, so the
// last window looked up on each thread is remembered until any link changes.
#pragma once

#include "tsumiki/framework.h"

namespace window_link {

// The object attached to the window, or null.
CWindowBase* Find(HWND window);
void Attach(HWND window, CWindowBase* object);
void Detach(HWND window);

}  // namespace window_link
