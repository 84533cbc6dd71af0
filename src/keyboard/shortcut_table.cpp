#include "keyboard/shortcut_table.h"

#include "keyboard/menu_shortcut.h"
#include "loop/pre_translators.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tsumiki {

namespace detail {

namespace {

struct Shortcut {
    UINT key;
    bool ctrl;
    bool shift;
    bool alt;
    UINT id;
    // The pop-ups from the bar down to the item's own, each with its position in the menu
    // above it.
    std::vector<std::pair<HMENU, int>> path;
};

struct ShortcutTable {
    HMENU bar = nullptr;
    // Sorted by key: a key press looks only at the shortcuts of its key.
    std::vector<Shortcut> shortcuts;
};

using TablePointer = std::shared_ptr<const ShortcutTable>;

// Windows of any thread have tables, built and read on their own threads.
struct Tables {
    std::mutex lock;
    std::unordered_map<HWND, TablePointer> byWindow;
};

Tables& AllTables()
{
    // Never destroyed: a bar may be destroyed during the exit, after the statics are gone.
    static Tables* tables = new Tables;
    return *tables;
}

std::wstring ItemText(HMENU menu, int position, UINT length)
{
    std::wstring text(length + 1, L'\0');
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = &text[0];
    info.cch = length + 1;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) {
        return std::wstring();
    }
    text.resize(info.cch < length ? info.cch : length);
    return text;
}

void AddShortcut(std::vector<Shortcut>& shortcuts, UINT key, const KeyChord& chord, UINT id,
                 const std::vector<std::pair<HMENU, int>>& path)
{
    // Of items that show the same shortcut, the first in the menu has it.
    for (const Shortcut& known : shortcuts) {
        if (known.key == key && known.ctrl == chord.ctrl && known.shift == chord.shift &&
            known.alt == chord.alt) {
            return;
        }
    }
    shortcuts.push_back({key, chord.ctrl, chord.shift, chord.alt, id, path});
}

// Depth first, in menu order. The depth limit guards against a pop-up placed inside itself.
void Collect(HMENU menu, std::vector<std::pair<HMENU, int>>& path,
             std::vector<Shortcut>& shortcuts)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        if (!GetMenuItemInfoW(menu, position, TRUE, &info) ||
            (info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))) {
            continue;
        }
        if (info.hSubMenu) {
            if (path.size() < 16) {
                path.emplace_back(info.hSubMenu, position);
                Collect(info.hSubMenu, path, shortcuts);
                path.pop_back();
            }
            continue;
        }
        KeyChord chord;
        if (info.cch && ParseShortcut(ItemText(menu, position, info.cch), chord)) {
            AddShortcut(shortcuts, chord.key, chord, info.wID, path);
            if (chord.alternative) {
                AddShortcut(shortcuts, chord.alternative, chord, info.wID, path);
            }
        }
    }
}

TablePointer MakeTable(HMENU bar)
{
    auto table = std::make_shared<ShortcutTable>();
    table->bar = bar;
    std::vector<std::pair<HMENU, int>> path;
    Collect(bar, path, table->shortcuts);
    std::stable_sort(table->shortcuts.begin(), table->shortcuts.end(),
                     [](const Shortcut& a, const Shortcut& b) { return a.key < b.key; });
    return table;
}

TablePointer TableOf(HWND window)
{
    Tables& tables = AllTables();
    std::lock_guard<std::mutex> hold(tables.lock);
    auto found = tables.byWindow.find(window);
    return found == tables.byWindow.end() ? nullptr : found->second;
}

bool IsModifier(UINT key)
{
    switch (key) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LSHIFT: case VK_RSHIFT:
    case VK_LCONTROL: case VK_RCONTROL: case VK_LMENU: case VK_RMENU:
        return true;
    default:
        return false;
    }
}

bool IsDisabled(UINT state)
{
    return state == static_cast<UINT>(-1) || (state & (MF_DISABLED | MF_GRAYED));
}

