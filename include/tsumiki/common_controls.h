// Common controls: wrappers of the common-controls classes. Tab and tree items are added
// and recognised by their text.
//
// Classes in this file:
//   CUpDown       up-down (spin) arrows attached to a buddy window
//   CImageList    a list of same-sized icons drawn at a position into any device context
//   CListView     report-view list filled row by row, column after column
//   CProgressBar  progress bar that steps to its maximum without wrapping
//   CTab          tab control whose selection is recognised by tab text
//   CTreeView     sorted tree whose selection is recognised by item text
//
// Each class registers its common-controls class once per process, on its first Create.
// Copies refer to the same control; no object destroys its control (controls belong to
// their parent window).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "tsumiki/framework.h"

// ---- Up-down ---------------------------------------------------------------------------

// ---- Image list ------------------------------------------------------------------------

// ---- List view -------------------------------------------------------------------------

// ---- Progress bar ----------------------------------------------------------------------

// ---- Tab -------------------------------------------------------------------------------

// ---- Tree view -------------------------------------------------------------------------
