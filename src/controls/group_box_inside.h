// The inside of a group box. The platform's group box draws only its frame and caption, and
// a frame window clips its children from its own painting, so on a frame window nothing
// painted the inside. The library's group boxes paint it with what lies beneath them: the
// window's background (a frame window's back buffer, a dialog's colour) and any sibling
// control the box stands on whole (a tab control), leaving out the controls on the box.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Makes the group box paint its inside from now on, and repaint it whenever its parent
// paints (the parent's picture under it may have changed).
void PaintGroupBoxInside(HWND box);

}  // namespace detail

}  // namespace tsumiki
