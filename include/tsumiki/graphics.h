// Graphics: GDI+ start-up, the per-window back buffer, pictures and drawing.
//
// Classes in this file:
//   CGdiplus   one GDI+ start-up, shut down when its last copy dies
//   CGraphics  an off-screen GDI+ surface the size of a window's client area, and the
//              drawing of pictures, text, lines, curves and shapes into it
//   EAlign     where text sits in its box, across and down
//   ETextUnit  what a text size counts: points, or pixels of the buffer
//   EImageType the file formats CImage saves
//   CImage     a picture from a file or from memory, with the centre, angle, opacity and
//              colour key it is drawn with
// Free functions:
//   FindImageEncoder  the installed GDI+ encoder for a MIME type
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstddef>
#include <memory>

#include "tsumiki/export.h"

namespace tsumiki {

class CImage;

// Where text sits in the box CGraphics::DrawString lays it out in: at the start (left or
// top), in the middle, or at the end (right or bottom).
enum EAlign {
    ALIGN_NEAR = 0,
    ALIGN_CENTER = 1,
    ALIGN_FAR = 2,
};

// What the size given to CGraphics' text calls counts.
enum ETextUnit {
    TEXT_POINTS = 0,  // points: a size-12 text is 16 pixels high at 96 DPI, 24 at 144
    TEXT_PIXELS = 1,  // the font's em height in the buffer's pixels, at any DPI
};

// One start-up of GDI+, shared by the copies of the object and shut down when the last dies.
class TSUMIKI_API CGdiplus {
public:
    // Starts GDI+ for this object and its copies; independent of the library's own start-up.
    CGdiplus();
    CGdiplus(const CGdiplus& other);
    CGdiplus& operator=(const CGdiplus& other);
    virtual ~CGdiplus();

    // The library's own start-up: started on first need and shut down when the last
    // object that relies on it (back buffer, picture, copy of this result) is gone.
    static CGdiplus Shared();
    // Whether the library's own start-up is running now: from the first object that needs
    // it until the last one relying on it is gone, when GDI+ is shut down.
    static bool IsSharedRunning();

    // Whether this start-up succeeded, and its token (0 when it did not).
    bool IsRunning() const;
    ULONG_PTR GetToken() const;

    struct Startup;

private:
    explicit CGdiplus(std::shared_ptr<Startup> startup);

    // Copies share one start-up; the last copy to die shuts it down.
    std::shared_ptr<Startup> m_Token;
};

// A window's back buffer: an off-screen GDI+ surface the size of the client area, with the
// drawing of pictures, text, lines and curves into it and one call to show it.
class TSUMIKI_API CGraphics {
public:
    CGraphics();
    // Copies draw on the same buffer; it is released when the last copy releases it.
    CGraphics(const CGraphics& other);
    CGraphics& operator=(const CGraphics& other);
    virtual ~CGraphics();

    // Lets go of this object's buffer (copies that share it keep it).
    void Release();
    // Replaces the buffer with a new one of the window's current client size. A size the
    // system cannot make a bitmap of leaves no buffer (the window then paints nothing).
    void CreateBackBuffer(HWND window);
    // Fills the whole buffer with one ARGB colour (blended, as every GDI+ fill).
    bool Clear(unsigned long argb);
    // Replaces the picture with a copy of the buffer's pixels as drawn so far (all of it,
    // opaque), for saving or the clipboard, as CImage::Load replaces it: position and angle
    // are kept. False, with no picture, without a buffer or when the copy cannot be made.
    bool CopyTo(CImage& picture) const;
    // The same for the part of the buffer inside the rectangle (x, y, width, height); false
    // also when no pixel of it lies inside the buffer.
    bool CopyTo(CImage& picture, int x, int y, int width, int height) const;
    // Copies the buffer to the window's invalid region inside BeginPaint/EndPaint. Without
    // a buffer it copies nothing and returns false, but still validates a window of the
    // calling thread, so that a paint never comes back at once.
    bool Present(HWND window);
    // The GDI+ drawing object, for drawing this class does not wrap; null without a buffer.
    // Until it is taken the buffer knows its own settings; once taken, the program may
    // change them at any time, so every drawing the library would write into the pixels
    // itself first asks GDI+ for them (and text is always drawn by GDI+).
    Gdiplus::GpGraphics* GetDrawer() const;

    // Each drawing operation does nothing without a buffer. Pens and brushes are made and
    // deleted within the call; text keeps the last few fonts (by name and size) and its
    // brush for the life of the buffer. While the drawing object is as the library made it,
    // sprites, Clear, FillRectangle, FillEllipse, thin opaque lines and text drawn again are
    // written into the buffer's pixels directly, with the pixels GDI+ would give.

