// Idle-function calls per second in MessageLoop against a plain PeekMessageW loop.
// Ratio: library calls / plain calls.
#include <tsumiki.h>

#include "bench_support.h"

namespace {

struct IdleRun {
    double end = 0;
    long calls = 0;
};

void Idle(void* argument)
{
    auto* run = static_cast<IdleRun*>(argument);
    ++run->calls;
    if ((run->calls & 0x3FF) == 0 && Seconds() >= run->end) {
        PostQuitMessage(0);
    }
}

const double kRoundSeconds = 0.2;

double LibraryCallsPerSecond()
{
    IdleRun run;
    run.end = Seconds() + kRoundSeconds;
    double start = Seconds();
    MessageLoop(Idle, &run, nullptr);
    return run.calls / (Seconds() - start);
}

double PlainCallsPerSecond()
{
    IdleRun run;
    run.end = Seconds() + kRoundSeconds;
    double start = Seconds();
    MSG message = {};
    while (message.message != WM_QUIT) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            Idle(&run);
        }
    }
    return run.calls / (Seconds() - start);
}

}  // namespace

int main()
{
    // Short rounds, alternating which loop goes first, so that both see the same load of a
    // shared machine; the medians of the rounds are compared.
    std::vector<double> libraries, references;
    for (int round = 0; round < 15; ++round) {
        if (round % 2) {
            references.push_back(PlainCallsPerSecond());
            libraries.push_back(LibraryCallsPerSecond());
        } else {
            libraries.push_back(LibraryCallsPerSecond());
            references.push_back(PlainCallsPerSecond());
        }
    }
    double library = MedianOf(libraries);
    double reference = MedianOf(references);
    PrintRatio("idle loop", library / 1000, reference / 1000, "k calls/s", library / reference, ">= 1.0");
    return 0;
}
