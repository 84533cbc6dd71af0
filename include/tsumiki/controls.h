// Standard controls: wrappers of the classic control classes.
//
// Classes in this file:
//   CButton                 push button; recognises its own click in OnCommand
//   CCheckBox               check box that changes state only when told (ToggleCheck)
//   CGroupBox               frame with a caption around other controls
//   CStatic                 static text
//   CEdit                   single-line edit with a border; base of the edit family
//   CEditReadOnly           single-line edit the user cannot change
//   CEditMultiLine          multi-line edit with a vertical scroll bar and no border
//   CEditMultiLineReadOnly  multi-line edit the user cannot change, for logs
//   CListBox                sorted list box whose items are addressed by index
//   CComboBox               sorted drop-down list (no typing) whose items are addressed by index
//   CRadioButton            automatic radio buttons, one object making a group per parent
//   CScrollBarBase          a stand-alone scroll bar whose object keeps the position
//   CScrollBarHorizon       horizontal scroll bar, reporting through OnHScroll
//   CScrollBarVertical      vertical scroll bar, reporting through OnVScroll
//   CEditUpDown             single-line edit with its own spin arrows and range
// Free functions:
//   UseStandardButtonStyles  check boxes and radio buttons as Windows programs show them
//
// Every Create takes a fresh identifier from the library's counter (also when it fails) and
// places a visible child window on the parent; its notifications arrive at the parent's
// OnCommand. Copies refer to the same control; no object destroys its control.
#pragma once

#include "tsumiki/framework.h"
#include "tsumiki/common_controls.h"

#include <cwchar>
#include <list>
#include <map>
#include <string>

namespace tsumiki {

// A push button whose clicks reach the parent's OnCommand as BN_CLICKED.
class TSUMIKI_API CButton : public CControlBase {
public:
    // Places the button with the text on it.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // True when the command identifier an OnCommand handler received is this button's.
    bool IsPush(int id) const;

    // Makes this the default push button of its window (BS_DEFPUSHBUTTON, the heavier
    // border), the one Enter presses: Enter on the window, or on a control of it that does
    // not keep Enter for itself (a multi-line edit with ES_WANTRETURN, an open drop-down
    // list), reaches OnCommand with this button's identifier and BN_CLICKED; on a focused
    // push button Enter presses that one, as in a dialog. On a dialog it goes through the
    // dialog manager (DM_SETDEFID); a frame window answers DM_GETDEFID and DM_SETDEFID (the
    // messages WM_USER and WM_USER + 1) from then on, as a dialog does. One default per
    // window: the one before loses its border. false takes this button's default back
    // (Enter then does what it did before). Nothing without a control. Use it on the
    // window's thread.
    void SetDefault(bool on = true);
};

// A check box that changes state only when told (ToggleCheck, SetCheck), or, made after
// UseStandardButtonStyles(), one that a click checks, as on any Windows form.
class TSUMIKI_API CCheckBox : public CControlBase {
public:
    // The text stands left of the box. A click does not check the box by itself. After
    // UseStandardButtonStyles() the text stands right of the box and a click checks and
    // clears it (BS_AUTOCHECKBOX): do not ToggleCheck on its clicks then, or the click is
    // undone.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // Checks or clears the box.
    void SetCheck(bool check);
    // Whether the box is checked.
    bool IsCheck() const;
    // Flips the box when `control` (the handle an OnCommand handler received) is this box,
    // whichever style it has.
    void ToggleCheck(HWND control);
};

// A frame with a caption, drawn around other controls (which are its parent's children).
// Its inside shows what lies beneath it: the window's background (a frame window's back
// buffer, as last painted; a dialog's colour) and a control beneath it that covers most of
// it (a tab control); the controls on it paint themselves. It is painted again after each paint of
// its window.
class TSUMIKI_API CGroupBox : public CControlBase {
public:
    // Places the frame with the caption at its top-left.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
};

// A line or block of text the user cannot change.
class TSUMIKI_API CStatic : public CControlBase {
public:
    // Places the text; longer text wraps within the width.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // A null text is empty text.
    void SetText(const wchar_t* text);
};

// A single-line edit with a border; the base of the edit family.
class TSUMIKI_API CEdit : public CControlBase {
public:
    // A single-line edit with a border, once created.
    CEdit();

