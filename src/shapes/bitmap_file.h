// Loading the bitmap files that shapes and bitmap buttons are made from.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Loads a bitmap file as a DIB section; null when the file is missing, is not a bitmap,
// declares a size no window could have, or declares more pixel data than the file holds
// (a damaged header must not make the loader allocate gigabytes).
HBITMAP LoadBitmapFile(const wchar_t* path);

}  // namespace detail

}  // namespace tsumiki
