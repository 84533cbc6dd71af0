// The link from a window to the object it is attached to: the window's GWLP_USERDATA.
// Reading it is a noticeable part of every message's cost under some platforms, so the
// last window looked up on each thread is remembered until any link changes.
#pragma once

#include "tsumiki/framework.h"

namespace tsumiki {

namespace window_link {

// The object attached to the window, or null.
CWindowBase* Find(HWND window);
void Attach(HWND window, CWindowBase* object);
void Detach(HWND window);

// The creation hand-over: the object whose window the calling thread is creating right
// now, taken by that window's first WM_CREATE or WM_INITDIALOG. One per thread, so that
// threads creating windows at the same moment never take each other's objects.
void Expect(CWindowBase* object, bool modalDialog = false);
// Takes the calling thread's waiting object (null when none waits).
CWindowBase* TakeExpected(bool* modalDialog);
// Empties the hand-over if the object still waits in it (its creation never reached it).
void Forget(CWindowBase* object);

}  // namespace window_link

}  // namespace tsumiki