    // Places the edit holding the text.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // A null text is empty text.
    void SetText(const wchar_t* text);
    // Copies at most maxCount - 1 characters and a terminating null. With a null buffer or
    // maxCount <= 0 nothing is written.
    void GetText(wchar_t* buffer, int maxCount) const;
    // The whole text, however long; empty without a control.
    std::wstring GetText() const
    {
        std::wstring text(static_cast<size_t>(GetTextLength()) + 1, L'\0');
        GetText(&text[0], static_cast<int>(text.size()));
        // The length the platform gives may be more than the text (never less).
        text.resize(std::wcslen(text.c_str()));
        return text;
    }
    // Appends after the whole text, whatever the user has selected, and leaves the caret
    // at the end. Line breaks ("\r\n") must be part of the text.
    void AddText(const wchar_t* text);
    // The number of characters in the edit.
    int GetTextLength() const;

protected:
    // The edit variants differ only in the style word they create their control with.
    explicit CEdit(DWORD style);

private:
    DWORD m_dwStyle;
};

// A single-line edit the user can read and select but not change.
class TSUMIKI_API CEditReadOnly : public CEdit {
public:
    // A read-only single-line edit, once created.
    CEditReadOnly();
};

// A multi-line edit with a vertical scroll bar, where Enter starts a new line.
class TSUMIKI_API CEditMultiLine : public CEdit {
public:
    // A multi-line edit, once created.
    CEditMultiLine();
};

// A multi-line edit the user cannot change: a log, with AddText.
class TSUMIKI_API CEditMultiLineReadOnly : public CEdit {
public:
    // A read-only multi-line edit, once created.
    CEditMultiLineReadOnly();
};

// Item texts are UTF-16. The const char* forms of AddList and Search hand their pointer to the
// control as it is, so it must point at UTF-16 text (a wide string cast to const char*);
// nothing converts narrow text, and AddList("abc") would read past the string. They are
// deprecated: use the const wchar_t* forms, which need no cast.
// A null text is empty text. Indices follow the control's sorted order (case is ignored),
// so adding an item moves the indices of the items after it.
class TSUMIKI_API CListBox : public CControlBase {
public:
    // A list box with a border and a vertical scroll bar that notifies its parent of
    // selection changes (LBN_SELCHANGE) and double clicks.
    bool Create(HWND parent, int x, int y, int width, int height);
    // Adds an item at its sorted place; the selection stays where it was.
    [[deprecated("reads the pointer as UTF-16 text: use AddList(const wchar_t*) with a wide string")]]
    void AddList(const char* text);
    // Adds an item at its sorted place; the selection stays where it was.
    void AddList(const wchar_t* text);
    // Removes the item at index; an index outside 0 .. GetItemNum() - 1 changes nothing.
    void DelList(int index);
    // Removes every item; nothing is selected afterwards.
    void AllDelList();
    // Selects the item at index; an index outside 0 .. GetItemNum() - 1 changes nothing
    // (so -1 does not clear the selection).
    void SetCursor(int index);
    // The selected index, or -1 when nothing is selected.
    int GetCursor() const;
    // The number of items.
    int GetItemNum() const;
    // The height of a row in pixels (a list as tall as its rows is GetItemNum() times this
    // plus its borders); 0 without a control.
    int GetItemHeight() const;
    // The length in characters of the item's text; 0 for an index out of range.
    int Strlen(int index) const;
    // The item's text; empty for an index out of range.
    std::wstring GetText(int index) const;
    // Selects the first item whose text begins with text, ignoring case; when none does,
    // the selection stays as it was.
    [[deprecated("reads the pointer as UTF-16 text: use Search(const wchar_t*) with a wide string")]]
    void Search(const char* text);
    // Selects the first item whose text begins with text, ignoring case; when none does,
    // the selection stays as it was.
    void Search(const wchar_t* text);
};

// The same item operations as CListBox (texts as described there); only the
// selection differs: every AddList selects index 0.
class TSUMIKI_API CComboBox : public CControlBase {
public:
    // A drop-down list that cannot be typed into; height is the height with the list
    // dropped down. Selection changes arrive at the parent as CBN_SELCHANGE.
    bool CreateComboBox(HWND parent, int x, int y, int width, int height);
    // Adds an item at its sorted place, then selects index 0 (the first in sorted order).
    [[deprecated("reads the pointer as UTF-16 text: use AddList(const wchar_t*) with a wide string")]]
    void AddList(const char* text);
    // Adds an item at its sorted place, then selects index 0 (the first in sorted order).
    void AddList(const wchar_t* text);
    // Removes the item at index; an index outside 0 .. GetItemNum() - 1 changes nothing.
    void DelList(int index);
    // Removes every item; nothing is selected afterwards.
    void AllDelList();
    // Selects the item at index without telling the parent (no CBN_SELCHANGE); an index
    // outside 0 .. GetItemNum() - 1 changes nothing.
    void SetCursor(int index);
    // The selected index, or -1 when nothing is selected.
    int GetCursor() const;
    // The number of items.
    int GetItemNum() const;
    // The length in characters of the item's text; 0 for an index out of range.
    int Strlen(int index) const;
    // The item's text; empty for an index out of range.
    std::wstring GetText(int index) const;
    // Selects the first item whose text begins with text, ignoring case; when none does,
    // the selection stays as it was.
    [[deprecated("reads the pointer as UTF-16 text: use Search(const wchar_t*) with a wide string")]]
    void Search(const char* text);
    // Selects the first item whose text begins with text, ignoring case; when none does,
    // the selection stays as it was.
    void Search(const wchar_t* text);
};

// Every successful Create adds one more automatic radio button (text left of the circle,
// or right of it when made after UseStandardButtonStyles())
// and makes it the object's current button; the object remembers, per parent, the
// buttons it made there. A click by the user checks the clicked button and unchecks the
// others of the parent through the platform. Copies take the remembered buttons as they
// stand and go their own way afterwards.
class TSUMIKI_API CRadioButton : public CControlBase {
public:
    // Creates one more button under parent and makes it the current button. A failure
    // leaves the remembered buttons as they were but no current button.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // Checks the current button and unchecks the other buttons this object made under
    // the same parent (buttons of other objects are left alone).
    void SetCheck();
    // True when the current (newest) button is checked.
    bool IsCheck() const;
    // The position, in creation order from 0, of the checked button among those this object
    // made under the current button's parent; -1 when none is checked (or there is none).
    int GetCheckedIndex() const;
    // Checks the button at that position (as GetCheckedIndex counts) and unchecks the
    // others this object made under the same parent. False, changing nothing, for a
    // position outside them or a button that has been destroyed.
    bool SetCheckedIndex(int index);

