// The one door through which the library tells the user about a failure it cannot report
// by a result alone (a picture or bitmap that does not load, a menu text never added, a
// media file that does not open). A modal box with no owner and an OK button, unless the
// client has routed these messages to a function of its own (SetLibraryMessageHandler).
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// caption may be null (the box shows the platform's default caption; a routed handler
// gets an empty caption).
void ShowLibraryMessage(const wchar_t* text, const wchar_t* caption);

}  // namespace detail

}  // namespace tsumiki