    // The whole picture, centred on the image's position and turned by its angle. With
    // the drawing object as the library made it (no clip, world transform, page scale,
    // compositing or interpolation setting of the client's own) and a picture that carries
    // only the effects CImage sets, the library draws it into the buffer's pixels itself,
    // as GDI+ would and several times faster; otherwise GDI+ draws it.
    void DrawImage(CImage* image);
    // One cell of a picture cut into a grid of equal cells (a sprite sheet), placed as above.
    void DrawImage(CImage* image, const Gdiplus::Size& cell, int column, int row);
    // Text with its top-left at (x, y), size in points (or pixels: SetTextUnit). A font
    // that is not installed falls back to the generic sans-serif family, and when that is
    // missing too, to the first installed family: text is drawn whenever any font is
    // installed. The same text, font, size and colour drawn again (a score, a label) comes
    // from the pixels GDI+ drew for it, kept for the last few dozen such texts.
    void DrawString(const wchar_t* text, float x, float y, float size, Gdiplus::Color color,
                    const wchar_t* fontName);
    // A straight line; one of an opaque colour up to 1 pixel wide, smoothing off, is
    // written into the pixels directly.
    void DrawLine(float x1, float y1, float x2, float y2, Gdiplus::Color color, float width);
    // A cardinal spline through the first `count` points; fewer than two draw nothing.
    void DrawCurve(const Gdiplus::PointF* points, int count, Gdiplus::Color color, float width);

    // Shapes. A rectangle or ellipse is given by its top-left corner and size; one whose
    // width or height is not above 0, or with a coordinate that is not finite, draws
    // nothing. Outlines are centred on the shape's edge: a 1-pixel border of a W x H
    // rectangle covers (W + 1) x (H + 1) pixels. A pen width of 0 draws the thinnest line;
    // a negative or infinite one draws nothing.
    void FillRectangle(float x, float y, float width, float height, Gdiplus::Color color);
    void DrawRectangle(float x, float y, float width, float height, Gdiplus::Color color, float penWidth);
    // The ellipse inside the rectangle.
    void FillEllipse(float x, float y, float width, float height, Gdiplus::Color color);
    void DrawEllipse(float x, float y, float width, float height, Gdiplus::Color color, float penWidth);
    // The closed polygon through the first `count` points (a point inside it is filled when
    // an odd number of edges lies between it and the outside). Fewer than three points,
    // more than kMaxPolygonPoints, or a point that is not finite draw nothing. So does a
    // polygon whose edges cross the buffer's rows so densely (thousands of edges across
    // each row) that filling it would take seconds to hours.
    void FillPolygon(const Gdiplus::PointF* points, int count, Gdiplus::Color color);
    void DrawPolygon(const Gdiplus::PointF* points, int count, Gdiplus::Color color, float penWidth);
    // The most points a polygon may have: drawing time grows with them, and a million
    // take about a quarter of a second.
    static constexpr int kMaxPolygonPoints = 1 << 20;

    // The whole picture scaled into the destination, its top-left at the rectangle's. The
    // image's angle turns it about the rectangle's centre (its position is not used); its
    // opacity and colour key apply. A destination that is not finite or whose width or
    // height is not above 0 draws nothing.
    void DrawImage(CImage* image, const Gdiplus::RectF& destination);
    // One cell of a sprite sheet (as the cell form above) scaled into the destination, as
    // the form just above.
    void DrawImage(CImage* image, const Gdiplus::Size& cell, int column, int row,
                   const Gdiplus::RectF& destination);

    // Anti-aliased shapes, lines and curves (soft edges) or aliased ones (hard pixels,
    // the default). Kept for every buffer this object makes from now on, with or without
    // a buffer now.
    void SetSmoothing(bool smooth);
    // Bilinear scaling of pictures (the default) or nearest-neighbour, which keeps the
    // hard pixels of pixel art. Kept like SetSmoothing.
    void SetImageSmoothing(bool smooth);

    // The size of the box DrawString(text, x, y, ...) fills with this text, font and size
    // (in points or pixels: SetTextUnit; the same fallback of fonts). 0 x 0 without a
    // buffer, for a null or empty text, or a size that is not above 0.
    Gdiplus::SizeF MeasureString(const wchar_t* text, float size, const wchar_t* fontName);
    // Text laid out inside the box: wrapped at word breaks to the box's width, placed by
    // the two alignments, and cut off at the box's edges. A box that is not finite or
    // whose width or height is not above 0 draws nothing.
    void DrawString(const wchar_t* text, const Gdiplus::RectF& box, float size, Gdiplus::Color color,
                    const wchar_t* fontName, EAlign horizontal, EAlign vertical);

    // What the size of MeasureString and both DrawString forms counts: TEXT_POINTS (the
    // default; the buffer's DPI sets the pixels) or TEXT_PIXELS (the em height in buffer
    // pixels, the same at any DPI, as the rest of the drawing is). Kept like SetSmoothing;
    // a value outside ETextUnit is ignored.
    void SetTextUnit(ETextUnit unit);

