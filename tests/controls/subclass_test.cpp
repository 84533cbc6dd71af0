#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "command_recorder.h"
#include "support/pixels.h"

namespace {

// An edit wrapper that sees its control's messages once subclassed.
class WatchedEdit : public CEdit {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        // A control whose procedure leads back to its wrapper would recurse until the
        // stack overflows, which ends the test program without a verdict: stop it here.
        if (depth > 32) {
            return 0;
        }
        ++depth;
        LRESULT result = CEdit::WndProc(hwnd, message, wParam, lParam);
        --depth;
        return result;
    }
    long Count(UINT message) const { return std::count(seen.begin(), seen.end(), message); }

    std::vector<UINT> seen;
    int depth = 0;
};

class Subclassing : public ControlsOnParent {
protected:
    static WNDPROC ProcedureOf(HWND control)
    {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
    }
    static std::wstring TextOf(HWND control)
    {
        wchar_t text[64] = {};
        GetWindowTextW(control, text, 64);
        return text;
    }
    // The control still answers with its own behaviour and still notifies its parent.
    void ExpectWorking(HWND control)
    {
        parent.commands.clear();
        EXPECT_TRUE(SetWindowTextW(control, L"working"));
        EXPECT_EQ(TextOf(control), L"working");
        EXPECT_FALSE(parent.CodesFrom(control).empty());
    }
};

TEST_F(Subclassing, AControlThatIsNotSubclassedNeverReachesItsWrapper)
{
    WatchedEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    HWND control = edit.GetWndHandle();
    EXPECT_EQ(ProcedureOf(control), edit.GetDefWndProc());
    ExpectWorking(control);
    SendMessageW(control, WM_CHAR, L'x', 0);
    EXPECT_TRUE(edit.seen.empty());

    edit.ChangeProc(&edit);
    EXPECT_EQ(ProcedureOf(control), &CControlBase::ControlProcManager);
    ExpectWorking(control);
    EXPECT_EQ(edit.Count(WM_SETTEXT), 1);
    EXPECT_EQ(edit.Count(WM_GETTEXT), 1);
}

struct Transcript {
    std::vector<LRESULT> results;
    std::wstring text;
    std::vector<UINT> notifications;
};

// Talks to an edit the way a program and a user would, and writes down every answer.
Transcript Drive(HWND edit, CommandRecorder& parent)
{
    parent.commands.clear();
    Transcript transcript;
    auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        transcript.results.push_back(SendMessageW(edit, message, wParam, lParam));
    };
    send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alpha beta gamma"));
    send(EM_SETSEL, 6, 10);
    DWORD start = 0;
    DWORD end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    transcript.results.push_back(start);
    transcript.results.push_back(end);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"BETA"));
    send(EM_CANUNDO, 0, 0);
    send(WM_CHAR, L'!', 0);
    send(WM_KEYDOWN, VK_HOME, 0);
    send(EM_GETSEL, 0, 0);
    send(WM_GETTEXTLENGTH, 0, 0);
    send(EM_LINELENGTH, 0, 0);
    send(EM_LIMITTEXT, 40, 0);
    send(EM_GETLIMITTEXT, 0, 0);
    send(WM_GETDLGCODE, 0, 0);
    wchar_t text[64] = {};
    send(WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    transcript.text = text;
    transcript.notifications = parent.CodesFrom(edit);
    return transcript;
}

TEST_F(Subclassing, AWrapperWithoutOverridePassesEverythingThroughUnchanged)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    edit.ChangeProc(&edit);
    ASSERT_EQ(ProcedureOf(edit.GetWndHandle()), &CControlBase::ControlProcManager);
    HWND bare = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_LEFT |
                                ES_AUTOHSCROLL, 10, 50, 200, 24, hwnd,
                                reinterpret_cast<HMENU>(INT_PTR{7}), GetModuleHandleW(nullptr),
                                nullptr);
    ASSERT_NE(bare, nullptr);

    Transcript subclassed = Drive(edit.GetWndHandle(), parent);
    Transcript expected = Drive(bare, parent);
    EXPECT_EQ(subclassed.results, expected.results);
    EXPECT_EQ(subclassed.text, expected.text);
    EXPECT_EQ(subclassed.text, L"alpha BETA! gamma");
    EXPECT_EQ(subclassed.notifications, expected.notifications);
    EXPECT_FALSE(subclassed.notifications.empty());

    CButton button;
    ASSERT_TRUE(button.Create(hwnd, 10, 90, 100, 30, L"button"));
    button.ChangeProc(&button);
    parent.commands.clear();
    SendMessageW(button.GetWndHandle(), BM_CLICK, 0, 0);
    ASSERT_EQ(parent.commands.size(), 1u);
    EXPECT_TRUE(button.IsPush(parent.commands[0].id));
}

TEST_F(Subclassing, ChangeProcTwiceKeepsTheControlsOwnProcedure)
{
    WatchedEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    WNDPROC own = edit.GetDefWndProc();
    edit.ChangeProc(&edit);
    edit.ChangeProc(&edit);
    EXPECT_EQ(edit.GetDefWndProc(), own);
    ExpectWorking(edit.GetWndHandle());
    EXPECT_EQ(edit.Count(WM_SETTEXT), 1);
}

