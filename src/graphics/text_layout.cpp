// Measured text, and text laid out in a box with its alignments. Each call makes the font,
// brush and string format it needs and deletes them before it returns.
#include "graphics/direct_drawing.h"

#include <climits>
#include <cmath>
#include <cwchar>

namespace tsumiki {

using namespace Gdiplus;

namespace {

INT LengthOf(const wchar_t* text)
{
    size_t length = std::wcslen(text);
    return length > INT_MAX ? INT_MAX : static_cast<INT>(length);
}

StringAlignment AlignmentOf(EAlign align)
{
    switch (align) {
    case ALIGN_CENTER:
        return StringAlignmentCenter;
    case ALIGN_FAR:
        return StringAlignmentFar;
    default:
        return StringAlignmentNear;
    }
}

}  // namespace

void CGraphics::SetTextUnit(ETextUnit unit)
{
    if (unit == TEXT_POINTS || unit == TEXT_PIXELS) {
        m_TextUnit = unit;
    }
}

SizeF CGraphics::MeasureString(const wchar_t* text, float size, const wchar_t* fontName)
{
    GpGraphics* graphics = m_Surface ? m_Surface->graphics : nullptr;
    if (!graphics || !text || !*text) {
        return SizeF();
    }
    GpFont* font = m_Surface->fonts.Get(fontName, size, m_TextUnit == TEXT_PIXELS);
    if (!font) {
        return SizeF();
    }
    // The same layout as DrawString at a point: a zero-size rectangle and no format.
    RectF layout(0, 0, 0, 0);
    RectF bounds;
    if (DllExports::GdipMeasureString(graphics, text, LengthOf(text), font, &layout, nullptr, &bounds, nullptr,
                                      nullptr) != Ok) {
        bounds = RectF();
    }
    return SizeF(bounds.Width, bounds.Height);
}

void CGraphics::DrawString(const wchar_t* text, const RectF& box, float size, Color color, const wchar_t* fontName,
                           EAlign horizontal, EAlign vertical)
{
    GpGraphics* graphics = detail::DrawThroughGdiplus(m_Surface);
    // A zero-size box would mean "neither wrap nor clip" to GDI+, not an empty box.
    if (!graphics || !text || !*text || !std::isfinite(box.X) || !std::isfinite(box.Y) ||
        !std::isfinite(box.Width) || !std::isfinite(box.Height) || box.Width <= 0 || box.Height <= 0) {
        return;
    }
    GpFont* font = m_Surface->fonts.Get(fontName, size, m_TextUnit == TEXT_PIXELS);
    GpSolidFill* brush = nullptr;
    GpStringFormat* format = nullptr;
    if (font && DllExports::GdipCreateSolidFill(color.GetValue(), &brush) == Ok &&
        DllExports::GdipCreateStringFormat(0, LANG_NEUTRAL, &format) == Ok) {
        DllExports::GdipSetStringFormatAlign(format, AlignmentOf(horizontal));
        DllExports::GdipSetStringFormatLineAlign(format, AlignmentOf(vertical));
        DllExports::GdipDrawString(graphics, text, LengthOf(text), font, &box, format, brush);
    }
    if (format) {
        DllExports::GdipDeleteStringFormat(format);
    }
    if (brush) {
        DllExports::GdipDeleteBrush(brush);
    }
}

}  // namespace tsumiki
