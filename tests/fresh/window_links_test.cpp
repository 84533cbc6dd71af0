// Windows that outlive their objects: nothing reaches the dead object, the windows work on.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>
#include <new>

#include "framework/dialog_probe.h"
#include "support/frame_window.h"

namespace {

// An object whose memory is overwritten once it dies: a message still reaching it crashes.
template <class T>
class Poisoned {
public:
    T& operator*() { return *m_Object; }
    T* operator->() { return m_Object; }
    void Kill()
    {
        m_Object->~T();
        std::memset(m_Bytes, 0xCC, sizeof(m_Bytes));
    }

private:
    alignas(T) unsigned char m_Bytes[sizeof(T)];
    T* m_Object = new (m_Bytes) T;
};

// A frame object that leaves its window alone when it dies.
class Lingering : public CWindowBase {
public:
    bool Create()
    {
        return CreateWnd(L"links", 200, 150, 20, 20, nullptr, nullptr, L"BASIC_WINDOW",
                         WS_OVERLAPPEDWINDOW, 0);
    }
    void OnDestroy(HWND) override {}
};

// Paints, sizes, commands and closes a window no object serves any more.
void ExpectStillAnswering(HWND window)
{
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    SetWindowPos(window, nullptr, 0, 0, 160, 110, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(window, WM_COMMAND, 7, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    DestroyWindow(window);  // a dialog's WM_CLOSE leaves it to its procedure
    EXPECT_FALSE(IsWindow(window));
}

TEST(WindowLinks, WindowsOutlivingTheirObjectAnswerWithoutReachingIt)
{
    struct Case {
        const char* name;
        int frames;  // 0: a modeless dialog
    };
    const Case cases[] = {{"an object deleted while its frame lives", 1},
                          {"an object that made two frames", 2},
                          {"a dialog's object", 0}};
    TestFrame parent;
    ASSERT_TRUE(parent.Create());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Poisoned<Lingering> frame;
        Poisoned<DialogProbe> dialog;
        HWND windows[2] = {};
        for (int i = 0; i < c.frames; ++i) {
            ASSERT_TRUE(frame->Create());
            windows[i] = frame->GetWndHandle();
        }
        if (c.frames == 0) {
            ASSERT_TRUE(dialog->CreateDiag(L"d", 200, 120, 30, 30, false, parent.GetWndHandle()));
            windows[0] = dialog->GetWndHandle();
        }
        if (c.frames == 2) {
            // The second window took the object: the first is unlinked already.
            EXPECT_EQ(GetWindowLongPtrW(windows[0], GWLP_USERDATA), 0);
        }
        frame.Kill();
        dialog.Kill();
        for (HWND window : windows) {
            if (window) {
                ExpectStillAnswering(window);
            }
        }
    }
}

TEST(WindowLinks, AControlSubclassedToAnotherWrapperGetsItsProcedureBackWhenThatOneDies)
{
    TestFrame parent;
    ASSERT_TRUE(parent.Create());
    CButton button;
    ASSERT_TRUE(button.Create(parent.GetWndHandle(), 10, 10, 80, 24, L"Go"));
    HWND control = button.GetWndHandle();
    auto own = GetWindowLongPtrW(control, GWLP_WNDPROC);
    Poisoned<CButton> other;
    button.ChangeProc(&*other);
    other.Kill();
    EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), own);
    EXPECT_EQ(GetWindowLongPtrW(control, GWLP_USERDATA), 0);
    SendMessageW(control, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0), 2);
}

}  // namespace
