#include <gtest/gtest.h>

#include <tsumiki.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/frame_window.h"
#include "support/key_chord.h"

namespace {

std::atomic<bool> g_FocusGiven{false};

// Two edits and "&Apply" on a frame window or a dialog, and what reached its handlers.
struct Panel {
    void Build(HWND hwnd, CWindowBase& window)
    {
        first.Create(hwnd, 10, 10, 160, 24, L"one");
        second.Create(hwnd, 10, 40, 160, 24, L"two");
        apply.Create(hwnd, 10, 70, 100, 28, L"&Apply");
        if (keys) {
            window.UseStandardKeys();  // before the handle is stored: the hard case
        }
        // The first edit takes the focus once the window runs in its loop, modal or not.
        SetTimer(hwnd, 1, 50, &FocusFirstControl);
        window_ = hwnd;
    }
    static void CALLBACK FocusFirstControl(HWND hwnd, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(hwnd, id);
        SetForegroundWindow(hwnd);
        SetFocus(GetWindow(hwnd, GW_CHILD));
        g_FocusGiven = true;
    }
    void Saw(int id)
    {
        // The edits' own notifications (focus, change) are not what the keys send.
        if (id != first.GetID() && id != second.GetID()) {
            seen += id == IDOK ? "OK " : id == IDCANCEL ? "Cancel " : apply.IsPush(id) ? "Apply " : "? ";
        }
    }
    HWND Control(int i) { return i == 0 ? first.GetWndHandle() : i == 1 ? second.GetWndHandle() : apply.GetWndHandle(); }

    bool keys = false;
    CEdit first, second;
    CButton apply;
    std::string seen;
    std::atomic<HWND> window_{nullptr};
};

class KeysFrame : public TestFrame {
public:
    explicit KeysFrame(Panel& p) : panel(p) {}
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override { panel.Build(hwnd, *this); return 1; }
    void OnCommand(HWND, int id, HWND, UINT) override { panel.Saw(id); }
    Panel& panel;
};

class KeysDialog : public CDialogBase {
public:
    explicit KeysDialog(Panel& p) : panel(p) {}
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override { panel.Build(hwnd, *this); return 1; }
    void OnCommand(HWND, int id, HWND, UINT) override { panel.Saw(id); }
    void OnClose(HWND hwnd) override { panel.seen += "Close "; CDialogBase::OnClose(hwnd); }
    void OnDestroy(HWND) override {}
    Panel& panel;
};

enum Kind { kFrame, kModeless, kModal };

// Presses the keys from another thread, as a user would, and notes where the focus is after
// each: '1' and '2' the edits, '3' the button.
void Script(Panel& panel, DWORD loopThread, Kind kind, std::string& trail)
{
    auto focus = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(loopThread, &info);
        for (int i = 0; i < 3; ++i) {
            if (info.hwndFocus == panel.Control(i)) return static_cast<char>('1' + i);
        }
        return '-';
    };
    for (int wait = 0; wait < 250 && (!g_FocusGiven || GetForegroundWindow() != panel.window_ || focus() != '1'); ++wait) {
        Sleep(20);
    }
    trail += focus();
    for (auto keys : {std::initializer_list<WORD>{VK_TAB}, {VK_TAB}, {VK_RETURN}, {VK_SHIFT, VK_TAB},
                      {VK_RETURN}, {VK_MENU, 'A'}}) {
        SendChord(keys);
        Sleep(200);
        trail += focus();
    }
    SendChord({VK_ESCAPE});
    Sleep(200);
    if (kind != kModal) {
        PostThreadMessageW(loopThread, WM_QUIT, 0, 0);
    }
}

