// Common controls: wrappers of the common-controls classes. Tab and tree items are added
// and recognised by their text.
//
// Classes in this file:
//   CUpDown       up-down (spin) arrows attached to a buddy window
//   CImageList    a list of same-sized icons drawn at a position into any device context
//   CListView     report-view list filled row by row, sorted by a column, its selection
//                 recognised in OnNotify
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

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tsumiki/framework.h"

namespace tsumiki {

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

// Colour depth of an image list; the values are the platform's ILC_COLOR* flags.
enum EImageColor {
    IMAGE_COLOR = ILC_COLOR,
    IMAGE_COLOR4 = ILC_COLOR4,
    IMAGE_COLOR8 = ILC_COLOR8,
    IMAGE_COLOR16 = ILC_COLOR16,
    IMAGE_COLOR24 = ILC_COLOR24,
    IMAGE_COLOR32 = ILC_COLOR32,
    IMAGE_COLORDDB = ILC_COLORDDB,
};

// Makes no window of its own: it only keeps a platform image list and a drawing position.
class TSUMIKI_API CImageList : public CControlBase {
public:
    // No list yet; the drawing position is (0, 0).
    CImageList();
    // Copies share one list and add to it together; the list is destroyed once, when the
    // last object holding it lets go (dies, is assigned another list, or makes a new one).
    CImageList(const CImageList& other);
    // Gives up this object's share of its old list and shares the other's list and position.
    CImageList& operator=(const CImageList& other);
    // Lets go of this object's share of its list.
    ~CImageList() override;

    // Makes a new, empty list of images width x height in the colour depth, with a mask
    // when asked, room for initialCount images at first and growing by one. This object
    // lets go of its earlier list (copies that share it keep it); the drawing position stays.
    // False, with no list held, when the platform refuses the list.
    bool Create(int initialCount, int width, int height, EImageColor color, bool mask);
    // Appends a copy of the icon's image, at the next index from 0. The caller keeps the icon.
    // Without a list nothing happens.
    void AddIcon(HICON icon);
    // Where Draw puts an image's top-left corner, in the coordinates of the device context
    // given to Draw. Draws nothing.
    void SetPos(int x, int y);
    // Draws image `index` at the drawing position. An index that holds no image, or no
    // list, draws nothing.
    void Draw(HDC dc, int index);
    // The platform list, for the calls this class does not wrap; null without one. It stays
    // owned by this object and its copies: do not destroy it.
    HIMAGELIST GetHandle() const;

    // Whether the common controls were initialised for image lists in this process.
    static bool m_bOnce;

private:
    struct List;

    int m_X;
    int m_Y;
    // The list, shared by the copies; the last one to let go destroys it.
    std::shared_ptr<List> m_ImageList;
};

// ---- List view -------------------------------------------------------------------------

// What CListView::SetColumnWidth may take instead of a width in pixels (the platform's
// LVSCW_* sizes): COLUMN_FIT_CONTENT makes a column as wide as its widest cell,
// COLUMN_FIT_HEADER as wide as its header text and widest cell, the last column filling
// the rest of the list's width.
enum EColumnWidth {
    COLUMN_FIT_CONTENT = LVSCW_AUTOSIZE,
    COLUMN_FIT_HEADER = LVSCW_AUTOSIZE_USEHEADER,
};

// How CListView::SortByColumn compares the cells of a column: SORT_TEXT as the user's
// locale orders text, ignoring case; SORT_NUMBER as decimal numbers ("-2.5", "1e3"), a
// cell that is not one (an empty cell, say) coming after every number in either order.
enum ESortKind {
    SORT_TEXT,
    SORT_NUMBER,
};

// A report-view list. Columns are added left to right; a row is added by the text of its
// first column, and AddAttribute then fills the row's next empty column (or AddRow adds a
// whole row at once). The object counts columns, rows and each row's filled columns
// itself: the counts follow the calls, also when the control refused an insertion or does
// not exist yet, so they can differ from what the control shows. A null text is empty
// text. The parent recognises a newly selected row and a click on a column's header in
// its OnNotify:
//     int row;
//     if (m_List.IsSelect(WM_NOTIFY, id, reinterpret_cast<LPARAM>(header), &row)) ...
class TSUMIKI_API CListView : public CControlBase {
public:
    // No control, no columns, no rows.
    CListView();
    // A copy refers to the same control and takes its own copy of the counts; from then on
    // each object counts only the calls made on it.
    CListView(const CListView& other);
    // The same copy into an existing object; assigning an object to itself changes nothing.
    CListView& operator=(const CListView& other);
    // Forgets the counts; the control stays with its parent.
    ~CListView() override;

