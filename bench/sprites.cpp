// Sprites alone: 300 faded, partly colour-keyed 48 x 48 cells of a sprite sheet on an
// 800 x 600 back buffer, turned by every angle, then unturned on whole pixels. Nanoseconds a
// sprite pixel and sprites a second through CGraphics, with each of the library's sprite
// kernels, beside the same draws on the GDI+ flat API into a DIB section of their own; the
// ratio is the library's speed over GDI+'s. Times are the thread's processor time, the best
// of several rounds.
#include <tsumiki.h>

#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "sprite_scene.h"

using namespace Gdiplus;

namespace {

const int kSprites = 300;
const int kCell = 48;

std::vector<Sprite> Frame(int frame, bool turned)
{
    std::vector<Sprite> sprites;
    for (int i = 0; i < kSprites; ++i) {
        const float t = static_cast<float>(frame) * 0.05f + static_cast<float>(i) * 0.37f;
        float x = 400 + 370 * std::sin(t * 0.9f + static_cast<float>(i));
        float y = 300 + 270 * std::cos(t * 0.7f + static_cast<float>(i) * 1.3f);
        float angle = static_cast<float>((frame * 3 + i * 17) % 360) + 0.5f;
        if (!turned) {
            x = std::floor(x);
            y = std::floor(y);
            angle = 0;
        }
        sprites.push_back({0, i % 4, (i / 4) % 2, x, y, angle, i % kOpacities});
    }
    return sprites;
}

void Report(const char* what, double seconds, double gdiplusSeconds)
{
    const double pixels = static_cast<double>(kSprites) * kCell * kCell;
    std::printf("  %-6s %6.2f ns a pixel, %8.0f sprites/s", what, seconds / pixels * 1e9, kSprites / seconds);
    if (gdiplusSeconds > 0) {
        std::printf(", %5.1f x GDI+", gdiplusSeconds / seconds);
    }
    std::printf("\n");
}

}  // namespace

int main()
{
    CGdiplus gdiplus = CGdiplus::Shared();
    Sheets sheets({{kCell, true, 0xFFFF00FF}});
    BenchWindow window;
    if (!sheets.Written() || !window.Create(L"sprites")) {
        std::printf("sprites: set-up failed\n");
        return 1;
    }
    {
        LibrarySprites library(sheets);
        DirectSprites direct(sheets);
        DirectBuffer buffer;
        for (bool turned : {true, false}) {
            // Placed beforehand: the timing is of the drawing alone.
            std::vector<std::vector<Sprite>> frames;
            for (int f = 0; f < 64; ++f) {
                frames.push_back(Frame(f, turned));
            }
            const double gdiplusSeconds = BestSecondsPerCall(3, [&](int f) {
                direct.Draw(buffer.Graphics(), frames[f % 64]);
                DllExports::GdipFlush(buffer.Graphics(), FlushIntentionSync);
            });
            std::printf("sprites, %s (%d of %d x %d a frame, processor time, best of 5):\n",
                        turned ? "turned" : "unturned at scale 1", kSprites, kCell, kCell);
            for (const KernelChoice& kernels : KernelChoices()) {
                UseKernels(window, kernels);
                Report(kernels.name,
                       BestSecondsPerCall(5, [&](int f) { library.Draw(window.Graphics(), frames[f % 64]); }),
                       gdiplusSeconds);
            }
            Report("GDI+", gdiplusSeconds, 0);
        }
        std::fflush(stdout);
    }
    DestroyWindow(window.GetWndHandle());
    return 0;
}
