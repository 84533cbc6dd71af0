// Forms: what a window of controls needs beyond the controls themselves.
//
// Enumerations in this file:
//   EAnchor  the edges of its window a control keeps its distance to (CWindowBase::Anchor)
// Free functions:
//   SystemFormColor  the platform's dialog colour, for CWindowBase::SetClearColor
//
// Anchoring, the size limits, Move and SetClearColor are members of CWindowBase
// (tsumiki/framework.h); UseStandardButtonStyles and CButton::SetDefault are with the
// controls (tsumiki/controls.h).
#pragma once

#include <windows.h>

#include "tsumiki/export.h"

namespace tsumiki {

// The edges of its window's client area a control is anchored to; combine them with |.
// Anchored to both edges of a direction, the control stretches with the window; to one, it
// keeps its distance to that edge; to neither, its centre keeps its share of the width (or
// height).
enum EAnchor : UINT {
    ANCHOR_LEFT = 0x1,
    ANCHOR_TOP = 0x2,
    ANCHOR_RIGHT = 0x4,
    ANCHOR_BOTTOM = 0x8,
    ANCHOR_ALL = 0xF,
};

// The colour the platform paints dialogs with (COLOR_3DFACE) as a fully opaque ARGB value,
// as CWindowBase::SetClearColor and the back buffer take colours. Any thread.
TSUMIKI_API unsigned long SystemFormColor();

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::EAnchor;
using tsumiki::ANCHOR_LEFT;
using tsumiki::ANCHOR_TOP;
using tsumiki::ANCHOR_RIGHT;
using tsumiki::ANCHOR_BOTTOM;
using tsumiki::ANCHOR_ALL;
using tsumiki::SystemFormColor;
#endif