    // Makes a report-view list (class "SysListView32") with no columns. True when the
    // control exists.
    bool Create(HWND parent, int x, int y, int width, int height);
    // Appends a left-aligned column width pixels wide.
    void AddColumn(const wchar_t* text, int width);
    // Appends a row whose first column holds the text; its other columns are empty.
    void AddItem(const wchar_t* text);
    // Puts the text into the first empty column of the row. A row outside 0 to
    // GetItemCount() - 1, or whose columns are all filled, is left alone and the text dropped.
    void AddAttribute(const wchar_t* text, int row);
    // Deletes the row; the rows after it move up one place with their counts. A row outside
    // 0 to GetItemCount() - 1 changes nothing.
    void DeleteItem(int row);
    // The number of rows added and not deleted.
    int GetItemCount() const;
    // How many columns of the row hold text, its first column included; 0 for a row outside
    // 0 to GetItemCount() - 1.
    int GetAttributeCount(int row) const;

    // The first selected row; -1 when none is (or there is no control).
    int GetSelectedRow() const;
    // Makes the row the only selected one, focused and scrolled into view. False, changing
    // nothing, for a row outside 0 to GetItemCount() - 1.
    bool SelectRow(int row);
    // Deletes every row; GetItemCount() is then 0. The columns stay.
    void DeleteAllRows();
    // Replaces the text of one cell (column 0 is the row's first column); null is empty text.
    // The control keeps the whole text, however long; a cell shows only its beginning.
    // AddAttribute goes on filling the row where it stood. False, changing nothing, for a
    // row outside 0 to GetItemCount() - 1 or a column outside 0 to the columns added - 1.
    bool SetCellText(int row, int column, const wchar_t* text);
    // The whole text of one cell; empty for a cell outside the rows and columns (as above).
    std::wstring GetCellText(int row, int column) const
    {
        // The control says only how much it copied: a text that filled the buffer may go on.
        // The buffer stops growing before its size would leave int.
        std::wstring text(255, L'\0');
        for (;;) {
            const int room = static_cast<int>(text.size());
            const int length = GetCellText(row, column, &text[0], room + 1);
            if (length < room || room >= (1 << 29)) {
                text.resize(length > 0 ? static_cast<size_t>(length) : 0);
                return text;
            }
            text.resize(text.size() * 2 + 1);
        }
    }
    // Copies the cell's text into buffer, at most size - 1 characters and a terminating
    // null, and returns how many characters it copied. For a cell outside the rows and
    // columns (as above) it writes an empty text and returns -1; with a null buffer or a
    // size below 1 it writes nothing and returns -1.
    int GetCellText(int row, int column, wchar_t* buffer, int size) const;

    // Appends one row holding the cells from the first column on (null is empty text; an
    // empty list gives a row of empty cells); cells beyond the columns are dropped, as
    // AddItem followed by AddAttribute for each further cell would. Returns the row's
    // index, GetItemCount() - 1.
    int AddRow(std::initializer_list<const wchar_t*> cells);
    // The same, for cells held in strings.
    int AddRow(const std::vector<std::wstring>& cells);
    // True when the message the parent received (OnNotify's WM_NOTIFY, identifier and
    // header) reports that a row of this list has just become selected, by a click, by the
    // keys or by SelectRow; the row goes to *row when row is not null. False for a row
    // losing its selection, a change of focus alone, and other controls' messages.
    bool IsSelect(UINT message, WPARAM wParam, LPARAM lParam, int* row = nullptr) const;
    // True when the message reports a click on a column's header; the column, from 0, goes
    // to *column when column is not null. Sorting is the caller's: see SortByColumn.
    bool IsColumnClick(UINT message, WPARAM wParam, LPARAM lParam, int* column) const;
    // Turns on (or off) the highlight of the whole row, not only its first cell, and
    // selection by a click on any of its cells. Nothing without a control.
    void SetFullRowSelect(bool on);
    // Turns on (or off) lines between the rows and columns. Nothing without a control.
    void SetGridLines(bool on);
    // One row selected at a time, and kept marked while another control has the focus (a
    // list beside a form that edits its row); off gives back several rows, marked only
    // while the list has the focus. Nothing without a control.
    void SetSingleSelect(bool on);
    // Off: rows added or removed are not drawn one by one (fill a long list between the two
    // calls); on again draws the list once. Nothing without a control.
    void SetRedraw(bool on);
    // Sets a column's width in pixels (0 to 32767; more is taken as 32767), or fits it with
    // COLUMN_FIT_CONTENT or COLUMN_FIT_HEADER. Another negative width, a column outside 0 to
    // the columns added - 1, or no control changes nothing.
    void SetColumnWidth(int column, int width);
    // A column's width in pixels; 0 for a column outside 0 to the columns added - 1 or
    // without a control.
    int GetColumnWidth(int column) const;
    // Where a cell (the first column's: its text, without the icon) or a column's header
    // lies, in the list's client coordinates, scrolled as the list is now: to click it, or to
    // draw beside it. False, leaving *rect as it was, for a row or column outside those
    // added, a null rect, or no control.
    bool GetCellRect(int row, int column, RECT* rect) const;
    bool GetHeaderRect(int column, RECT* rect) const;
    // Puts the rows in the order of one column's cells, ascending or descending, compared
    // as the kind says. Rows with equal cells keep their order (the sort is stable), and
    // each row takes its cells, its state (selection, focus), its data (lParam) and its
    // counts of filled columns along; the focused row is scrolled into view. A column outside 0 to the columns
    // added - 1, another kind, no control, or a control whose rows are not the ones
    // counted here (it refused some) changes nothing. Use it on the control's thread.
    void SortByColumn(int column, bool ascending, ESortKind kind);

