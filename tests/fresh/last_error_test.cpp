// Runs in a process of its own, which takes the TLS slots below 64 before its first window:
// the library's remembered window lookup then lives in slots read through TlsGetValue.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

namespace {

// Answers WM_APP by leaving the last error as wParam says (0: untouched).
class ErrorSetter : public CWindowBase {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            if (wParam) SetLastError(static_cast<DWORD>(wParam));
            return 0;
        }
        return CWindowBase::WndProc(hwnd, message, wParam, lParam);
    }
    void OnDestroy(HWND) override {}
};

TEST(LastError, TheSenderReadsWhatTheHandlerLeftWithLookupSlotsAbove63)
{
    std::vector<DWORD> taken;
    DWORD slot = TlsAlloc();
    for (; slot != TLS_OUT_OF_INDEXES && slot < 64; slot = TlsAlloc()) {
        taken.push_back(slot);
    }
    ASSERT_NE(slot, TLS_OUT_OF_INDEXES);
    TlsFree(slot);  // the first free slot is now 64
    ErrorSetter window;
    ASSERT_TRUE(window.CreateWnd(L"errors", 120, 90, 0, 0, nullptr, nullptr, L"BASIC_WINDOW",
                                 WS_OVERLAPPEDWINDOW, 0));
    const struct {
        WPARAM handlerSets;
        DWORD expected;
    } cases[] = {{0, 1234}, {5678, 5678}};
    for (const auto& c : cases) {
        SetLastError(1234);
        SendMessageW(window.GetWndHandle(), WM_APP, c.handlerSets, 0);
        EXPECT_EQ(GetLastError(), c.expected);
    }
    DestroyWindow(window.GetWndHandle());
    for (DWORD index : taken) {
        TlsFree(index);
    }
}

}  // namespace
