// The sprites of a game frame alone: 200 turned, partly transparent, colour-keyed 64 x 64
// cells of a sprite sheet on a 640 x 480 back buffer. Sprites a second through CGraphics
// against the same draws on the GDI+ flat API into a 32-bit DIB section of its own, and
// beside them the floor: copying as many 64 x 64 blocks with one memcpy per row.
#include <tsumiki.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"
#include "sprite_scene.h"

using namespace Gdiplus;

namespace {

// Colour-keyed sprites: a magenta band across each cell, left out when drawn.
const SpriteLook kLook = {0.5f, 48, true, 0xFFFF00FF};

// The direct sprites into a 32-bit DIB section of their own.
class DirectSpritesInBuffer {
public:
    explicit DirectSpritesInBuffer(const std::wstring& sheet) : m_Sprites(sheet, kLook) {}
    void Draw(int frame)
    {
        m_Sprites.Draw(m_Buffer.Graphics(), frame);
        DllExports::GdipFlush(m_Buffer.Graphics(), FlushIntentionSync);
    }

private:
    DirectBuffer m_Buffer;
    DirectSprites m_Sprites;
};

// The floor: the same number of 64 x 64 blocks copied, one memcpy per row.
class CopiedBlocks {
public:
    CopiedBlocks() : m_Source(kCell * 4 * kCell * 2, 0x80FF8040u), m_Target(kWidth * kHeight) {}
    void Draw(int frame)
    {
        for (int i = 0; i < kSprites; ++i) {
            Placement place = PlaceSprite(i, frame, kLook.angleOffset);
            int left = std::min(std::max(static_cast<int>(place.x) - kCell / 2, 0), kWidth - kCell);
            int top = std::min(std::max(static_cast<int>(place.y) - kCell / 2, 0), kHeight - kCell);
            const unsigned* from = &m_Source[place.row * kCell * kCell * 4 + place.column * kCell];
            for (int y = 0; y < kCell; ++y) {
                std::memcpy(&m_Target[(top + y) * kWidth + left], from + y * kCell * 4, kCell * 4);
            }
        }
    }

private:
    std::vector<unsigned> m_Source;
    std::vector<unsigned> m_Target;
};

template <typename Draw>
double SpritesPerSecond(int frames, Draw draw)
{
    double start = Seconds();
    for (int frame = 0; frame < frames; ++frame) {
        draw(frame);
    }
    return frames * kSprites / (Seconds() - start);
}

}  // namespace

int main()
{
    CGdiplus gdiplus = CGdiplus::Shared();
    std::wstring sheet = SheetPath(L"tsumiki-bench-sprites-");
    BenchWindow window;
    if (!WriteSpriteSheet(sheet, kLook) || !window.Create(L"sprites")) {
        std::printf("sprites: set-up failed\n");
        return 1;
    }
    window.Graphics().CreateBackBuffer(window.GetWndHandle());
    {
        LibrarySprites library(sheet, kLook);
        DirectSpritesInBuffer direct(sheet);
        CopiedBlocks floor;
        auto libraryRound = [&](int frames) {
            return SpritesPerSecond(frames, [&](int f) { library.Draw(window.Graphics(), f); });
        };
        auto directRound = [&](int frames) { return SpritesPerSecond(frames, [&](int f) { direct.Draw(f); }); };
        // Rounds of about half a second per side, whatever the machine's speed.
        const int directFrames = std::max(2, static_cast<int>(directRound(2) / kSprites / 2));
        const int libraryFrames = std::max(2, static_cast<int>(libraryRound(2) / kSprites / 2));
        std::vector<double> libraryRate, directRate, floorRate;
        double ratio = MedianOf(7, [&] {
            directRate.push_back(directRound(directFrames));
            libraryRate.push_back(libraryRound(libraryFrames));
            floorRate.push_back(SpritesPerSecond(libraryFrames * 4, [&](int f) { floor.Draw(f); }));
            return libraryRate.back() / directRate.back();
        });
        std::sort(libraryRate.begin(), libraryRate.end());
        std::sort(directRate.begin(), directRate.end());
        std::sort(floorRate.begin(), floorRate.end());
        const double libraryMedian = libraryRate[libraryRate.size() / 2];
        std::printf("sprites: library %.0f sprites/s, direct GDI+ %.0f sprites/s (medians), ratio %.2f (target >= 5); "
                    "floor (memcpy per row) %.0f sprites/s, library at %.3f of the floor\n",
                    libraryMedian, directRate[directRate.size() / 2], ratio, floorRate[floorRate.size() / 2],
                    libraryMedian / floorRate[floorRate.size() / 2]);
        std::fflush(stdout);
    }
    DestroyWindow(window.GetWndHandle());
    DeleteFileW(sheet.c_str());
    return 0;
}
