#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <vector>

#include "support/frame_window.h"

namespace {

// Records every handler call with its cracked arguments.
class Recorder : public TestFrame {
public:
    struct Call {
        std::string name;
        long long a = 0, b = 0, c = 0;
        const void* p = nullptr;
    };
    std::vector<Call> calls;

    void Clear() { calls.clear(); }
    const Call& Last() const { return calls.back(); }

    int OnEraseBkGnd(HWND, HDC dc) override { calls.push_back({"erase", 0, 0, 0, dc}); return 7; }
    void OnPaint(HWND hwnd) override { calls.push_back({"paint"}); CWindowBase::OnPaint(hwnd); }
    void OnCommand(HWND, int id, HWND control, UINT code) override { calls.push_back({"command", id, code, 0, control}); }
    LRESULT OnNotify(HWND, int id, NMHDR* header) override { calls.push_back({"notify", id, 0, 0, header}); return 1234; }
    void OnSysCommand(HWND, UINT command, int x, int y) override { calls.push_back({"syscommand", command, x, y}); }
    void OnActivate(HWND hwnd, UINT state, HWND other, int minimized) override
    {
        calls.push_back({"activate", state, minimized, 0, other});
        CWindowBase::OnActivate(hwnd, state, other, minimized);
    }
    void OnSize(HWND hwnd, UINT type, int width, int height) override
    {
        calls.push_back({"size", type, width, height});
        CWindowBase::OnSize(hwnd, type, width, height);
    }
    void OnTimer(HWND, UINT id) override { calls.push_back({"timer", id}); }
    void OnCopyData(HWND, HWND sender, COPYDATASTRUCT* data) override { calls.push_back({"copydata", 0, 0, 0, data}); static_cast<void>(sender); }
    void OnHScroll(HWND, HWND bar, UINT code, int position) override { calls.push_back({"hscroll", code, position, 0, bar}); }
    void OnVScroll(HWND, HWND bar, UINT code, int position) override { calls.push_back({"vscroll", code, position, 0, bar}); }
    HBRUSH OnCtlColorStatic(HWND, HDC, HWND control, int kind) override
    {
        calls.push_back({"colorstatic", kind, 0, 0, control});
        return reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    }
    HBRUSH OnCtlColorEdit(HWND, HDC, HWND control, int kind) override
    {
        calls.push_back({"coloredit", kind, 0, 0, control});
        return reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    }
    void OnClose(HWND) override { calls.push_back({"close"}); }
};

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create());
        hwnd = window.GetWndHandle();
        window.Clear();
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageW(hwnd, message, wParam, lParam); }

    Recorder window;
    HWND hwnd = nullptr;
};

TEST_F(Dispatch, CommandGivesUnsignedHalvesAndReturnsZero)
{
    HWND control = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(0xFFFE, 0x8001), reinterpret_cast<LPARAM>(control)), 0);
    ASSERT_EQ(window.calls.size(), 1u);
    EXPECT_EQ(window.Last().name, "command");
    EXPECT_EQ(window.Last().a, 0xFFFE);
    EXPECT_EQ(window.Last().b, 0x8001);
    EXPECT_EQ(window.Last().p, control);
}

TEST_F(Dispatch, SizeAndSysCommandGiveSignedHalves)
{
    EXPECT_EQ(Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(-5, 300)), 0);
    EXPECT_EQ(window.Last().name, "size");
    EXPECT_EQ(window.Last().b, -5);
    EXPECT_EQ(window.Last().c, 300);

    EXPECT_EQ(Send(WM_SYSCOMMAND, 0xF123, MAKELPARAM(-20, -1)), 0);
    EXPECT_EQ(window.Last().name, "syscommand");
    EXPECT_EQ(window.Last().a, 0xF123);
    EXPECT_EQ(window.Last().b, -20);
    EXPECT_EQ(window.Last().c, -1);
}

TEST_F(Dispatch, ScrollGivesUnsignedCodeAndSignedPosition)
{
    HWND bar = reinterpret_cast<HWND>(0x42);
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0xFFFF), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(window.Last().name, "hscroll");
    EXPECT_EQ(window.Last().a, SB_THUMBTRACK);
    EXPECT_EQ(window.Last().b, -1);
    EXPECT_EQ(window.Last().p, bar);
    Send(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 200), 0);
    EXPECT_EQ(window.Last().name, "vscroll");
    EXPECT_EQ(window.Last().b, 200);
}

TEST_F(Dispatch, ActivateGivesStateOtherWindowAndMinimisedFlag)
{
    HWND other = reinterpret_cast<HWND>(0x77);
    EXPECT_EQ(Send(WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), reinterpret_cast<LPARAM>(other)), 0);
    EXPECT_EQ(window.Last().name, "activate");
    EXPECT_EQ(window.Last().a, WA_CLICKACTIVE);
    EXPECT_EQ(window.Last().b, 1);
    EXPECT_EQ(window.Last().p, other);
}

TEST_F(Dispatch, HandlersWithResultsReturnThemToThePlatform)
{
    NMHDR header = {};
    EXPECT_EQ(Send(WM_NOTIFY, 17, reinterpret_cast<LPARAM>(&header)), 1234);
    EXPECT_EQ(window.Last().a, 17);
    EXPECT_EQ(window.Last().p, &header);

    EXPECT_EQ(Send(WM_ERASEBKGND, 0, 0), 7);

    HWND control = reinterpret_cast<HWND>(0x99);
    EXPECT_EQ(Send(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(control)),
              reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)));
    EXPECT_EQ(window.Last().a, CTLCOLOR_STATIC);
    EXPECT_EQ(Send(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(control)),
              reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(window.Last().a, CTLCOLOR_EDIT);
    EXPECT_EQ(window.Last().p, control);
}

TEST_F(Dispatch, TimerCopyDataAndCloseReachTheirHandlers)
{
    Send(WM_TIMER, 32999, 0);
    EXPECT_EQ(window.Last().name, "timer");
    EXPECT_EQ(window.Last().a, 32999);

    wchar_t payload[] = L"data";
    COPYDATASTRUCT data = {1, sizeof(payload), payload};
    EXPECT_EQ(Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    EXPECT_EQ(window.Last().name, "copydata");
    EXPECT_EQ(window.Last().p, &data);

    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(window.Last().name, "close");
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(Dispatch, OtherMessagesGetDefaultProcessing)
{
    SetWindowTextW(hwnd, L"hello");
    EXPECT_EQ(Send(WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_TRUE(window.calls.empty());
}

class PlainFrame : public TestFrame {};

TEST(DefaultHandlers, CloseDestroysTheWindowAndDestroyPostsQuit)
{
    class QuittingFrame : public CWindowBase {} frame;
    ASSERT_TRUE(frame.CreateWnd(L"q", 100, 100, 0, 0, nullptr, nullptr, L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW, 0));
    HWND hwnd = frame.GetWndHandle();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}

TEST(DefaultHandlers, DefaultColourHandlersAnswerAsStaticText)
{
    PlainFrame frame;
    ASSERT_TRUE(frame.Create());
    HDC dc = GetDC(frame.GetWndHandle());
    LRESULT forStatic = DefWindowProcW(frame.GetWndHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(SendMessageW(frame.GetWndHandle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0), forStatic);
    EXPECT_EQ(SendMessageW(frame.GetWndHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0), forStatic);
    ReleaseDC(frame.GetWndHandle(), dc);
}

}  // namespace