TEST(StandardKeys, TabEnterEscapeAndMnemonicsWorkInFramesAndDialogsThatTurnThemOn)
{
    const struct {
        Kind kind;
        bool keys;
        const char* trail;
        const char* seen;
        const char* tabStops;
    } cases[] = {
        {kModeless, true, "1233222", "Apply OK Apply Close ", "111"},
        {kFrame, true, "1233222", "Apply OK Apply Cancel ", "111"},
        {kModal, true, "1233222", "Apply OK Apply Close ", "111"},
        {kModeless, false, "1111111", "", "000"},
        {kFrame, false, "1111111", "", "000"},
    };
    for (const auto& c : cases) {
        Panel panel;
        panel.keys = c.keys;
        std::string trail, tabStops;
        KeysFrame frame(panel);
        KeysDialog dialog(panel);
        g_FocusGiven = false;
        std::thread script;
        auto start = [&] { script = std::thread(Script, std::ref(panel), GetCurrentThreadId(), c.kind, std::ref(trail)); };
        if (c.kind == kModal) {
            start();
            dialog.CreateDiag(L"modal", 300, 200, 60, 60, true, nullptr);
        } else {
            bool made = c.kind == kFrame ? frame.Create(300, 200, 60, 60)
                                         : dialog.CreateDiag(L"modeless", 300, 200, 60, 60, false, nullptr);
            EXPECT_TRUE(made) << c.kind;
            if (made) {
                start();
                SetForegroundWindow(panel.window_);
                for (int i = 0; i < 3; ++i) {
                    tabStops += (GetWindowLongPtrW(panel.Control(i), GWL_STYLE) & WS_TABSTOP) ? '1' : '0';
                }
                MessageLoop();
            }
        }
        if (script.joinable()) {
            script.join();
        }
        EXPECT_EQ(trail, c.trail) << c.kind << c.keys;
        EXPECT_EQ(panel.seen, c.seen) << c.kind << c.keys;
        EXPECT_EQ(tabStops, c.kind == kModal ? "" : c.tabStops) << c.kind << c.keys;
        if (IsWindow(panel.window_)) {
            DestroyWindow(panel.window_);
        }
    }
}

TEST(StandardKeys, AWindowGivesTheFocusBackToItsControlWhenActivatedAgain)
{
    const struct {
        Kind kind;
        bool keys;
        bool restored;
    } cases[] = {{kFrame, true, true}, {kModeless, true, true}, {kFrame, false, false}};
    for (const auto& c : cases) {
        Panel panel;
        panel.keys = c.keys;
        KeysFrame frame(panel);
        KeysDialog dialog(panel);
        TestFrame other;
        ASSERT_TRUE(c.kind == kFrame ? frame.Create(300, 200, 60, 60)
                                     : dialog.CreateDiag(L"modeless", 300, 200, 60, 60, false, nullptr));
        HWND window = panel.window_;
        ASSERT_TRUE(other.Create(200, 150, 400, 300));
        SetForegroundWindow(window);
        RunMessageLoopFor(100);
        SetFocus(panel.Control(1));
        SetForegroundWindow(other.GetWndHandle());
        RunMessageLoopFor(100);
        ASSERT_NE(GetFocus(), panel.Control(1));
        SetForegroundWindow(window);
        RunMessageLoopFor(100);
        EXPECT_EQ(GetFocus() == panel.Control(1), c.restored) << c.kind << c.keys;
        DestroyWindow(window);
    }
}

TEST(StandardKeys, ARadioGroupIsOneStopWhoseArrowsMoveAndCheck)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create(300, 240, 60, 60));
    HWND hwnd = frame.GetWndHandle();
    CEdit edit;
    CRadioButton radios;
    CButton button;
    edit.Create(hwnd, 10, 10, 150, 24, L"");
    HWND radio[3] = {};
    for (HWND& r : radio) {
        radios.Create(hwnd, 10, 40 + 30 * static_cast<int>(&r - radio), 150, 24, L"choice");
        r = radios.GetWndHandle();
    }
    button.Create(hwnd, 10, 140, 90, 28, L"OK");
    frame.UseStandardKeys();
    EXPECT_EQ(GetWindowLongPtrW(radio[1], GWL_STYLE) & WS_TABSTOP, 0) << "one stop for the group";
    SendMessageW(radio[1], BM_SETCHECK, BST_CHECKED, 0);
    SetForegroundWindow(hwnd);
    SetFocus(edit.GetWndHandle());
    const struct {
        std::initializer_list<WORD> keys;
        HWND focus;
    } steps[] = {{{VK_TAB}, radio[1]}, {{VK_DOWN}, radio[2]}, {{VK_DOWN}, radio[0]},
                 {{VK_TAB}, button.GetWndHandle()}, {{VK_SHIFT, VK_TAB}, radio[0]},
                 {{VK_SHIFT, VK_TAB}, edit.GetWndHandle()}};
    for (const auto& step : steps) {
        SendChord(step.keys);
        RunMessageLoopFor(150);
        EXPECT_EQ(GetFocus(), step.focus) << &step - steps;
    }
    EXPECT_EQ(SendMessageW(radio[0], BM_GETCHECK, 0, 0), BST_CHECKED) << "the arrows check";
    EXPECT_EQ(SendMessageW(radio[1], BM_GETCHECK, 0, 0), BST_UNCHECKED);

    CWindowBase none;
    none.UseStandardKeys();  // no window: nothing happens
    DestroyWindow(hwnd);
    frame.UseStandardKeys();  // a dead window: nothing happens
}

}  // namespace
