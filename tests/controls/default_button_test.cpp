#include <gtest/gtest.h>

#include <tsumiki.h>

#include <vector>

#include "support/frame_window.h"
#include "support/key_chord.h"

namespace {

// An edit and two push buttons, the second the default; once the window runs in its own
// loop (modal or not) the edit takes the focus, Enter is pressed and the window closes.
struct Form {
    void Make(HWND hwnd)
    {
        edit.Create(hwnd, 10, 10, 150, 24, L"");
        first.Create(hwnd, 10, 40, 80, 26, L"First");
        second.Create(hwnd, 100, 40, 80, 26, L"Second");
        second.SetDefault();
        defaultId = second.GetID();
        s_Current = this;
        SetTimer(hwnd, 1, 100, &PressEnter);
    }
    static void CALLBACK PressEnter(HWND hwnd, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(hwnd, id);
        SetForegroundWindow(hwnd);
        SetFocus(s_Current->edit.GetWndHandle());
        SendChord({VK_RETURN});
        SetTimer(hwnd, 2, 300, &Close);
    }
    static void CALLBACK Close(HWND hwnd, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(hwnd, id);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
    void Saw(int id, UINT code)
    {
        if (code == BN_CLICKED) {
            clicks.push_back(id);
        }
    }
    CEdit edit;
    CButton first, second;
    std::vector<int> clicks;
    int defaultId = 0;
    static Form* s_Current;
};
Form* Form::s_Current = nullptr;

class FormFrame : public TestFrame {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTW*) override { form.Make(hwnd); return 1; }
    void OnCommand(HWND, int id, HWND, UINT code) override { form.Saw(id, code); }
    void OnDestroy(HWND) override { PostQuitMessage(0); }
    Form form;
};

class FormDialog : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override { form.Make(hwnd); return 1; }
    void OnCommand(HWND, int id, HWND, UINT code) override { form.Saw(id, code); }
    // Only the modeless one ends the test's loop: the modal one runs its own.
    void OnDestroy(HWND) override { if (!m_bModal) PostQuitMessage(0); }
    Form form;
};

UINT PushType(const CButton& button)
{
    return static_cast<UINT>(GetWindowLongPtrW(button.GetWndHandle(), GWL_STYLE)) & BS_TYPEMASK;
}

TEST(DefaultButton, EnterInAnEditReachesTheDefaultButtonOnFramesAndDialogs)
{
    for (int kind = 0; kind < 3; ++kind) {
        FormFrame frame;
        FormDialog dialog;
        Form& form = kind == 0 ? frame.form : dialog.form;
        if (kind == 0) {
            ASSERT_TRUE(frame.Create(300, 200));
        } else {
            ASSERT_TRUE(dialog.CreateDiag(L"form", 300, 200, 40, 40, kind == 2, nullptr));
        }
        if (kind != 2) {
            MessageLoop();
        }
        ASSERT_EQ(form.clicks.size(), 1u) << kind;
        EXPECT_EQ(form.clicks[0], form.defaultId) << kind;
    }
}

TEST(DefaultButton, OneButtonAtATimeHasTheHeavyBorderAndAFrameAnswersAsADialogDoes)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create(300, 200));
    CButton first, second;
    ASSERT_TRUE(first.Create(frame.GetWndHandle(), 10, 40, 80, 26, L"First"));
    ASSERT_TRUE(second.Create(frame.GetWndHandle(), 100, 40, 80, 26, L"Second"));
    auto defaultId = [&] { return SendMessageW(frame.GetWndHandle(), DM_GETDEFID, 0, 0); };
    EXPECT_EQ(defaultId(), 0);
    second.SetDefault();
    first.SetDefault();
    EXPECT_EQ(PushType(first), static_cast<UINT>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(PushType(second), static_cast<UINT>(BS_PUSHBUTTON));
    EXPECT_EQ(defaultId(), MAKELRESULT(first.GetID(), DC_HASDEFID));
    second.SetDefault(false);
    EXPECT_EQ(defaultId(), MAKELRESULT(first.GetID(), DC_HASDEFID));
    first.SetDefault(false);
    EXPECT_EQ(PushType(first), static_cast<UINT>(BS_PUSHBUTTON));
    EXPECT_EQ(defaultId(), 0);
}

}  // namespace