    // The handle of the button at that position (as GetCheckedIndex counts: in creation
    // order from 0, among the buttons this object made under the current button's parent);
    // null for a position outside them or without a current button.
    HWND GetButton(int index) const;

private:
    // The buttons this object made under the current button's parent; null when none.
    const std::list<HWND>* CurrentGroup() const;

    // Parent window -> its buttons made by this object, in the order they were made.
    std::map<HWND, std::list<HWND>> m_GroupMap;
};

// The object, not the control, is the authority on the position: the parent hands the
// scroll messages it receives to Scroll, which works out the position, keeps it within
// the range and moves the control's thumb. The page is 10. A copy refers to the same
// control but keeps a range and position of its own.
class TSUMIKI_API CScrollBarBase : public CControlBase {
public:
    // A horizontal bar with range, page and position all 0 until Create.
    CScrollBarBase();

    // Creates the bar with the range min .. max (taken as given) and a page of 10. The
    // stored position carries over and is not sent, so a new object reads 0 until the
    // first SetCursorPos or Scroll.
    bool Create(HWND parent, int x, int y, int width, int height, int min, int max);
    // The stored position (the control is not asked).
    int GetCursorPos() const;
    // Stores pos, raised to the minimum and then lowered to the maximum, and moves the thumb.
    void SetCursorPos(int pos);
    // Give it what OnHScroll / OnVScroll received. False, changing nothing, when control is
    // not this bar; otherwise moves the position by the code (line 1, page 10, thumb
    // position, ends), keeps it in the range, moves the thumb and returns true, also for
    // codes that move nothing (SB_THUMBTRACK, SB_ENDSCROLL). A thumb dropped above 32767
    // arrives as a negative 16-bit number; on a bar whose range reaches past 32767 the
    // thumb's own position is then taken instead.
    virtual bool Scroll(HWND control, UINT code, int pos) = 0;

protected:
    // Both bars scroll alike; they differ only in the message that reports them.
    bool ScrollBy(HWND control, UINT code, int pos);
    // Sends the stored position to the control.
    void SendPosition();

