#include "graphics/font_cache.h"

#include "graphics/font.h"

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

FontCache::FontCache(std::shared_ptr<CGdiplus::Startup> gdiplus) : m_Gdiplus(std::move(gdiplus)) {}

FontCache::~FontCache()
{
    Clear();
}

GpFont* FontCache::Get(const wchar_t* name, float size, bool pixels)
{
    const bool generic = name == nullptr;
    for (auto entry = m_Entries.begin(); entry != m_Entries.end(); ++entry) {
        if (entry->generic == generic && entry->size == size && entry->pixels == pixels &&
            (generic || entry->name == name)) {
            m_Entries.splice(m_Entries.begin(), m_Entries, entry);
            return entry->font;
        }
    }
    if (!m_Gdiplus) {
        return nullptr;
    }
    // A size GDI+ refuses makes no font and is not kept: it is asked again next time.
    GpFont* font = MakeFont(*m_Gdiplus, name, size, pixels ? UnitPixel : UnitPoint);
    if (!font) {
        return nullptr;
    }
    if (m_Entries.size() >= kCapacity) {
        DllExports::GdipDeleteFont(m_Entries.back().font);
        m_Entries.pop_back();
    }
    m_Entries.push_front({generic ? std::wstring() : std::wstring(name), generic, size, pixels, font});
    return font;
}

void FontCache::Clear()
{
    for (Entry& entry : m_Entries) {
        DllExports::GdipDeleteFont(entry.font);
    }
    m_Entries.clear();
}

}  // namespace detail
}  // namespace tsumiki
