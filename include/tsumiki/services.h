// System services: menus.
//
// Classes in this file:
//   CMenu  a menu bar built from lists of item texts; a chosen item is recognised by its text
#pragma once

#include <windows.h>

#include <cstdarg>
#include <map>
#include <memory>
#include <string>

#include "tsumiki/export.h"
#include "tsumiki/framework.h"

class TSUMIKI_API CMenu {
public:
    // Makes an empty menu bar.
    CMenu();
    // Copies share the bar and its pop-ups and take a copy of the item table; the menus
    // are destroyed once, when the last copy dies, unless a window still shows the bar:
    // it is then left to the window, which destroys it with itself, and the next Set on
    // that window, which replaces it, destroys it.
    CMenu(const CMenu& other);
    CMenu& operator=(const CMenu& other);
    virtual ~CMenu();

    // Adds a pop-up with the title to the bar, holding count items: after count come
    // exactly count item texts (const wchar_t*). "|" alone makes a separator; every other
    // text becomes an item with a fresh identifier from the library's counter, and the
    // first identifier made for a text is the one GetID and IsSelect know. A null text
    // adds nothing. Returns the pop-up.
    HMENU AddMenu(const wchar_t* title, int count, ...);
    // The same, but the pop-up goes into the given menu, for instance a pop-up returned by
    // an earlier AddMenu (a cascade).
    HMENU AddMenu(const wchar_t* title, HMENU parent, int count, ...);
    // Shows the bar on the window. Call again after adding pop-ups to a bar already shown.
    // A bar the window showed whose menus have died is destroyed; a bar another living
    // CMenu owns is only taken off. A child window has no bar: nothing changes.
    void Set(HWND window);
    // The identifier of the item with exactly this text; 0, after a message box, when no
    // item has it.
    int GetID(const wchar_t* text);
    // Whether id is the identifier registered for the text; false, after a message box,
    // when no item has it.
    bool IsSelect(const wchar_t* text, int id);

    struct Menus;

private:
    HMENU AddPopup(const wchar_t* title, HMENU parent, int count, va_list items);
    void AddSeparator(HMENU menu);
    int AddItem(HMENU menu, const wchar_t* text);
    void AddSubMenu(HMENU parent, HMENU popup, const wchar_t* title);
    // The registered identifier of the text, or 0 after the message box.
    int Lookup(const wchar_t* text);

    // The bar and every pop-up made for it, shared by the copies; released by the last.
    std::shared_ptr<Menus> m_Menus;
    // Item text to identifier; the first identifier made for a text stays.
    std::map<std::wstring, int> m_ItemID;
};