    struct Surface;

private:
    // Gives a new buffer the smoothing this object was asked for.
    void ApplySmoothing();

    // Copies share one surface; the last one to let go releases it.
    std::shared_ptr<Surface> m_Surface;
    bool m_Smoothing = false;
    bool m_ImageSmoothing = true;
    ETextUnit m_TextUnit = TEXT_POINTS;
};

// The file formats CImage::Save writes.
enum EImageType {
    IMAGE_BMP = 0,
    IMAGE_JPEG = 1,
    IMAGE_GIF = 2,
    IMAGE_PNG = 3,
    IMAGE_TIFF = 4,
};

// A picture loaded from a file or memory, with the centre, angle, opacity and colour key it
// is drawn with by CGraphics::DrawImage.
class TSUMIKI_API CImage {
public:
    CImage();
    // Loads the file as Load does; a missing file leaves an empty image.
    CImage(const wchar_t* path);
    // Copies share the picture and its drawing effects; the last copy releases them.
    CImage(const CImage& other);
    CImage& operator=(const CImage& other);
    virtual ~CImage();

    // Replaces the picture with the file's and resets opacity and colour key. A missing
    // path shows a message box; a file that is not a picture fails without one. On
    // failure the image holds no picture. Position and angle are kept.
    virtual bool Load(const wchar_t* path);
    // Replaces the picture with the one encoded in the bytes (any format Load reads), by
    // the rules of Load for a file that is not a picture: no bytes, or bytes that are not a
    // picture, fail without a message box. The bytes are copied: the caller may free them
    // as soon as this returns.
    bool LoadFromMemory(const void* bytes, std::size_t size);
    // Replaces the picture with what the screen shows of the window now (a screenshot:
    // windows that cover it show too), frame and all, or only its client area. False,
    // with no picture, for a window that is not there or shows no pixel.
    bool LoadFromWindow(HWND window, bool clientAreaOnly = false);
    // Lets go of the picture (copies that share it keep it).
    void Release();
    // Writes the picture in the given format; null parameters take the encoder's defaults.
    // Writes nothing without a picture or for a type outside EImageType.
    void Save(const wchar_t* path, EImageType type, Gdiplus::EncoderParameters* parameters = nullptr);

    // Opacity of the whole picture when drawn, 0 (invisible) to 255 (its own alpha).
    void AlphaBlending(unsigned char alpha);
    // The ARGB colour whose pixels are drawn transparent; replaces the previous key.
    void ColorKey(unsigned long argb);

    // The picture's size in pixels; 0 without a picture.
    int GetWidth() const;
    int GetHeight() const;

    // The centre of the drawn picture, in surface pixels.
    void SetPos(float x, float y);
    Gdiplus::PointF GetPos() const;
    float GetX() const;
    float GetY() const;
    // Degrees, clockwise on screen, about the centre.
    void SetRotate(float degrees);
    float GetRotate() const;

    // The GDI+ picture; null without a picture. CGraphics keeps a copy of the pixels for
    // its fast drawing: a change made through this pointer shows from the next DrawImage
    // on as long as the pointer is fetched again after the previous one. Each call makes
    // the next fast draw copy the picture again: GetWidth() > 0 asks more cheaply whether
    // there is a picture.
    Gdiplus::GpImage* GetPtr() const;
    // The picture's drawing effects; null without a picture. Once they are handed out
    // they may hold effects the library cannot read back, so CGraphics draws this
    // picture through GDI+ from then on (until the next Load).
    Gdiplus::GpImageAttributes* GetAttributes() const;

    struct Picture;

private:
    // Draws the picture with what it knows of the shared effects.
    friend class CGraphics;

    float m_PosX = 0;
    float m_PosY = 0;
    float m_Rotate = 0;
    // Copies share one picture; the last one to let go releases it.
    std::shared_ptr<Picture> m_Picture;
};

// The installed GDI+ encoder for a MIME type such as "image/png", for saving with GDI+
// directly; false when none is installed (or for a null argument). Starts GDI+ for the
// call if nothing else holds it.
TSUMIKI_API bool FindImageEncoder(const wchar_t* mimeType, CLSID* clsid);

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CGdiplus;
using tsumiki::CGraphics;
using tsumiki::CImage;
using tsumiki::EAlign;
using tsumiki::ALIGN_NEAR;
using tsumiki::ALIGN_CENTER;
using tsumiki::ALIGN_FAR;
using tsumiki::ETextUnit;
using tsumiki::TEXT_POINTS;
using tsumiki::TEXT_PIXELS;
using tsumiki::EImageType;
using tsumiki::IMAGE_BMP;
using tsumiki::IMAGE_JPEG;
using tsumiki::IMAGE_GIF;
using tsumiki::IMAGE_PNG;
using tsumiki::IMAGE_TIFF;
using tsumiki::FindImageEncoder;
#endif
