// Shaped windows and bitmap buttons.
//
// Classes in this file:
//   CRegion        a window region made of the pure black pixels of a bitmap
//   CCustomButton  a shaped owner-drawn push button made of normal, pressed and mask bitmaps
#pragma once

#include <windows.h>

#include "tsumiki/framework.h"

// ---- Region ----------------------------------------------------------------------------

// ---- Bitmap button ---------------------------------------------------------------------
