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
//
// Every Create takes a fresh identifier from the library's counter (also when it fails) and
// places a visible child window on the parent; its notifications arrive at the parent's
// OnCommand. Copies refer to the same control; no object destroys its control.
#pragma once

#include "tsumiki/framework.h"

class TSUMIKI_API CButton : public CControlBase {
public:
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // True when the command identifier an OnCommand handler received is this button's.
    bool IsPush(int id) const;
};

class TSUMIKI_API CCheckBox : public CControlBase {
public:
    // The text stands left of the box. A click does not check the box by itself.
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    void SetCheck(bool check);
    bool IsCheck() const;
    // Flips the box when `control` (the handle an OnCommand handler received) is this box.
    void ToggleCheck(HWND control);
};

class TSUMIKI_API CGroupBox : public CControlBase {
public:
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
};

class TSUMIKI_API CStatic : public CControlBase {
public:
    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // A null text is empty text.
    void SetText(const wchar_t* text);
};

class TSUMIKI_API CEdit : public CControlBase {
public:
    CEdit();

    bool Create(HWND parent, int x, int y, int width, int height, const wchar_t* text);
    // A null text is empty text.
    void SetText(const wchar_t* text);
    // Copies at most maxCount - 1 characters and a terminating null. With a null buffer or
    // maxCount <= 0 nothing is written.
    void GetText(wchar_t* buffer, int maxCount) const;
    // Appends after the whole text, whatever the user has selected, and leaves the caret
    // at the end. Line breaks ("\r\n") must be part of the text.
    void AddText(const wchar_t* text);
    int GetTextLength() const;

protected:
    // The edit variants differ only in the style word they create their control with.
    explicit CEdit(DWORD style);

private:
    DWORD m_dwStyle;
};

class TSUMIKI_API CEditReadOnly : public CEdit {
public:
    CEditReadOnly();
};

class TSUMIKI_API CEditMultiLine : public CEdit {
public:
    CEditMultiLine();
};

class TSUMIKI_API CEditMultiLineReadOnly : public CEdit {
public:
    CEditMultiLineReadOnly();
};
