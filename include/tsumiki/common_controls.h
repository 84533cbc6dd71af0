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

// Spin arrows attached to a buddy window, whose text shows the position as a number; the
// arrows align to the buddy's right edge and the Up and Down keys in the buddy step too.
// The platform keeps the limits and the position in 16 bits: they lie in -32768 .. 32767
// and read back sign-extended (a lower limit of -10 reads -10).
class TSUMIKI_API CUpDown : public CControlBase {
public:
    // Creates the arrows on parent for buddy with the range of limit1 and limit2 (in either
    // order) and pos kept within it; limits and pos beyond 16 bits are brought to the
    // nearest 16-bit value first. Takes one identifier. True when the control exists.
    bool CreateUpDown(HWND parent, HWND buddy, int x, int y, int width, int height,
                      int limit1, int limit2, int pos);
    // The upper limit.
    int GetMax() const;
    // The lower limit.
    int GetMin() const;
    // The position as the buddy's text gives it. When that text is not a number within the
    // range, the platform's answer is passed on with its error word: a value above 65535.
    int GetPos() const;

    // True once the up-down class has been registered in this process.
    static bool m_bOnce;
};

// ---- Image list ------------------------------------------------------------------------

// ---- List view -------------------------------------------------------------------------

// ---- Progress bar ----------------------------------------------------------------------

// ---- Tab -------------------------------------------------------------------------------

// ---- Tree view -------------------------------------------------------------------------
