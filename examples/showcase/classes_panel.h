// The showcase's guide to the library: a CTreeView of its classes under the headers that
// declare them; choosing a class, recognised by its text through CTreeView::IsSelect in
// the window's OnNotify, shows what it does in a CStatic.
#pragma once

#include <tsumiki.h>

class ClassesPanel {
public:
    // Places the tree and the description with their top-left corner at (x, y).
    void Create(HWND parent, int x, int y);
    // Shows or hides the tree and the description.
    void Show(bool visible);
    // Handles the parent's WM_NOTIFY; true when it was the tree's.
    bool OnNotify(HWND hwnd, int id, NMHDR* header);
    // Selects the entry with the text, as a click on it would.
    void Choose(const wchar_t* text);
    // Keeps the panel at the window's right edge: the tree grows down, the description
    // stays at the bottom.
    void Anchor(CWindowBase& window) const;

private:
    CTreeView m_Tree;
    CStatic m_Name;
    CStatic m_Description;
};
