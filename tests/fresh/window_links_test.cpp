// Windows that outlive their objects: nothing reaches the dead object, the windows work on.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>
#include <new>

#include "window/dialog_probe.h"

namespace {

// An object whose memory is overwritten once it dies: a message still reaching it crashes.
template <class T>
struct Poisoned {
    alignas(T) unsigned char bytes[sizeof(T)];
    T* object = new (bytes) T;
    void Kill() { object->~T(); std::memset(bytes, 0xCC, sizeof(bytes)); }
};

class Lingering : public CWindowBase {  // leaves its window alone when it dies
public:
    void OnDestroy(HWND) override {}
};

TEST(WindowLinks, WindowsOutlivingTheirObjectAnswerWithoutReachingIt)
{
    DialogProbe parent;
    ASSERT_TRUE(parent.CreateDiag(L"parent", 200, 120, 30, 30, false, nullptr));
    for (int frames : {1, 2, 0}) {  // 0: a modeless dialog's object
        SCOPED_TRACE(frames);
        Poisoned<Lingering> frame;
        Poisoned<DialogProbe> dialog;
        HWND windows[2] = {};
        for (int i = 0; i < frames; ++i) {
            ASSERT_TRUE(frame.object->CreateWnd(L"links", 200, 150, 20, 20, nullptr, nullptr,
                                                L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW, 0));
            windows[i] = frame.object->GetWndHandle();
        }
        if (!frames) {
            ASSERT_TRUE(dialog.object->CreateDiag(L"d", 200, 120, 30, 30, false, parent.GetWndHandle()));
            windows[0] = dialog.object->GetWndHandle();
        }
        // A second window takes the object: the first is unlinked at once.
        EXPECT_EQ(GetWindowLongPtrW(windows[0], GWLP_USERDATA) == 0, frames == 2);
        frame.Kill();
        dialog.Kill();
        for (HWND window : windows) {
            if (window) {
                EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
                RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                SetWindowPos(window, nullptr, 0, 0, 160, 110, SWP_NOMOVE | SWP_NOZORDER);
                SendMessageW(window, WM_COMMAND, 7, 0);
                SendMessageW(window, WM_CLOSE, 0, 0);
                EXPECT_EQ(IsWindow(window), !frames);  // a dialog's close is its procedure's
                DestroyWindow(window);
            }
        }
    }
    DestroyWindow(parent.GetWndHandle());
}

TEST(WindowLinks, AControlSubclassedToAnotherWrapperGetsItsProcedureBackWhenThatOneDies)
{
    DialogProbe parent;
    ASSERT_TRUE(parent.CreateDiag(L"parent", 200, 120, 30, 30, false, nullptr));
    CButton button;
    ASSERT_TRUE(button.Create(parent.GetWndHandle(), 10, 10, 80, 24, L"Go"));
    HWND control = button.GetWndHandle();
    LONG_PTR own = GetWindowLongPtrW(control, GWLP_WNDPROC);
    Poisoned<CButton> other;
    button.ChangeProc(other.object);
    other.Kill();
    EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), own);
    SendMessageW(control, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0), 2);
    DestroyWindow(parent.GetWndHandle());
}

}  // namespace
