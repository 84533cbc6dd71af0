// Lines of text drawn again and again with the same words, font, size and colour (a score, a
// label), kept as the pixels GDI+ drew for them: drawing one again blends a few thousand
// pixels instead of a GDI+ call of a tenth of a millisecond or more.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "tsumiki/graphics.h"

namespace tsumiki {
namespace detail {

// The last texts drawn at a point, the least recently drawn dropped first. A text drawn for
// the first time is left to GDI+; drawn a second time, its run is made (from two GDI+
// drawings into a bitmap of its own, on black and on white, which give each pixel's colour
// and coverage) and drawn from then on.
class TextRuns {
public:
    // Draws the text with its top-left at (x, y) from its run; false, with nothing drawn,
    // when GDI+ must draw it (see above, and: a drawer handed to the program, a point far
    // out, a run too large to keep or whose glyphs reach past the bitmap made for it).
    // `pixels`: the size counts pixels rather than points.
    bool Draw(CGraphics::Surface& surface, const wchar_t* text, float x, float y, float size, bool pixels,
              Gdiplus::ARGB colour, const wchar_t* fontName);

    static constexpr std::size_t kCapacity = 32;

private:
    struct Key {
        std::wstring text, font;
        bool generic;  // no font name
        float size;
        bool pixels;
        float fractionX, fractionY;
        Gdiplus::ARGB colour;
        bool smoothing;
        bool operator==(const Key& other) const;
    };
    // The pixels, premultiplied, at (left, top) from the whole pixel the text is placed at;
    // `kept` is false for a text GDI+ must go on drawing.
    struct Run {
        Key key;
        bool kept = false;
        int left = 0, top = 0, width = 0, height = 0;
        std::vector<std::uint32_t> pixels;
    };

    static bool Make(CGraphics::Surface& surface, Run& run);
    static void Blend(CGraphics::Surface& surface, const Run& run, int x, int y);

    // Most recently drawn first.
    std::list<Run> m_Runs;
    std::list<Key> m_Seen;
};

}  // namespace detail
}  // namespace tsumiki