// As the platform's accelerators do, the window first brings the menus up to date (the
// usual place to grey Undo or Paste); the item is read only after that.
bool IsEnabledAfterInit(HWND window, const ShortcutTable& table, const Shortcut& shortcut)
{
    SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(table.bar), 0);
    HMENU parent = table.bar;
    for (const auto& [popup, position] : shortcut.path) {
        // The answer may have rebuilt the menus: a pop-up no longer in its place is gone.
        if (!IsMenu(parent) || GetSubMenu(parent, position) != popup ||
            IsDisabled(GetMenuState(parent, static_cast<UINT>(position), MF_BYPOSITION))) {
            return false;
        }
        SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                     MAKELPARAM(position, FALSE));
        parent = popup;
    }
    return IsMenu(parent) && !IsDisabled(GetMenuState(parent, shortcut.id, MF_BYCOMMAND));
}

}  // namespace

void BuildMenuShortcuts(HWND window, HMENU bar)
{
    RegisterPreTranslator(PreTranslatorSlot::MenuShortcuts, TranslateMenuShortcut);
    TablePointer table = MakeTable(bar);
    Tables& tables = AllTables();
    std::lock_guard<std::mutex> hold(tables.lock);
    for (auto it = tables.byWindow.begin(); it != tables.byWindow.end();) {
        it = IsWindow(it->first) ? std::next(it) : tables.byWindow.erase(it);
    }
    tables.byWindow[window] = std::move(table);
}

void RebuildMenuShortcuts(HMENU bar)
{
    std::vector<HWND> windows;
    {
        Tables& tables = AllTables();
        std::lock_guard<std::mutex> hold(tables.lock);
        for (const auto& [window, table] : tables.byWindow) {
            if (table->bar == bar) {
                windows.push_back(window);
            }
        }
    }
    for (HWND window : windows) {
        BuildMenuShortcuts(window, bar);
    }
}

void ForgetMenuShortcuts(HMENU bar)
{
    Tables& tables = AllTables();
    std::lock_guard<std::mutex> hold(tables.lock);
    for (auto it = tables.byWindow.begin(); it != tables.byWindow.end();) {
        it = it->second->bar == bar ? tables.byWindow.erase(it) : std::next(it);
    }
}

bool TranslateMenuShortcut(const MSG& message)
{
    if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || !message.hwnd) {
        return false;
    }
    auto key = static_cast<UINT>(message.wParam);
    HWND window = GetAncestor(message.hwnd, GA_ROOT);
    TablePointer table = IsModifier(key) ? nullptr : TableOf(window);
    if (!table) {
        return false;
    }
    auto first = std::lower_bound(table->shortcuts.begin(), table->shortcuts.end(), key,
                                  [](const Shortcut& shortcut, UINT k) { return shortcut.key < k; });
    // The keys no shortcut uses, most of them, cost no more than this.
    if (first == table->shortcuts.end() || first->key != key) {
        return false;
    }
    auto last = first;
    while (last != table->shortcuts.end() && last->key == key) {
        ++last;
    }
    // One question for the three modifiers: under some platforms each question is a round
    // trip to a server.
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) {
        return false;
    }
    const bool ctrl = (keys[VK_CONTROL] & 0x80) != 0;
    const bool shift = (keys[VK_SHIFT] & 0x80) != 0;
    const bool alt = (keys[VK_MENU] & 0x80) != 0;
    auto match = std::find_if(first, last, [&](const Shortcut& shortcut) {
        return shortcut.ctrl == ctrl && shortcut.shift == shift && shortcut.alt == alt;
    });
    if (match == last || GetCapture()) {
        return false;
    }
    // A bar set by SetMenu itself since has no shortcuts.
    if (GetMenu(window) != table->bar || !IsWindowEnabled(window)) {
        return false;
    }
    if (IsEnabledAfterInit(window, *table, *match)) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(match->id, 0), 0);
    }
    return true;
}

}  // namespace detail

}  // namespace tsumiki
