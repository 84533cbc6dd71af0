// Menu shortcuts written into item texts: "Open…\tCtrl+O" is the item "Open…" with the
// shortcut Ctrl+O. The loop turns such a key into the item's WM_COMMAND.
#pragma once

#include <windows.h>

#include <string_view>

namespace tsumiki {

namespace detail {

// A key with the modifiers that must be held, no more and no fewer.
struct KeyChord {
    UINT key = 0;
    // A second key that counts as the same (the numeric keypad's + and -), or 0.
    UINT alternative = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The text an item is shown with, without its shortcut: what comes before the last tab.
// A text without a tab is its own label.
std::wstring_view ItemLabel(std::wstring_view text);
// Reads the shortcut after the last tab of an item text. False, leaving chord untouched,
// for a text without a tab or whose tail is not a key name with modifiers.
bool ParseShortcut(std::wstring_view text, KeyChord& chord);
// For a key pressed in a window that shows a menu bar: sends the window the WM_COMMAND of
// the first item (in menu order) whose shortcut is that key, as a click on the item
// would. True when an item has the shortcut, also when it is disabled or greyed (the key
// is then taken and nothing is sent).
bool TranslateMenuShortcut(const MSG& message);
// Makes the loops offer keys to TranslateMenuShortcut, before the standard keys; called
// when a menu bar is set (and at load where this file is linked: always in the DLL).
void RegisterMenuShortcuts();

}  // namespace detail

}  // namespace tsumiki
