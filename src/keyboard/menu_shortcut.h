// Menu shortcuts written into item texts: "Open…\tCtrl+O" is the item "Open…" with the
// shortcut Ctrl+O. The texts are read here; shortcut_table.h turns the keys into commands.
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

}  // namespace detail

}  // namespace tsumiki
