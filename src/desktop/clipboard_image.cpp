// Pictures on the clipboard: a CImage's pixels packed as DIBs, and back.
#include "tsumiki/desktop.h"

#include "desktop/clipboard_session.h"
#include "desktop/packed_dib.h"

#include <cstring>
#include <new>

namespace tsumiki {

using namespace Gdiplus;

namespace {

// Copies the rows GDI+ locked into the pixels.
void CopyRows(const BitmapData& locked, ArgbPixels& pixels)
{
    for (int y = 0; y < pixels.height; ++y) {
        std::memcpy(pixels.argb.data() + static_cast<std::size_t>(y) * pixels.width,
                    static_cast<const unsigned char*>(locked.Scan0) + static_cast<std::ptrdiff_t>(y) * locked.Stride,
                    static_cast<std::size_t>(pixels.width) * 4);
    }
}

// The picture's pixels as straight ARGB; false without a picture or for one too large.
bool ReadPixels(CImage& image, ArgbPixels& pixels)
{
    GpImage* picture = image.GetPtr();
    pixels.width = image.GetWidth();
    pixels.height = image.GetHeight();
    if (!picture || pixels.width <= 0 || pixels.height <= 0 ||
        std::int64_t(pixels.width) * pixels.height > kMaxDibPixels) {
        return false;
    }
    pixels.argb.assign(static_cast<std::size_t>(pixels.width) * pixels.height, 0);
    Rect whole(0, 0, pixels.width, pixels.height);
    ImageType type = ImageTypeUnknown;
    DllExports::GdipGetImageType(picture, &type);
    GpBitmap* bitmap = static_cast<GpBitmap*>(picture);
    bool drawn = false;
    if (type != ImageTypeBitmap) {
        // A metafile has no pixels of its own: it is drawn into a bitmap of its size.
        bitmap = nullptr;
        GpGraphics* graphics = nullptr;
        if (DllExports::GdipCreateBitmapFromScan0(pixels.width, pixels.height, 0, PixelFormat32bppARGB,
                                                  nullptr, &bitmap) != Ok) {
            return false;
        }
        if (DllExports::GdipGetImageGraphicsContext(bitmap, &graphics) == Ok) {
            drawn = DllExports::GdipDrawImageRectI(graphics, picture, 0, 0, pixels.width, pixels.height) == Ok;
            DllExports::GdipDeleteGraphics(graphics);
        }
    }
    BitmapData locked = {};
    bool read = (type == ImageTypeBitmap || drawn) &&
                DllExports::GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead, PixelFormat32bppARGB,
                                               &locked) == Ok;
    if (read) {
        CopyRows(locked, pixels);
        DllExports::GdipBitmapUnlockBits(bitmap, &locked);
    }
    if (type != ImageTypeBitmap) {
        DllExports::GdipDisposeImage(bitmap);
    }
    return read;
}

// Replaces the image's picture with the pixels, encoded as PNG (the one format whose
// alpha every GDI+ decoder keeps). The image is untouched when the encoding fails.
bool LoadPixels(const ArgbPixels& pixels, CImage& image)
{
    CGdiplus gdiplus = CGdiplus::Shared();
    CLSID png;
    if (!gdiplus.IsRunning() || !FindImageEncoder(L"image/png", &png)) {
        return false;
    }
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(
            pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppARGB,
            reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.argb.data())), &bitmap) != Ok) {
        return false;
    }
    bool loaded = false;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        STATSTG status = {};
        HGLOBAL memory = nullptr;
        if (DllExports::GdipSaveImageToStream(bitmap, stream, &png, nullptr) == Ok &&
            SUCCEEDED(stream->Stat(&status, STATFLAG_NONAME)) &&
            SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
            if (const void* bytes = GlobalLock(memory)) {
                loaded = image.LoadFromMemory(bytes, static_cast<std::size_t>(status.cbSize.QuadPart));
                GlobalUnlock(memory);
            }
        }
        stream->Release();
    }
    DllExports::GdipDisposeImage(bitmap);
    return loaded;
}

// Puts the bytes on the open clipboard in the format; false, freeing them, when refused.
bool Place(UINT format, const std::vector<unsigned char>& bytes)
{
    HGLOBAL memory = CopyToGlobal(bytes.data(), bytes.size());
    if (memory && SetClipboardData(format, memory)) {
        return true;
    }
    if (memory) {
        GlobalFree(memory);
    }
    return false;
}

}  // namespace

bool SetClipboardImage(HWND owner, CImage& image)
{
    try {
        ArgbPixels pixels;
        if (!ReadPixels(image, pixels)) {
            return false;
        }
        std::vector<unsigned char> withAlpha = PackDibV5(pixels);
        std::vector<unsigned char> plain = PackDib(pixels);
        ClipboardSession clipboard(owner);
        // The richer format first: readers take the first they know.
        if (!clipboard.IsOpen() || !EmptyClipboard() || !Place(CF_DIBV5, withAlpha)) {
            return false;
        }
        // For programs that read only CF_DIB; without it the V5 still stands.
        Place(CF_DIB, plain);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool GetClipboardImage(HWND owner, CImage* image)
{
    if (!image) {
        return false;
    }
    try {
        ArgbPixels pixels;
        {
            ClipboardSession clipboard(owner);
            // Wine makes a CF_DIB from a CF_DIBV5 without its pixels: the V5 is read first.
            UINT format = IsClipboardFormatAvailable(CF_DIBV5) ? CF_DIBV5 : CF_DIB;
            HANDLE memory = clipboard.IsOpen() ? GetClipboardData(format) : nullptr;
            const auto* bytes = memory ? static_cast<const unsigned char*>(GlobalLock(memory)) : nullptr;
            if (!bytes) {
                return false;
            }
            bool unpacked = UnpackDib(bytes, GlobalSize(memory), pixels);
            GlobalUnlock(memory);
            if (!unpacked) {
                return false;
            }
        }
        return LoadPixels(pixels, *image);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool HasClipboardImage()
{
    return IsClipboardFormatAvailable(CF_DIBV5) || IsClipboardFormatAvailable(CF_DIB) ||
           IsClipboardFormatAvailable(CF_BITMAP);
}

}  // namespace tsumiki
