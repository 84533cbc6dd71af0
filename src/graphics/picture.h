// The picture behind CImage and what drawing it needs besides GDI+'s own objects.
#pragma once

#include "graphics/premultiplied_pixels.h"
#include "platform/gdiplus_startup.h"

namespace tsumiki {

// The picture, the stream it was decoded from and its drawing effects: shared by the
// copies of one CImage and released once, by the last of them.
struct CImage::Picture {
    Picture() : gdiplus(CGdiplus::Startup::Shared()) {}
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The pixels as the sprite fast path reads them, made on its first draw and again
    // after anything that may have changed them.
    const detail::PremultipliedPixels* FastPixels();
    // Whether the picture's pixels at 32 bits would pass 1 GiB. Such a picture is never
    // drawn: converting it for drawing fails or takes all memory (Wine's GDI+ crashes).
    bool TooLargeToDraw() const;

    // Declared first so that GDI+ outlives the objects below.
    std::shared_ptr<CGdiplus::Startup> gdiplus;
    // The file's bytes: GDI+ may read them again while the picture lives. Holding a copy
    // rather than the file lets the picture be saved over the file it came from.
    IStream* stream = nullptr;
    Gdiplus::GpImage* image = nullptr;
    Gdiplus::GpImageAttributes* attributes = nullptr;
    // The size when decoded, so that drawing need not ask GDI+.
    int width = 0;
    int height = 0;

    // The effects set through CImage, which GDI+ does not let us read back. Once the
    // attributes are handed out they may hold anything: the fast path then stays away.
    bool opacitySet = false;
    unsigned char opacity = 255;
    bool keyed = false;
    Gdiplus::ARGB key = 0;
    bool attributesHandedOut = false;

    // Cleared whenever the pixels or the key may have changed.
    bool fastPixelsCurrent = false;
    // Set when a build failed (not a bitmap, no memory): the fast path stays away.
    bool fastPixelsRefused = false;
    detail::PremultipliedPixels fastPixels;
};

}  // namespace tsumiki
