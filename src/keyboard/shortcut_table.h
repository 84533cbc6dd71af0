// The shortcuts of the menu bars CMenu shows, kept as a table per window: built from the
// item texts when a bar is set, so that a key press costs a lookup, and acted on the way the
// platform's accelerators act.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Builds the window's table from the bar's item texts, replacing the table it had, and
// makes the loops offer keys to TranslateMenuShortcut. Tables of windows that no longer
// exist are dropped on the way. Safe from any thread.
void BuildMenuShortcuts(HWND window, HMENU bar);
// Builds again the table of every window whose table was built from this bar (its items
// or their texts changed).
void RebuildMenuShortcuts(HMENU bar);
// Drops the tables built from this bar, which is about to be destroyed.
void ForgetMenuShortcuts(HMENU bar);
// For a key pressed in a window that shows the bar its table was built from: the first
// item (in menu order, depth first) whose shortcut is that key with exactly the modifiers
// held. The window is sent WM_INITMENU and WM_INITMENUPOPUP for each pop-up down to the
// item, then, unless the item or a pop-up above it is disabled or greyed by then, the
// item's WM_COMMAND (code 0, as a click). True when an item has the shortcut, also when it
// is disabled (the key is then taken and nothing is sent); false while the mouse is
// captured.
bool TranslateMenuShortcut(const MSG& message);

}  // namespace detail

}  // namespace tsumiki
