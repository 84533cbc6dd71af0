// Getting the platform to hand a dead USER handle out again, for tests of what a stale
// handle may still reach.
#pragma once

#include <windows.h>

// Windows and menus share one handle table whose freed slots are handed out again, last
// freed first, with a generation count one higher. Turns the dead handle's slot over with
// menus (tens of thousands of times) until the next window or menu made gets exactly the
// dead handle; false when the platform does not hand handles out this way.
bool ArrangeReuseOf(const void* dead);