    // Whether the list-view class was registered in this process.
    static bool m_bOnce;

private:
    // Whether the row and column name a cell of the control.
    bool IsCell(int row, int column) const;

    int m_ColumnCount;
    // One entry per row, in row order: how many of its columns hold text.
    std::vector<int> m_AttributeCount;
};

// ---- Progress bar ----------------------------------------------------------------------

// Range, position and step live in the control; the object keeps a copy of the step, so
// that UpdateStep can stop at the maximum where the control's own stepping would wrap.
// Limits are 32-bit values.
class TSUMIKI_API CProgressBar : public CControlBase {
public:
    // No control; the step is 0.
    CProgressBar();
    // A copy refers to the same control and keeps the same step.
    CProgressBar(const CProgressBar& other);
    // The same copy into an existing object.
    CProgressBar& operator=(const CProgressBar& other);
    // The control stays with its parent.
    ~CProgressBar() override;

    // Makes a bordered bar (class "msctls_progress32") with the range from the smaller to
    // the larger limit, position 0 (or the nearest limit) and the step. True when the
    // control exists; when it does not, the step is not kept.
    bool Create(HWND parent, int minimum, int maximum, int step, int x, int y, int width,
                int height);
    // Sets the range with the limits in the order given (no exchange).
    void SetMinMax(int minimum, int maximum);
    // Moves the bar; the control keeps the position within its range.
    void SetPos(int position);
    // Sets the step UpdateStep and the control advance by.
    void SetStep(int step);
    // Advances one step. A step that would reach or pass the maximum puts the bar exactly at
    // the maximum and answers true; so does a bar already full. False otherwise.
    bool UpdateStep();
    // The control's lower limit; 0 without a control.
    int GetMin() const;
    // The control's upper limit; 0 without a control.
    int GetMax() const;
    // The control's position; 0 without a control.
    int GetPos() const;

    // Whether the progress-bar class was registered in this process.
    static bool m_bOnce;

private:
    int m_Step;
};

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
    // Selects the first tab with this text as a click on it does: the parent hears
    // TCN_SELCHANGING (an answer of TRUE keeps the tab that was selected) and then
    // TCN_SELCHANGE, which IsSelect recognises. The tab already selected says nothing, as
    // a click on it does. True when the tab is selected afterwards; false for a text no tab
    // of this object has, or without a control.
    bool Select(const wchar_t* text);

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
    // Selects the first item with this text as a click on it does (its parents open to show
    // it): the parent hears TVN_SELCHANGINGW and TVN_SELCHANGEDW, which IsSelect
    // recognises. True when the item is selected afterwards; false for a text no item of
    // this object has, or without a control.
    bool Select(const wchar_t* text);
    // Opens (or closes) the first item with this text, showing (or hiding) the items under
    // it. True when the item is open (closed) afterwards; false for a text no item of this
    // object has, an item with nothing under it, or no control.
    bool Expand(const wchar_t* text, bool open = true);

    // True once the tree-view class is registered; shared by every CTreeView.
    static bool m_bOnce;

private:
    // Item text to the first item with that text; the items belong to the control.
    std::map<std::wstring, HTREEITEM> m_ItemMap;
};

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CUpDown;
using tsumiki::CImageList;
using tsumiki::CListView;
using tsumiki::CProgressBar;
using tsumiki::CTab;
using tsumiki::CTreeView;
using tsumiki::EImageColor;
using tsumiki::IMAGE_COLOR;
using tsumiki::IMAGE_COLOR4;
using tsumiki::IMAGE_COLOR8;
using tsumiki::IMAGE_COLOR16;
using tsumiki::IMAGE_COLOR24;
using tsumiki::IMAGE_COLOR32;
using tsumiki::IMAGE_COLORDDB;
using tsumiki::EColumnWidth;
using tsumiki::COLUMN_FIT_CONTENT;
using tsumiki::COLUMN_FIT_HEADER;
using tsumiki::ESortKind;
using tsumiki::SORT_TEXT;
using tsumiki::SORT_NUMBER;
#endif
