// The fonts that text is drawn with, kept between calls: a frame that draws twenty score
// texts then builds one font, not twenty. Every font family is opened through
// OpenFontFamily, so a rule for families that are not installed applies everywhere.
#pragma once

#include "platform/gdiplus_startup.h"

#include <list>
#include <memory>
#include <string>

namespace tsumiki {
namespace detail {

// A font family the caller must delete (GdipDeleteFontFamily), or null when the name is
// null or names no installed family.
Gdiplus::GpFontFamily* OpenFontFamily(const wchar_t* name);

// A new regular font of the named family at the size in points, or of the generic
// sans-serif family when the name gives none; null when neither does. The caller owns it.
Gdiplus::GpFont* MakeFont(CGdiplus::Startup& gdiplus, const wchar_t* name, float points);

// The last few fonts asked for, by family name and size; the least recently used goes
// first when it is full. The cache owns its fonts.
class FontCache {
public:
    explicit FontCache(std::shared_ptr<CGdiplus::Startup> gdiplus);
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for the name (null: the generic family) and size; null when none can be
    // made. It stays valid until the cache is cleared or makes room for another.
    Gdiplus::GpFont* Get(const wchar_t* name, float points);
    // Deletes every font.
    void Clear();

    static const std::size_t kCapacity = 8;

private:
    struct Entry {
        std::wstring name;
        bool generic;  // asked for without a name
        float points;
        Gdiplus::GpFont* font;
    };

    std::shared_ptr<CGdiplus::Startup> m_Gdiplus;
    // Most recently used first.
    std::list<Entry> m_Entries;
};

}  // namespace detail
}  // namespace tsumiki
