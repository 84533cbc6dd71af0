// The showcase's library of pictures.
// Shows: a CListView in report view (columns, rows added by name and filled column after
// column with AddAttribute, rows deleted with DeleteItem), a CImageList whose icons are
// drawn beside the rows with SetPos and Draw, and a CProgressBar stepped with UpdateStep
// while the panel catalogues the scene's pictures, until the bar says it is full.
#pragma once

#include <tsumiki.h>

#include <vector>

#include "scene.h"

// A strip beside a list view that draws each row's icon level with the row.
class IconStrip : public CStatic {
public:
    // A static control subclassed to itself; rows and icons must outlive it. Icon i goes
    // beside row i.
    bool Create(HWND parent, int x, int y, int width, int height, const CListView& rows,
                CImageList& icons);
    // Paints the icons itself and leaves every other message to the static control.
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HWND hwnd);

    const CListView* m_Rows = nullptr;
    CImageList* m_Icons = nullptr;
};

class LibraryPanel {
public:
    // The height the panel takes below the (x, y) given to Create.
    static constexpr int kHeight = 290;

    // Places the panel's controls on the parent with their top-left corner at (x, y).
    void Create(HWND parent, int x, int y);
    // Shows or hides every control of the panel.
    void Show(bool visible);
    // Starts cataloguing the pictures afresh: an empty list, then one picture every few ticks.
    void Catalogue(std::vector<Scene::Picture> pictures);
    // Gives the panel its share of the window's timer ticks.
    void OnTick(unsigned tick);
    // Handles the parent's WM_COMMAND; true when it was one of the panel's controls.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Keeps the panel at the window's right edge: the list grows down, the bar, the status
    // and the button stay at the bottom.
    void Anchor(CWindowBase& window) const;

private:
    void CatalogueNext();
    void SetStatus();

    CStatic m_Title;
    IconStrip m_Strip;
    CListView m_List;
    CImageList m_Icons;
    CProgressBar m_Bar;
    CStatic m_Status;
    CButton m_Again;
    std::vector<Scene::Picture> m_Pictures;
    size_t m_Next = 0;
    bool m_Running = false;
};
