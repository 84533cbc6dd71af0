// The link from a window to the object it is attached to: the window's GWLP_USERDATA.
// Reading it is a noticeable part of every message's cost under some platforms, so the
// last window looked up on each thread is remembered until any link changes.
// Every link is also recorded under its object, so that an object can cut every link to
// itself: a window left linked to a dead object would send its next message to freed memory.
#pragma once

#include "tsumiki/framework.h"

namespace tsumiki {

namespace window_link {

// The object attached to the window, or null.
CWindowBase* Find(HWND window);
// Frees the TLS slots of the remembered lookups; for the library's unload only.
void ReleaseLookupSlots();
// Links a frame window or dialog to its object. The object serves one such window: the
// windows linked to it before are unlinked first.
void Attach(HWND window, CWindowBase* object);
// Links a subclassed control to an object (moving it from the object it had);
// unlink(control) undoes the subclassing when that object dies first.
void AttachControl(HWND control, CWindowBase* object, void (*unlink)(HWND control));
// Clears the window's link (its messages then reach no object) and its record.
void Detach(HWND window);
// Unlinks every window still linked to the object; a dying object calls it.
void DetachAll(const CWindowBase* object);

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
