// SendMessageW round trips through the library's window procedure and a virtual handler,
// against a raw window procedure doing the same work. Ratio: library time / raw time.
#include <tsumiki.h>

#include "bench_support.h"

namespace {

volatile long g_Work = 0;

class Frame : public CWindowBase {
public:
    void OnCommand(HWND, int id, HWND, UINT) override { g_Work += id; }
    void OnDestroy(HWND) override {}
};

LRESULT CALLBACK RawProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        g_Work += LOWORD(wParam);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

double TimeSends(HWND window, int count)
{
    double start = Seconds();
    for (int i = 0; i < count; ++i) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(i & 0xFF, 0), 0);
    }
    return (Seconds() - start) * 1e9 / count;
}

}  // namespace

int main()
{
    WNDCLASSEXW rawClass = {};
    rawClass.cbSize = sizeof(rawClass);
    rawClass.lpfnWndProc = RawProc;
    rawClass.hInstance = GetModuleHandleW(nullptr);
    rawClass.lpszClassName = L"RAW_BENCH";
    RegisterClassExW(&rawClass);
    HWND raw = CreateWindowExW(0, L"RAW_BENCH", L"raw", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Frame frame;
    frame.CreateWnd(L"lib", 100, 100, 0, 0, nullptr, nullptr, L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW, 0);

    const int sends = 2000;
    const int rounds = 500;
    TimeSends(raw, 20000);
    TimeSends(frame.GetWndHandle(), 20000);
    // Many short rounds, interleaved and alternating which side goes first, so that both
    // sides see the same load of a shared machine; the medians of the rounds are compared.
    std::vector<double> raws, libraries;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2) {
            raws.push_back(TimeSends(raw, sends));
            libraries.push_back(TimeSends(frame.GetWndHandle(), sends));
        } else {
            libraries.push_back(TimeSends(frame.GetWndHandle(), sends));
            raws.push_back(TimeSends(raw, sends));
        }
    }
    double reference = MedianOf(raws);
    double library = MedianOf(libraries);
    double ratio = library / reference;
    PrintRatio("dispatch", library, reference, "ns/message", ratio, "<= 1.05");
    DestroyWindow(raw);
    DestroyWindow(frame.GetWndHandle());
    return 0;
}
