// The pads' share of a frame: a window's input state starting 100,000 frames (NextFrame)
// with its four pad slots asked for and no pad connected, against the same frames of a
// window that asks for no pad, in the same run. The first frame, which loads XInput and
// asks every slot, is left out: an empty slot is asked again only every 2 s.
// Ratio: the pad read's cost a frame, in microseconds (target under 1).
#include <tsumiki.h>

#include <cstdio>

#include "bench_support.h"

namespace {

class PadWindow : public CWindowBase {
public:
    CInput& Input() { return m_Input; }
};

double SecondsPerFrame(CInput& input, int frames)
{
    double start = Seconds();
    for (int i = 0; i < frames; ++i) {
        input.NextFrame();
    }
    return (Seconds() - start) / frames;
}

}  // namespace

int main()
{
    PadWindow plain;
    PadWindow pads;
    const int frames = 100000;
    double first = Seconds();
    for (int slot = 0; slot < 4; ++slot) {
        pads.Input().Pad(slot);
    }
    first = Seconds() - first;
    double with = MedianOf(5, [&] { return SecondsPerFrame(pads.Input(), frames); });
    double without = MedianOf(5, [&] { return SecondsPerFrame(plain.Input(), frames); });
    std::printf("pad read: first read of 4 empty slots %.2f ms; a frame %.3f us with 4 slots, %.3f us with none\n",
                first * 1e3, with * 1e6, without * 1e6);
    PrintRatio("pad read (us a frame)", with * 1e6, without * 1e6, "us", (with - without) * 1e6, "under 1");
    return 0;
}
