#include "graphics/text_runs.h"

#include "graphics/direct_drawing.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tsumiki {
namespace detail {

using namespace Gdiplus;

namespace {

const float kReach = 1e6f;
const std::size_t kLongestText = 256;
const long long kLargestRun = 1 << 20;  // pixels of the bitmap a run is drawn into

// A bitmap of the back buffer's layout with a GDI+ drawing object on it, set as the buffer's.
class Canvas {
public:
    Canvas(CGraphics::Surface& surface, int width, int height) : m_Size(width * height)
    {
        m_DC = CreateCompatibleDC(surface.memDC);
        void* bits = nullptr;
        m_Bitmap = m_DC ? CreatePixelBitmap(m_DC, width, height, &bits) : nullptr;
        m_Bits = static_cast<std::uint32_t*>(bits);
        if (m_Bitmap && m_Bits) {
            m_Before = SelectObject(m_DC, m_Bitmap);
            if (DllExports::GdipCreateFromHDC(m_DC, &m_Graphics) != Ok) {
                m_Graphics = nullptr;
            }
        }
        if (m_Graphics) {
            DllExports::GdipSetSmoothingMode(m_Graphics,
                                             surface.smoothing ? SmoothingModeAntiAlias : SmoothingModeDefault);
        }
    }
    ~Canvas()
    {
        if (m_Graphics) {
            DllExports::GdipDeleteGraphics(m_Graphics);
        }
        if (m_Before) {
            SelectObject(m_DC, m_Before);
        }
        if (m_Bitmap) {
            DeleteObject(m_Bitmap);
        }
        if (m_DC) {
            DeleteDC(m_DC);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    GpGraphics* Graphics() const { return m_Graphics; }
    // The pixels after the drawing on a ground of one colour.
    const std::uint32_t* Draw(std::uint32_t ground, const std::function<void()>& draw)
    {
        std::fill(m_Bits, m_Bits + m_Size, ground);
        draw();
        DllExports::GdipFlush(m_Graphics, FlushIntentionSync);
        GdiFlush();
        return m_Bits;
    }

private:
    int m_Size;
    HDC m_DC = nullptr;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_Before = nullptr;
    std::uint32_t* m_Bits = nullptr;
    GpGraphics* m_Graphics = nullptr;
};

}  // namespace

bool TextRuns::Key::operator==(const Key& other) const
{
    return fractionX == other.fractionX && fractionY == other.fractionY && size == other.size &&
           pixels == other.pixels &&
           colour == other.colour && generic == other.generic && smoothing == other.smoothing && text == other.text &&
           font == other.font;
}

bool TextRuns::Draw(CGraphics::Surface& surface, const wchar_t* text, float x, float y, float size, bool pixels,
                    ARGB colour, const wchar_t* fontName)
{
    if (!*text || !(std::fabs(x) <= kReach) || !(std::fabs(y) <= kReach) || !surface.kernels ||
        !MayWriteDirectly(surface, DirectWrite::Text)) {
        return false;
    }
    const float wholeX = std::floor(x);
    const float wholeY = std::floor(y);
    // No exception may leave a drawing call: a run that cannot be kept is drawn by GDI+.
    try {
        std::wstring words(text);
        if (words.size() > kLongestText) {
            return false;
        }
        Key key = {std::move(words), fontName ? fontName : L"", !fontName, size, pixels, x - wholeX, y - wholeY,
                   colour,           surface.smoothing};
        auto run = std::find_if(m_Runs.begin(), m_Runs.end(), [&](const Run& r) { return r.key == key; });
        if (run == m_Runs.end()) {
            auto seen = std::find(m_Seen.begin(), m_Seen.end(), key);
            if (seen == m_Seen.end()) {
                m_Seen.push_front(std::move(key));
                if (m_Seen.size() > kCapacity) {
                    m_Seen.pop_back();
                }
                return false;
            }
            m_Seen.erase(seen);
            m_Runs.emplace_front();
            m_Runs.front().key = std::move(key);
            m_Runs.front().kept = Make(surface, m_Runs.front());
            if (m_Runs.size() > kCapacity) {
                m_Runs.pop_back();
            }
            run = m_Runs.begin();
        }
        m_Runs.splice(m_Runs.begin(), m_Runs, run);
        if (!run->kept) {
            return false;
        }
        BeforeDirectWrite(surface);
        Blend(surface, *run, static_cast<int>(wholeX), static_cast<int>(wholeY));
        return true;
    } catch (...) {
        return false;
    }
}

bool TextRuns::Make(CGraphics::Surface& surface, Run& run)
{
    const Key& key = run.key;
    GpFont* font = surface.fonts.Get(key.generic ? nullptr : key.font.c_str(), key.size, key.pixels);
    const INT length = static_cast<INT>(key.text.size());
    RectF origin(0, 0, 0, 0);
    RectF bounds;
    if (!font || DllExports::GdipMeasureString(surface.graphics, key.text.c_str(), length, font, &origin, nullptr,
                                               &bounds, nullptr, nullptr) != Ok ||
        !(bounds.Width >= 0 && bounds.Height >= 0 && bounds.Width * bounds.Height <= kLargestRun)) {
        return false;
    }
    // Room for glyphs that reach past the measured box (slanted letters, accents).
    const int margin = static_cast<int>(std::ceil(bounds.Height)) + 4;
    const int width = static_cast<int>(std::ceil(bounds.Width)) + 2 * margin;
    const int height = static_cast<int>(std::ceil(bounds.Height)) + 2 * margin;
    if (static_cast<long long>(width) * height > kLargestRun) {
        return false;
    }
    Canvas canvas(surface, width, height);
    GpSolidFill* brush = nullptr;
    if (!canvas.Graphics() || DllExports::GdipCreateSolidFill(key.colour, &brush) != Ok) {
        return false;
    }
    RectF at(static_cast<float>(margin) + key.fractionX, static_cast<float>(margin) + key.fractionY, 0, 0);
    auto draw = [&] { DllExports::GdipDrawString(canvas.Graphics(), key.text.c_str(), length, font, &at, nullptr, brush); };
    const std::uint32_t* black = canvas.Draw(0x00000000, draw);
    const std::vector<std::uint32_t> onBlack(black, black + static_cast<std::ptrdiff_t>(width) * height);
    const std::uint32_t* onWhite = canvas.Draw(0x00FFFFFF, draw);
    DllExports::GdipDeleteBrush(brush);
    // Over black a pixel shows its premultiplied colour; over white, that plus the part of
    // the ground it lets through.
    std::vector<std::uint32_t> pixels(onBlack.size());
    int left = width, top = height, right = 0, bottom = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            std::uint32_t through = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                through = std::max(through, ((onWhite[i] >> shift) & 0xFF) - std::min((onBlack[i] >> shift) & 0xFF,
                                                                                        (onWhite[i] >> shift) & 0xFF));
            }
            const std::uint32_t alpha = 255 - through;
            if (alpha == 0) {
                continue;
            }
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1) {
                return false;  // the glyphs reach past the bitmap
            }
            std::uint32_t pixel = alpha << 24;
            for (int shift = 0; shift < 24; shift += 8) {
                pixel |= std::min((onBlack[i] >> shift) & 0xFF, alpha) << shift;
            }
            pixels[i] = pixel;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        }
    }
    run.left = left - margin;
    run.top = top - margin;
    run.width = std::max(right - left, 0);
    run.height = std::max(bottom - top, 0);
    run.pixels.resize(static_cast<std::size_t>(run.width) * run.height);
    for (int y = 0; y < run.height; ++y) {
        std::copy_n(pixels.begin() + (static_cast<std::ptrdiff_t>(top + y) * width + left), run.width,
                    run.pixels.begin() + static_cast<std::ptrdiff_t>(y) * run.width);
    }
    return true;
}

void TextRuns::Blend(CGraphics::Surface& surface, const Run& run, int x, int y)
{
    const TargetPixels& target = surface.pixels;
    const long long left = static_cast<long long>(x) + run.left;
    const long long top = static_cast<long long>(y) + run.top;
    const long long from = std::max(left, 0LL);
    const long long to = std::min(left + run.width, static_cast<long long>(target.width));
    if (from >= to) {
        return;
    }
    for (int row = 0; row < run.height; ++row) {
        const long long line = top + row;
        if (line >= 0 && line < target.height) {
            surface.kernels->blendRow(run.pixels.data() + static_cast<std::ptrdiff_t>(row) * run.width + (from - left),
                                      target.bits + static_cast<std::ptrdiff_t>(line) * target.stride + from,
                                      static_cast<int>(to - from), 255);
        }
    }
}

}  // namespace detail
}  // namespace tsumiki