TEST_F(Subclassing, AWrapperThatDiesGivesTheControlItsProcedureBack)
{
    HWND control = nullptr;
    WNDPROC own = nullptr;
    {
        WatchedEdit edit;
        ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
        control = edit.GetWndHandle();
        own = edit.GetDefWndProc();
        edit.ChangeProc(&edit);
    }
    EXPECT_EQ(ProcedureOf(control), own);
    EXPECT_EQ(GetWindowLongPtrW(control, GWLP_USERDATA), 0);
    ExpectWorking(control);
}

TEST_F(Subclassing, OnlyTheLinkedObjectReleasesTheControl)
{
    WatchedEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    HWND control = edit.GetWndHandle();
    edit.ChangeProc(&edit);
    {
        WatchedEdit copy(edit);
    }
    EXPECT_EQ(ProcedureOf(control), &CControlBase::ControlProcManager);
    ExpectWorking(control);
    EXPECT_EQ(edit.Count(WM_SETTEXT), 1);

    {
        // A second ChangeProc moves the link; the first object no longer hears the control.
        WatchedEdit other(edit);
        other.seen.clear();
        edit.ChangeProc(&other);
        ExpectWorking(control);
        EXPECT_EQ(other.Count(WM_SETTEXT), 1);
        EXPECT_EQ(edit.Count(WM_SETTEXT), 1);
    }
    EXPECT_EQ(ProcedureOf(control), edit.GetDefWndProc());
    ExpectWorking(control);
}

TEST_F(Subclassing, AControlDestroyedFirstLeavesItsWrapperSafe)
{
    WatchedEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    edit.ChangeProc(&edit);
    DestroyWindow(edit.GetWndHandle());
    EXPECT_EQ(edit.Count(WM_DESTROY), 1);
    EXPECT_EQ(edit.Count(WM_NCDESTROY), 1);
}

TEST_F(Subclassing, NothingToSubclassChangesNothing)
{
    CEdit none;
    none.ChangeProc(&none);
    EXPECT_EQ(none.GetDefWndProc(), nullptr);

    CEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    WNDPROC own = edit.GetDefWndProc();
    edit.ChangeProc(nullptr);
    EXPECT_EQ(ProcedureOf(edit.GetWndHandle()), own);
    ExpectWorking(edit.GetWndHandle());
}

// Stands for another library that subclasses a control after this one did.
struct LaterSubclass {
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ++heard;
        return CallWindowProcW(underneath, hwnd, message, wParam, lParam);
    }
    static void Install(HWND control)
    {
        underneath = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    static void Remove(HWND control)
    {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(underneath));
    }
    static WNDPROC underneath;
    static int heard;
};
WNDPROC LaterSubclass::underneath = nullptr;
int LaterSubclass::heard = 0;

// Red painted straight onto the control, then a repaint: the control's own painting must
// cover it and leave nothing to paint.
void ExpectPaintsItself(HWND control)
{
    HDC dc = GetDC(control);
    RECT all = {0, 0, 100, 30};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(control, dc);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE));
    EXPECT_NE(ClientPixel(control, 50, 3), 0xFF0000u);
}

TEST_F(Subclassing, AControlWhoseWrapperDiedUnderALaterSubclassKeepsWorking)
{
    struct Case {
        const char* name;
        bool laterSubclass;
        // After the wrapper died: takes the later subclass out again.
        bool removeLaterSubclass;
        // After the wrapper died: a new wrapper subclasses the control.
        bool newWrapper;
    };
    const Case cases[] = {
        {"under a later subclass", true, false, false},
        {"the later subclass removed afterwards", true, true, false},
        {"a new wrapper under the later subclass", true, false, true},
        {"no later subclass", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND control = nullptr;
        WNDPROC own = nullptr;
        // A copy of the wrapper refers to the same control and outlives it.
        std::unique_ptr<WatchedEdit> taker;
        {
            WatchedEdit edit;
            ASSERT_TRUE(edit.Create(hwnd, 10, 10, 100, 30, L""));
            control = edit.GetWndHandle();
            own = edit.GetDefWndProc();
            edit.ChangeProc(&edit);
            if (c.laterSubclass) {
                LaterSubclass::Install(control);
            }
            taker = std::make_unique<WatchedEdit>(edit);
        }
        if (c.removeLaterSubclass) {
            LaterSubclass::Remove(control);
            EXPECT_EQ(ProcedureOf(control), &CControlBase::ControlProcManager);
        }
        EXPECT_EQ(GetWindowLongPtrW(control, GWLP_USERDATA), 0);
        taker->seen.clear();
        if (c.newWrapper) {
            taker->ChangeProc(taker.get());
            EXPECT_EQ(taker->GetDefWndProc(), own);
            EXPECT_EQ(ProcedureOf(control), &LaterSubclass::Procedure);
        }
        LaterSubclass::heard = 0;
        ExpectWorking(control);
        ExpectPaintsItself(control);
        EXPECT_EQ(LaterSubclass::heard > 0, c.laterSubclass && !c.removeLaterSubclass);
        EXPECT_EQ(taker->Count(WM_SETTEXT), c.newWrapper ? 1 : 0);
        if (!c.laterSubclass) {
            EXPECT_EQ(ProcedureOf(control), own);
        }
        DestroyWindow(control);
    }
}

}  // namespace
