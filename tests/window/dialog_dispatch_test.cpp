#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <vector>

#include "window/dialog_probe.h"
#include "support/frame_window.h"
#include "support/pump.h"

namespace {

constexpr int kButtonID = 0x7001;
constexpr int kCheckID = 0x7002;

SIZE BufferSize(CGraphics& graphics)
{
    SIZE size = {};
    HDC dc = nullptr;
    if (Gdiplus::DllExports::GdipGetDC(graphics.GetDrawer(), &dc) == Gdiplus::Ok) {
        BITMAP bitmap = {};
        GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bitmap), &bitmap);
        size = {bitmap.bmWidth, bitmap.bmHeight};
        Gdiplus::DllExports::GdipReleaseDC(graphics.GetDrawer(), dc);
    }
    return size;
}

HWND MakeControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int y)
{
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, y, 120, 24, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// Records what reaches the dialog's handlers; its controls are made in OnInitDialog.
class Recorder : public DialogProbe {
public:
    struct Call {
        std::string name;
        long long a = 0, b = 0;
        const void* p = nullptr;
    };

    int OnInitDialog(HWND hwnd, HWND focus, LPARAM value) override
    {
        DialogProbe::OnInitDialog(hwnd, focus, value);
        GetWindowRect(hwnd, &rectDuringInit);
        clientDuringInit = {GetClientWidth(hwnd), GetClientHeight(hwnd)};
        bufferDuringInit = BufferSize(m_Graphics);
        handleDuringInit = GetWndHandle();
        button = MakeControl(hwnd, L"Button", L"Push", BS_PUSHBUTTON, kButtonID, 10);
        check = MakeControl(hwnd, L"Button", L"Check", BS_AUTOCHECKBOX, kCheckID, 40);
        return 1;
    }
    void OnCommand(HWND, int id, HWND control, UINT code) override
    {
        calls.push_back({"command", id, code, control});
    }
    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header) override
    {
        calls.push_back({"notify", id, 0, header});
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, notifyAnswer);
        return notifyResult;
    }
    void OnHScroll(HWND, HWND bar, UINT code, int position) override
    {
        calls.push_back({"hscroll", code, position, bar});
    }
    void OnVScroll(HWND, HWND bar, UINT code, int position) override
    {
        calls.push_back({"vscroll", code, position, bar});
    }
    void OnCopyData(HWND, HWND, COPYDATASTRUCT* data) override { calls.push_back({"copydata", 0, 0, data}); }
    // None of these is dispatched to a dialog.
    void OnTimer(HWND, UINT) override { calls.push_back({"timer"}); }
    void OnSize(HWND, UINT, int, int) override { calls.push_back({"size"}); }
    void OnPaint(HWND) override { calls.push_back({"paint"}); }
    void OnActivate(HWND, UINT, HWND, int) override { calls.push_back({"activate"}); }
    HBRUSH OnCtlColorStatic(HWND, HDC, HWND, int) override
    {
        calls.push_back({"color"});
        return nullptr;
    }

    static int GetClientWidth(HWND hwnd) { RECT r; GetClientRect(hwnd, &r); return r.right; }
    static int GetClientHeight(HWND hwnd) { RECT r; GetClientRect(hwnd, &r); return r.bottom; }
    CGraphics& Graphics() { return m_Graphics; }

    std::vector<Call> calls;
    RECT rectDuringInit = {};
    SIZE clientDuringInit = {};
    SIZE bufferDuringInit = {};
    HWND handleDuringInit = reinterpret_cast<HWND>(1);
    HWND button = nullptr;
    HWND check = nullptr;
    LRESULT notifyResult = 1;
    LONG_PTR notifyAnswer = 0;
};

class DialogDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.Create());
        ASSERT_TRUE(dialog.CreateDiag(L"Recorder", 300, 200, 10, 20, false, owner.GetWndHandle()));
        hwnd = dialog.GetWndHandle();
        dialog.calls.clear();
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageW(hwnd, message, wParam, lParam); }

    Recorder dialog;
    TestFrame owner;
    HWND hwnd = nullptr;
};

TEST_F(DialogDispatch, InitialisationPlacesTheDialogThenBuildsTheBufferThenCallsOnInitDialog)
{
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.rectDuringInit.left, 10);
    EXPECT_EQ(dialog.rectDuringInit.top, 20);
    EXPECT_EQ(dialog.rectDuringInit.right, 310);
    EXPECT_EQ(dialog.rectDuringInit.bottom, 220);
    // The buffer was made after the move: it has the client size of 300 x 200 pixels.
    EXPECT_GT(dialog.bufferDuringInit.cx, 0);
    EXPECT_EQ(dialog.bufferDuringInit.cx, dialog.clientDuringInit.cx);
    EXPECT_EQ(dialog.bufferDuringInit.cy, dialog.clientDuringInit.cy);
    // The object knows its window before OnInitDialog runs.
    EXPECT_EQ(dialog.handleDuringInit, hwnd);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<CWindowBase*>(&dialog)));
}

