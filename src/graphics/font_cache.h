// The fonts that text is drawn with, kept between calls: a frame that draws twenty score
// texts then builds one font, not twenty. Fonts are made by MakeFont, so the fallback for
// families that are not installed applies to cached fonts too.
#pragma once

#include "platform/gdiplus_startup.h"

#include <list>
#include <memory>
#include <string>

namespace tsumiki {
namespace detail {

// The last few fonts asked for, by family name and size; the least recently used goes
// first when it is full. The cache owns its fonts.
class FontCache {
public:
    explicit FontCache(std::shared_ptr<CGdiplus::Startup> gdiplus);
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for the name (null: the generic family) and size, in points or (pixels)
    // in the buffer's pixels; null when none can be made. It stays valid until the cache
    // is cleared or makes room for another.
    Gdiplus::GpFont* Get(const wchar_t* name, float size, bool pixels = false);
    // Deletes every font.
    void Clear();

    static constexpr std::size_t kCapacity = 8;

private:
    struct Entry {
        std::wstring name;
        bool generic;  // asked for without a name
        float size;
        bool pixels;
        Gdiplus::GpFont* font;
    };

    std::shared_ptr<CGdiplus::Startup> m_Gdiplus;
    // Most recently used first.
    std::list<Entry> m_Entries;
};

}  // namespace detail
}  // namespace tsumiki