    // The range, page and position: the object, not the control, is the authority on them.
    SCROLLINFO m_ScrollInfo;
    // SBS_HORZ or SBS_VERT with the child style words the bar is created with.
    DWORD m_dwStyle;
};

// A stand-alone horizontal scroll bar; the parent's OnHScroll hands its requests to Scroll.
class TSUMIKI_API CScrollBarHorizon : public CScrollBarBase {
public:
    // Applies a WM_HSCROLL request as CScrollBarBase::Scroll describes.
    bool Scroll(HWND control, UINT code, int pos) override;
};

// A stand-alone vertical scroll bar; the parent's OnVScroll hands its requests to Scroll.
class TSUMIKI_API CScrollBarVertical : public CScrollBarBase {
public:
    // Creates a vertical bar; otherwise as CScrollBarBase::Create.
    bool Create(HWND parent, int x, int y, int width, int height, int min, int max);
    // Applies a WM_VSCROLL request as CScrollBarBase::Scroll describes.
    bool Scroll(HWND control, UINT code, int pos) override;
};

// An edit showing a number, with spin arrows at its right edge that step it within a
// range; the Up and Down keys in the edit step it too. The edit's text is the number
// (read it with GetText). Copies refer to the same edit and arrows.
class TSUMIKI_API CEditUpDown : public CEdit {
public:
    // The style of a plain CEdit; no window until Create.
    CEditUpDown();

    // Creates the edit showing pos, then the arrows with the limits (in either order,
    // -32768 .. 32767), which put pos, kept within the limits, into the edit. Takes two
    // identifiers, the edit's first. True when both exist; when the arrows fail the edit
    // stays on the parent.
    bool Create(HWND parent, int x, int y, int width, int height, int limit1, int limit2,
                int pos);
    // The arrows, for their range and position.
    const CUpDown& GetUpDown() const;
    // Shows the number, brought within the arrows' range first. Nothing without a Create.
    void SetPos(int pos);
    // The number the edit shows. When its text is not a number within the range (the user
    // may type anything), the arrows' last position instead; 0 without a Create.
    int GetPos() const;
    // Moves and sizes the edit together with its arrows, which stay against its right
    // edge (the edit is narrowed to make room for them, as at Create).
    void Move(int x, int y, int width, int height);

private:
    // Hides the text-taking CEdit::Create: this edit is made only with a range.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);

    CUpDown m_UpDown;
};

// From this call on, for the whole process, check boxes (CCheckBox) and radio buttons
// (CRadioButton) the library makes get the styles Windows programs show: the text right
// of the box or circle, and for a check box a click that checks and clears it
// (BS_AUTOCHECKBOX). false brings back the library's own styles for the controls made
// after it. Controls made before keep theirs. Any thread.
TSUMIKI_API void UseStandardButtonStyles(bool on = true);

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CButton;
using tsumiki::CCheckBox;
using tsumiki::CGroupBox;
using tsumiki::CStatic;
using tsumiki::CEdit;
using tsumiki::CEditReadOnly;
using tsumiki::CEditMultiLine;
using tsumiki::CEditMultiLineReadOnly;
using tsumiki::CListBox;
using tsumiki::CComboBox;
using tsumiki::CRadioButton;
using tsumiki::CScrollBarBase;
using tsumiki::CScrollBarHorizon;
using tsumiki::CScrollBarVertical;
using tsumiki::CEditUpDown;
using tsumiki::UseStandardButtonStyles;
#endif
