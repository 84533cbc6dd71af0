// A key press in MessageLoop on a window whose bar has 200 items with shortcuts, against the
// same press on a window with an empty bar. The key (Q, Ctrl+Q being a shortcut) runs the
// whole shortcut lookup and reaches the window as usual. Difference: 200-item bar - empty bar.
// A key that some shortcut uses must ask the state of a modifier once, as the platform's
// accelerators do; under Wine that question goes to the server, so its own cost is printed
// beside the difference, and so is the difference against a bar of the one item Ctrl+Q,
// which asks the same question: what the other 199 items cost.
#include <tsumiki.h>

#include <string>

#include "bench_support.h"

namespace {

class Frame : public CWindowBase {
public:
    void OnDestroy(HWND) override {}
};

const char* const kKeys[] = {"Ctrl+", "Shift+", "Ctrl+Shift+", "Alt+", "Ctrl+Alt+"};

// Pops with 20 items each, their shortcuts modifiers with the letters and F keys.
void Fill(CMenu& menu, int items)
{
    for (int popup = 0; popup < items / 20; ++popup) {
        std::wstring texts[20];
        for (int i = 0; i < 20; ++i) {
            int n = popup * 20 + i;
            std::string key = kKeys[n % 5];
            key += n % 2 ? std::string(1, static_cast<char>('A' + n % 26)) : "F" + std::to_string(1 + n % 12);
            texts[i] = L"Item " + std::to_wstring(n) + L"\t" + std::wstring(key.begin(), key.end());
        }
        menu.AddMenu(L"Menu", 20, texts[0].c_str(), texts[1].c_str(), texts[2].c_str(),
                     texts[3].c_str(), texts[4].c_str(), texts[5].c_str(), texts[6].c_str(),
                     texts[7].c_str(), texts[8].c_str(), texts[9].c_str(), texts[10].c_str(),
                     texts[11].c_str(), texts[12].c_str(), texts[13].c_str(), texts[14].c_str(),
                     texts[15].c_str(), texts[16].c_str(), texts[17].c_str(), texts[18].c_str(),
                     texts[19].c_str());
    }
    menu.AddMenu(L"File", 1, L"Quit\tCtrl+Q");
}

// Nanoseconds a WM_KEYDOWN of Q takes from the queue through MessageLoop to the window.
double TimeKeys(HWND window, int count)
{
    for (int i = 0; i < count; ++i) {
        PostMessageW(window, WM_KEYDOWN, 'Q', 1);
    }
    PostQuitMessage(0);
    double start = Seconds();
    MessageLoop();
    return (Seconds() - start) * 1e9 / count;
}

// Nanoseconds one GetKeyState call takes.
double TimeKeyState(int count)
{
    volatile SHORT sink = 0;
    double start = Seconds();
    for (int i = 0; i < count; ++i) {
        sink = static_cast<SHORT>(sink + GetKeyState(VK_CONTROL));
    }
    return (Seconds() - start) * 1e9 / count;
}

}  // namespace

int main()
{
    Frame full, one, empty;
    full.CreateWnd(L"200 items", 200, 150, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                   WS_OVERLAPPEDWINDOW, 0);
    empty.CreateWnd(L"empty", 200, 150, 220, 0, nullptr, nullptr, L"BASIC_WINDOW",
                    WS_OVERLAPPEDWINDOW, 0);
    one.CreateWnd(L"one item", 200, 150, 440, 0, nullptr, nullptr, L"BASIC_WINDOW",
                  WS_OVERLAPPEDWINDOW, 0);
    CMenu fullBar, oneBar, emptyBar;
    Fill(fullBar, 200);
    oneBar.AddMenu(L"File", 1, L"Quit\tCtrl+Q");
    fullBar.Set(full.GetWndHandle());
    oneBar.Set(one.GetWndHandle());
    emptyBar.Set(empty.GetWndHandle());
    // Let the windows settle (paint, activation) before timing.
    TimeKeys(full.GetWndHandle(), 2000);
    TimeKeys(empty.GetWndHandle(), 2000);
    TimeKeys(one.GetWndHandle(), 2000);

    const int keys = 1000;
    std::vector<double> fulls, ones, empties, keyStates;
    for (int round = 0; round < 120; ++round) {
        if (round % 2) {
            fulls.push_back(TimeKeys(full.GetWndHandle(), keys));
            empties.push_back(TimeKeys(empty.GetWndHandle(), keys));
        } else {
            empties.push_back(TimeKeys(empty.GetWndHandle(), keys));
            fulls.push_back(TimeKeys(full.GetWndHandle(), keys));
        }
        ones.push_back(TimeKeys(one.GetWndHandle(), keys));
        keyStates.push_back(TimeKeyState(keys));
    }
    double withItems = MedianOf(fulls);
    double withoutItems = MedianOf(empties);
    double withOneItem = MedianOf(ones);
    double keyState = MedianOf(keyStates);
    double difference = withItems - withoutItems;
    std::printf("menu shortcuts: 200-item bar %.0f ns/key, empty bar %.0f ns/key, difference "
                "%.2f us (target <= 2); one GetKeyState %.2f us, difference without it %.2f us; "
                "200-item bar - one-item bar %.2f us\n",
                withItems, withoutItems, difference / 1000, keyState / 1000,
                (difference - keyState) / 1000, (withItems - withOneItem) / 1000);
    DestroyWindow(full.GetWndHandle());
    DestroyWindow(empty.GetWndHandle());
    DestroyWindow(one.GetWndHandle());
    return 0;
}
