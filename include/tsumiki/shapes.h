// Shaped windows and bitmap buttons.
//
// Classes in this file:
//   CRegion        a window region made of the pure black pixels of a bitmap
//   CCustomButton  a shaped owner-drawn push button made of normal, pressed and mask bitmaps
#pragma once

#include <windows.h>

#include <memory>

#include "tsumiki/framework.h"

namespace tsumiki {

// ---- Region ----------------------------------------------------------------------------

// A region in window coordinates holding exactly the pure black pixels (RGB(0, 0, 0)) of a
// bitmap, one bitmap pixel per window pixel; every other colour, near-black included, is
// left out. Bitmaps of every depth work, palettes included.
//
// Ownership: copies share one region, deleted once, by the last copy to let go. Once a
// window has accepted the region (SetRegion), the window owns it and the object and all
// its copies give it up: GetRegion then answers null.
class TSUMIKI_API CRegion {
public:
    // Holds no region.
    CRegion();
    // The copy shares the region of the source.
    CRegion(const CRegion& other);
    // Lets go of this object's region and shares the source's.
    CRegion& operator=(const CRegion& other);
    // Deletes the region when no copy holds it any more and no window owns it.
    virtual ~CRegion();

    // Builds the region from a bitmap file. False, keeping the region held before, when
    // the file is missing, is not a bitmap, or declares a size no window could have.
    bool CreateRegionFromBMP(HWND window, const wchar_t* path);
    // Builds the region from the bitmap, which is only read. The window (null for the
    // screen) gives the device context the bitmap's colours are read through. False,
    // keeping the region held before, for a null or invalid bitmap or one of a size no
    // window could have.
    bool CreateRegionFromHBITMAP(HWND window, HBITMAP bitmap);
    // Shapes the window with the region and redraws it. On success the window owns the
    // region and this object (with its copies) holds none; a null region takes the
    // window's shape away. False when the platform refuses, the region being kept.
    bool SetRegion(HWND window);
    // The region held, null before a build and after SetRegion. The object still owns it:
    // do not delete it or hand it to SetWindowRgn (copy it with CombineRgn first).
    HRGN GetRegion() const;

    // The owner of the region handle, shared by copies; defined inside the library.
    struct Shared;

private:
    // Copies share one owner of the handle; it deletes the region unless given up.
    std::shared_ptr<Shared> m_hRgn;
};

// ---- Bitmap button ---------------------------------------------------------------------

// A push button drawn from two pictures and shaped by a mask: the pure black pixels of the
// mask are the button, every other pixel is cut away, and the button takes the mask's
// size. While the left mouse button is held on it the pressed picture shows; a click
// reaches the parent's OnCommand as BN_CLICKED, which IsPush recognises. The second press
// of a double click and the space bar click without showing the pressed picture.
//
// Ownership: copies share the three pictures, which the last copy deletes; the window owns
// the shape. The window is subclassed to the object that created it.
class TSUMIKI_API CCustomButton : public CControlBase {
public:
    // No button and no pictures until Create.
    CCustomButton();
    // The copy refers to the same button and shares its pictures.
    CCustomButton(const CCustomButton& other);
    // Lets go of this object's pictures and shares the source's.
    CCustomButton& operator=(const CCustomButton& other);
    // Deletes the pictures when no copy holds them any more; never destroys the button.
    ~CCustomButton() override;

    // Places the button with its top-left corner at (x, y) on the parent, from three
    // bitmap files. Each file that does not load is reported in its own message box, in
    // the order normal, pressed, mask. Without a mask there is nothing to size or shape
    // the button by: false. Otherwise true when the button exists and is shaped; a missing
    // normal or pressed picture leaves it undrawn. The pictures are drawn from their
    // top-left corner at the mask's size. Call it once per object.
    bool Create(HWND parent, int x, int y, const wchar_t* normalPath, const wchar_t* pushPath,
                const wchar_t* maskPath);
    // True when the command identifier an OnCommand handler received is this button's.
    bool IsPush(int id) const;
    // Paints the picture of the current state and follows the left mouse button; every
    // message goes on to the button class, except painting and erasing. An override that
    // does not end in this for the rest loses the button's painting and its clicks.
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The owner of the three pictures, shared by copies; defined inside the library.
    struct Pictures;

protected:
    // The pictures in use; null where the file did not load (or before Create).
    HBITMAP GetNormalBitmap() const;
    HBITMAP GetPushBitmap() const;
    HBITMAP GetMaskBitmap() const;

    // True from a left press on the button to its release: the pressed picture shows.
    bool m_bPush;
    // Copies share the three pictures; the last one to let go deletes them.
    std::shared_ptr<Pictures> m_Pictures;
    // The shape built from the mask; empty once the button's window owns it.
    CRegion m_Region;

private:
    void InvalidateButton(HWND hwnd);
    void Paint(HWND hwnd);
};

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CRegion;
using tsumiki::CCustomButton;
#endif
