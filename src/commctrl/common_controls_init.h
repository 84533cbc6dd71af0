// One-time initialisation of the common-controls classes, shared by every common-control
// wrapper: each class passes its own flag and the class bit it needs.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Registers the classes named by classes (an ICC_* value; 0 means the plain
// InitCommonControls) once per process, also when several threads ask at the same moment,
// and sets once. The platform's answer is not examined.
void InitCommonControlsOnce(bool& once, DWORD classes);

}  // namespace detail

}  // namespace tsumiki
