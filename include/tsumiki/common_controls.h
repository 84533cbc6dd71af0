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

#include <map>
#include <string>

#include "tsumiki/framework.h"

// ---- Up-down ---------------------------------------------------------------------------

// ---- Image list ------------------------------------------------------------------------

// ---- List view -------------------------------------------------------------------------

// ---- Progress bar ----------------------------------------------------------------------

// ---- Tab -------------------------------------------------------------------------------

// A row of tabs whose first tab carries the control's name. Tabs are appended by text, and
// the parent recognises a change of selection by text in its OnNotify:
//     if (m_Tabs.IsSelect(L"Scene", WM_NOTIFY, id, reinterpret_cast<LPARAM>(header))) ...
// Where several tabs share a text, the text names the first of them.
class TSUMIKI_API CTab : public CControlBase {
public:
    // No control and no tabs.
    CTab();
    // A copy refers to the same control and keeps a table of texts of its own: a tab added
    // through one object is known to that object only.
    CTab(const CTab& other);
    // Takes the source's control and a copy of its table of texts, as the copy does.
    CTab& operator=(const CTab& other);
    // Forgets the texts; the control stays with its parent window.
    ~CTab() override;

    // Makes the control at (x, y) in the parent's client area with one tab, the name (null
    // is empty). True when the control exists; otherwise no tab is recorded.
    bool Create(HWND parent, const wchar_t* name, int x, int y, int width, int height);
    // Appends a tab (null text is empty). Without a control, or when the control refuses
    // the tab, nothing is added or recorded.
    void AddItem(const wchar_t* text);
    // Widens the control to its parent's outer width, keeping its position and height.
    // Does nothing before Create.
    void ResizeParentWidth();
    // True when the message the parent received (OnNotify's WM_NOTIFY, identifier and
    // header) reports that the first tab with this text has just been selected
    // (TCN_SELCHANGE). The header is read only once the message is WM_NOTIFY, the
    // identifier is this control's and the text is known.
    bool IsSelect(const wchar_t* text, UINT message, WPARAM wParam, LPARAM lParam) const;

    // True once the tab control class is registered; shared by every CTab.
    static bool m_bOnce;

private:
    // Tabs added through this object.
    int m_ItemCount;
    // Tab text to the index of the first tab with that text.
    std::map<std::wstring, int> m_ItemMap;
};

// ---- Tree view -------------------------------------------------------------------------

// A tree whose items are named by their text: the control is made with one top-level item
// carrying its name, each further item goes under the item named as its parent, and every
// item is kept sorted among its siblings. The parent recognises a change of selection by
// text in its OnNotify:
//     if (m_Tree.IsSelect(L"Leaf", WM_NOTIFY, id, reinterpret_cast<LPARAM>(header))) ...
// Where several items share a text, the text names the first of them.
class TSUMIKI_API CTreeView : public CControlBase {
public:
    // No control and no items.
    CTreeView();
    // A copy refers to the same control and keeps a table of texts of its own: an item
    // added through one object is known to that object only.
    CTreeView(const CTreeView& other);
    // Takes the source's control and a copy of its table of texts, as the copy does.
    CTreeView& operator=(const CTreeView& other);
    // Forgets the texts; the control stays with its parent window.
    ~CTreeView() override;

    // Makes the control at (x, y) in the parent's client area, with buttons, lines and
    // scroll bars, holding one top-level item: the name (null is empty). True when the
    // control exists; otherwise no item is recorded.
    bool Create(HWND parent, const wchar_t* name, int x, int y, int width, int height);
    // Adds an item under the first item with the parent text. A parent text no item of
    // this object has goes to the top level, and is not remembered: an item given that
    // text later still becomes a parent. Null texts are empty. Without a control, or when
    // the control refuses the item, nothing is added or recorded.
    void AddItem(const wchar_t* text, const wchar_t* parentText);
    // True when the message the parent received (OnNotify's WM_NOTIFY, identifier and
    // header) reports that the first item with this text has just been selected
    // (TVN_SELCHANGEDW). The header is read only once the message is WM_NOTIFY, the
    // identifier is this control's and the text is known.
    bool IsSelect(const wchar_t* text, UINT message, WPARAM wParam, LPARAM lParam) const;

    // True once the tree-view class is registered; shared by every CTreeView.
    static bool m_bOnce;

private:
    // Item text to the first item with that text; the items belong to the control.
    std::map<std::wstring, HTREEITEM> m_ItemMap;
};