TEST_F(DialogDispatch, ControlsMadeInOnInitDialogWorkAndReportToOnCommand)
{
    ASSERT_TRUE(IsWindow(dialog.button));
    EXPECT_EQ(GetParent(dialog.button), hwnd);
    SendMessageW(dialog.button, BM_CLICK, 0, 0);
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_EQ(dialog.calls[0].name, "command");
    EXPECT_EQ(dialog.calls[0].a, kButtonID);
    EXPECT_EQ(dialog.calls[0].b, BN_CLICKED);
    EXPECT_EQ(dialog.calls[0].p, dialog.button);

    SendMessageW(dialog.check, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(dialog.check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(dialog.calls.back().a, kCheckID);
}

TEST_F(DialogDispatch, NotifyGivesTheHandlersResultToTheDialogManager)
{
    NMHDR header = {dialog.button, kButtonID, 1234};
    dialog.notifyResult = 77;
    dialog.notifyAnswer = 55;
    // As the dialog procedure, the manager answers with the handler's result ...
    EXPECT_EQ(CWindowBase::WndProcManager(hwnd, WM_NOTIFY, kButtonID, reinterpret_cast<LPARAM>(&header)), 77);
    EXPECT_EQ(dialog.calls.back().a, kButtonID);
    EXPECT_EQ(dialog.calls.back().p, &header);
    // ... and the sender of a handled notification gets the dialog's message result.
    EXPECT_EQ(Send(WM_NOTIFY, kButtonID, reinterpret_cast<LPARAM>(&header)), 55);

    DialogProbe plain;
    ASSERT_TRUE(plain.CreateDiag(L"plain", 100, 100, 0, 0, false, owner.GetWndHandle()));
    EXPECT_EQ(CWindowBase::WndProcManager(plain.GetWndHandle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)), 1);
}

TEST_F(DialogDispatch, ScrollAndCopyDataAreCrackedLikeAFrameWindows)
{
    HWND bar = reinterpret_cast<HWND>(0x42);
    EXPECT_EQ(Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0xFFFF), reinterpret_cast<LPARAM>(bar)), 0);
    EXPECT_EQ(dialog.calls.back().name, "hscroll");
    EXPECT_EQ(dialog.calls.back().a, SB_THUMBTRACK);
    EXPECT_EQ(dialog.calls.back().b, -1);
    EXPECT_EQ(dialog.calls.back().p, bar);
    Send(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 300), 0);
    EXPECT_EQ(dialog.calls.back().name, "vscroll");
    EXPECT_EQ(dialog.calls.back().b, 300);

    wchar_t payload[] = L"data";
    COPYDATASTRUCT data = {1, sizeof(payload), payload};
    Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ(dialog.calls.back().name, "copydata");
    EXPECT_EQ(dialog.calls.back().p, &data);
}

TEST_F(DialogDispatch, FrameWindowMessagesAreLeftToTheDialogManager)
{
    Send(WM_TIMER, 5, 0);
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 100));
    Send(WM_ACTIVATE, WA_ACTIVE, 0);
    Send(WM_CTLCOLORSTATIC, 0, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    EXPECT_TRUE(dialog.calls.empty());
    // The default processing answers as it would for any dialog.
    EXPECT_EQ(Send(WM_GETTEXTLENGTH, 0, 0), 8);
    EXPECT_EQ(WindowTitle(hwnd), L"Recorder");
}

// A dialog with the library's own control wrappers, made where a client makes them.
class WrapperDialog : public DialogProbe {
public:
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM value) override
    {
        DialogProbe::OnInitDialog(hwnd, focus, value);
        button.Create(hwnd, 10, 10, 100, 26, L"Push");
        box.Create(hwnd, 10, 40, 100, 26, L"Box");
        return 1;
    }
    void OnCommand(HWND, int id, HWND control, UINT) override
    {
        pushed += button.IsPush(id) ? 1 : 0;
        box.ToggleCheck(control);
    }
    CButton button;
    CCheckBox box;
    int pushed = 0;
};

TEST(DialogControls, WrappersMadeInOnInitDialogAreRecognisedInOnCommand)
{
    TestFrame owner;
    ASSERT_TRUE(owner.Create());
    WrapperDialog dialog;
    ASSERT_TRUE(dialog.CreateDiag(L"Wrappers", 300, 200, 10, 20, false, owner.GetWndHandle()));
    EXPECT_EQ(dialog.button.GetParentWndHandle(), dialog.GetWndHandle());
    SendMessageW(dialog.button.GetWndHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.pushed, 1);
    SendMessageW(dialog.box.GetWndHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.box.IsCheck());
    EXPECT_EQ(dialog.pushed, 1);
}

TEST(DialogLifetime, ADialogOutlivingItsObjectGetsTheDialogManagersDefaults)
{
    TestFrame owner;
    ASSERT_TRUE(owner.Create());
    auto* dialog = new Recorder;
    ASSERT_TRUE(dialog->CreateDiag(L"Orphan", 300, 200, 10, 20, false, owner.GetWndHandle()));
    HWND window = dialog->GetWndHandle();
    HWND button = dialog->button;
    delete dialog;

    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 6);
    EXPECT_EQ(WindowTitle(window), L"Orphan");
    SendMessageW(button, BM_CLICK, 0, 0);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
