// The one door through which the library tells the user about a failure it cannot report
// by a result alone (a picture or bitmap that does not load, a menu text never added, a
// media file that does not open). Today a modal box with no owner and an OK button.
#pragma once

#include <windows.h>

namespace tsumiki_detail {

// caption may be null (the platform's default caption).
void ShowLibraryMessage(const wchar_t* text, const wchar_t* caption);

}  // namespace tsumiki_detail
